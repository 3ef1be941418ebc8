// The texts the program speaks, as espeak-ng gets them: spelled letters are spelled, and no markup is
// ever read aloud as words, whether the text came with the markup flag or back through "repeat".
#include "voice/SpeechMarkup.h"

#include <gtest/gtest.h>

using dorva::voice::ToEspeakSsml;

namespace {

struct Case {
    const char* name;
    const char* text;
    int flags;
    const char* ssml; // between <speak> and </speak>
};

class Markup : public ::testing::TestWithParam<Case> {};

TEST_P(Markup, BecomesThisSsml) {
    const Case& c = GetParam();
    EXPECT_EQ(ToEspeakSsml(c.text, c.flags), std::string("<speak>") + c.ssml + "</speak>");
}

constexpr const char* kSpelled = "On <say-as interpret-as=\"characters\">A</say-as> through G G you rolled 7";

INSTANTIATE_TEST_SUITE_P(
    Texts, Markup,
    ::testing::Values(
        Case{"PlainText", "You rolled a 3", 1, "You rolled a 3"},
        // "repeat" speaks the last text again with flags 1: the letter is still spelled.
        Case{"SpelledLetterRepeatedWithoutMarkupFlag", "On <spell>A</spell> through G G you rolled 7", 1,
             kSpelled},
        Case{"SpellInCapitals", "<SPELL>gg</Spell>", 9, "<say-as interpret-as=\"characters\">gg</say-as>"},
        Case{"SpellLeftOpen", "hex <spell>B", 9, "hex <say-as interpret-as=\"characters\">B</say-as>"},
        Case{"SpellInsideSpell", "<spell>A<spell>B</spell>C</spell>", 9,
             "<say-as interpret-as=\"characters\">AB</say-as>C"},
        Case{"ClosingWithoutOpening", "A</spell> B", 9, "A B"},
        Case{"SpellWithoutContent", "x<spell/>y", 9, "xy"},
        Case{"OtherElementsAreDropped", "<emph>now</emph> <silence msec=\"500\"/>go", 9, "now go"},
        Case{"CommentDropped", "a<!-- not said -->b", 9, "ab"},
        Case{"LessThanThatOpensNoElement", "1 < 2 and 3 > 2", 1, "1 &lt; 2 and 3 &gt; 2"},
        Case{"UnfinishedTag", "a <b", 1, "a &lt;b"},
        Case{"AmpersandWithoutMarkupFlag", "R&R &amp;", 1, "R&amp;R &amp;amp;"},
        Case{"ReferencesWithMarkupFlag", "R&amp;R &lt;spell&gt; &#65;&#x42;", 9, "R&amp;R &lt;spell&gt; AB"},
        Case{"BrokenReferenceWithMarkupFlag", "a &nbsp b &#xZZ;", 9, "a &amp;nbsp b &amp;#xZZ;"},
        Case{"LatinOneBecomesUtf8", "Caf\xe9 \xd7", 1, "Caf\xc3\xa9 \xc3\x97"},
        Case{"LineBreaksArePauses", "a\r\nb\tc", 1, "a  b c"}),
    [](const ::testing::TestParamInfo<Case>& row) { return std::string(row.param.name); });

} // namespace
