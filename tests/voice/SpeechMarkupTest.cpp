// The texts the program speaks, as espeak-ng gets them: spelled letters are spelled, and no markup is
// ever read aloud as words, whether the text came with the markup flag or back through "repeat".
#include "voice/SpeechMarkup.h"

#include <gtest/gtest.h>

using dorva::voice::ToEspeakSsml;

namespace {

TEST(SpeechMarkup, BecomesTheSsmlEspeakNgReads) {
    const char* spelled = "On <say-as interpret-as=\"characters\">A</say-as> through G G you rolled 7";
    // what the row shows, the text, its flags, the SSML between <speak> and </speak>
    // clang-format off
    for (const auto& [name, text, flags, ssml] : {
             std::tuple{"plain text", "You rolled a 3", 1, "You rolled a 3"},
             // "repeat" speaks the last text again with flags 1: the letter is still spelled.
             {"spelled letter repeated without the markup flag", "On <spell>A</spell> through G G you rolled 7", 1, spelled},
             {"spell in capitals", "<SPELL>gg</Spell>", 9, "<say-as interpret-as=\"characters\">gg</say-as>"},
             {"spell left open", "hex <spell>B", 9, "hex <say-as interpret-as=\"characters\">B</say-as>"},
             {"spell inside spell", "<spell>A<spell>B</spell>C</spell>", 9, "<say-as interpret-as=\"characters\">AB</say-as>C"},
             {"closing without opening", "A</spell> B", 9, "A B"}, {"spell without content", "x<spell/>y", 9, "xy"},
             {"other elements are dropped", "<emph>now</emph> <silence msec=\"500\"/>go", 9, "now go"},
             {"comment dropped", "a<!-- not said -->b", 9, "ab"},
             {"less than that opens no element", "1 < 2 and 3 > 2", 1, "1 &lt; 2 and 3 &gt; 2"},
             {"unfinished tag", "a <b", 1, "a &lt;b"},
             {"ampersand without the markup flag", "R&R &amp;", 1, "R&amp;R &amp;amp;"},
             {"references with the markup flag", "R&amp;R &lt;spell&gt; &#65;&#x42;", 9, "R&amp;R &lt;spell&gt; AB"},
             {"broken reference with the markup flag", "a &nbsp b &#xZZ;", 9, "a &amp;nbsp b &amp;#xZZ;"},
             {"Latin-1 becomes UTF-8", "Caf\xe9 \xd7", 1, "Caf\xc3\xa9 \xc3\x97"},
             {"line breaks are pauses", "a\r\nb\tc", 1, "a  b c"}}) {
        // clang-format on
        EXPECT_EQ(ToEspeakSsml(text, flags), std::string("<speak>") + ssml + "</speak>") << name;
    }
}

} // namespace
