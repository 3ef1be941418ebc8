#pragma once
// The program's speech markup made into what espeak-ng reads. The program's texts are single-byte
// (Latin-1) and may carry SAPI-style elements such as <spell>A</spell>; espeak-ng reads UTF-8 SSML.

#include <string>
#include <string_view>

namespace dorva::voice {

// The flag of Speak that says the text carries markup (flags 9 = asynchronous + markup).
inline constexpr int kSpeakMarkupFlag = 8;

// A whole <speak> document for espeak-ng. <spell>x</spell> becomes <say-as
// interpret-as="characters">x</say-as>; every other element is dropped, so markup is never read
// aloud as words, whatever the flags: "repeat" hands back a text that held markup with flags 1.
// What the flags change is the ampersand: with the markup flag "&amp;" and the other XML
// references stand for their character; without it an ampersand is just an ampersand.
std::string ToEspeakSsml(std::string_view text, int flags);

} // namespace dorva::voice
