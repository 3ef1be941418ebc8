#pragma once
// Voice lessons: the player says a short list of commands once, and the recogniser learns how this
// player says the number words in them. The model's dictionary knows one or two ways of saying each
// number, and an accent it does not know makes a number sound like another ("two" like "eight",
// "thirty" like "twenty"): a firepower turned into another one. What the player's own "two" sounds
// like, in the phones the free loop hears in it, becomes a further way of saying "two" for this
// player alone.

#include "platform/SpeechPlatform.h"
#include "voice/CommandRejection.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace dorva::voice {

// A phrase of the command grammar that a lesson asks for, and the number word in it.
struct LessonPhrase {
    std::string_view words;
    std::string_view number;
};

// Every number word a spoken command may hold, each said once, in a command that reads naturally at
// the table: the firepowers in an attack, the other DRs in a look-up. "twenty four" and "thirty six"
// are made of these.
inline constexpr LessonPhrase kLessonPhrases[] = {
    {"attack using one even", "one"},         {"attack using two even", "two"},
    {"attack using four even", "four"},       {"attack using six even", "six"},
    {"attack using eight even", "eight"},     {"attack using twelve even", "twelve"},
    {"attack using sixteen even", "sixteen"}, {"attack using twenty even", "twenty"},
    {"attack using thirty even", "thirty"},   {"infantry fire table three", "three"},
    {"infantry fire table five", "five"},     {"infantry fire table seven", "seven"},
    {"infantry fire table nine", "nine"},     {"infantry fire table ten", "ten"},
    {"infantry fire table eleven", "eleven"},
};

// A way of saying a word that the player was heard to use: the word and its phones ("T EH UW").
struct PlayerPronunciation {
    std::string word;
    std::string phones;
    bool operator==(const PlayerPronunciation&) const = default;
};

// The phones the free loop heard where the lesson's number word was said: the frames between the
// words before it and the words after it (or the end of the last word) on the grammar path, which
// must hold the lesson's other words in their places. Nothing when the utterance does not have the
// lesson's shape, or when too few or too many phones were heard there to be a word.
std::optional<std::string> HeardNumberPhones(const UtteranceEvidence& evidence, const LessonPhrase& lesson);

// The number words the grammar path heard in the lesson's place of its number: the words between
// the lesson's words before and after it, "" when the shape does not match.
std::string HeardNumber(std::string_view heardWords, const LessonPhrase& lesson);

// What the lessons taught that the player's own lessons, heard again with it, contradict: each word
// whose new pronunciation was heard where another number was said, or whose own lesson was heard as
// another number. heard[i] is HeardNumber of lesson i heard again ("" when it was not heard).
std::set<std::string> Contradicted(const std::vector<PlayerPronunciation>& learnt,
                                   const std::vector<std::string>& heard);

// How many phones must change (be swapped, added or dropped) to make one way of saying a word into
// another ("T UW" into "T EH UW": 1).
std::size_t PhoneDistance(std::string_view phones, std::string_view other);

// The ways of saying each lesson's number that the recogniser knows already: those of a
// pronunciation dictionary (the text of a CMU dictionary) and the accents' the decoder is taught.
std::map<std::string, std::vector<std::string>> KnownNumberPronunciations(std::string_view dictionary);

// The settings' form of the player's pronunciations: "two=T EH UW;four=F AO L R". Reading skips
// what is not a lower-case word with upper-case phones, so a damaged setting costs only itself.
std::string FormatPronunciations(const std::vector<PlayerPronunciation>& pronunciations);
std::vector<PlayerPronunciation> ParsePronunciations(std::string_view text);

// What the lessons window says of the pronunciations the settings hold now.
std::string LearntNowText(std::string_view pronunciations);
// What it says once the lessons were learnt from.
std::string LessonsLearntText(const platform::LessonsResult& result);

} // namespace dorva::voice
