// dorva.cfg read back: what the compiler writes comes back rule by rule, every malformed line is
// reported at its number, and the JSGF handed to the decoder holds each phrase once, under its rule.
#include "voice/Grammar.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace dorva::voice;

namespace {

// The last line ends as a file edited on another system ends it.
const char* const kGrammar = "# written by dorva-datac\n"
                             "rule activationroll\n"
                             "  activation roll\n"
                             "  roll for activation\n"
                             "\n"
                             "rule 1through10\n"
                             "  one through ten\n"
                             "rule repeat\n"
                             "  repeat\n"
                             "  repeat that\n"
                             "rule AttackWithDRM\n"
                             "  attack with four minus two = 0403 -1 2\r\n";

Grammar Parsed(const std::string& text) {
    GrammarReading reading = ParseGrammar(text);
    EXPECT_TRUE(reading.grammar) << reading.errorLine << ": " << reading.error;
    return reading.grammar.value_or(Grammar{});
}

TEST(GrammarReading, RulesPhrasesAndPropertiesComeBackInFileOrder) {
    const Grammar grammar = Parsed(kGrammar);
    ASSERT_EQ(grammar.rules.size(), 4u);
    EXPECT_EQ(grammar.rules[0].name, "activationroll");
    EXPECT_EQ(grammar.rules[1].name, "1through10");
    ASSERT_EQ(grammar.rules[0].phrases.size(), 2u);
    EXPECT_EQ(grammar.rules[0].phrases[1].words, "roll for activation");
    EXPECT_TRUE(grammar.rules[0].phrases[1].properties.empty());
    EXPECT_EQ(grammar.rules[3].phrases[0].words, "attack with four minus two");
    EXPECT_EQ(grammar.rules[3].phrases[0].properties, (std::vector<std::string>{"0403", "-1", "2"}));
    EXPECT_EQ(grammar.PhraseCount(), 6u);
}

TEST(GrammarReading, EachMalformedLineIsRefusedAtItsNumber) {
    // text, the line refused, a part of the message
    // clang-format off
    for (const auto& [text, line, says] : {
             std::tuple{"# nothing\n\n", 0, "no rule"}, {"  roll dice\nrule rolldice\n  roll\n", 1, "before the first rule"},
             {"rule roll dice\n  roll\n", 1, "one name"}, {"rule \n  roll\n", 1, "one name"},
             {"rule a\nrule b\n  roll\n", 2, "rule a has no phrase"}, {"rule a\n  roll\nrule b\n", 3, "rule b has no phrase"},
             {"rule a\n roll\n", 2, "indented by two blanks"}, {"rule a\n   roll\n", 2, "indented by two blanks"},
             {"rules a\n  roll\n", 1, "indented by two blanks"}, {"rule a\n  roll  dice\n", 2, "single blanks"},
             {"rule a\n  roll | dice\n", 2, "'|'"}, {"rule a\n  roll =1\n", 2, "'='"},
             {"rule a\n  roll = \n", 2, "single blanks"}, {"rule a\n  roll = 1\x7f\n", 2, "visible characters"},
             {"rule a\n  roll\nrule a\n  dice\n", 3, "already stands at line 1"},
             {"rule a\n  roll dice\nrule b\n  Roll Dice\n", 4, "already stands at line 2"}}) {
        // clang-format on
        const GrammarReading reading = ParseGrammar(text);
        EXPECT_FALSE(reading.grammar) << text;
        EXPECT_EQ(reading.errorLine, static_cast<std::size_t>(line)) << text;
        EXPECT_NE(reading.error.find(says), std::string::npos) << reading.error;
    }
    // A missing file, and a folder standing where the file should.
    for (const std::string& path : {std::string("/nonexistent/DORVA_Support/dorva.cfg"),
                                    std::filesystem::temp_directory_path().string()}) {
        const GrammarReading unread = ReadGrammarFile(path);
        EXPECT_FALSE(unread.grammar);
        EXPECT_EQ(unread.errorLine, 0u);
        EXPECT_NE(unread.error.find(path), std::string::npos) << unread.error;
    }
}

// A stop is listened for only where it changes something; the starts and the other commands always are.
TEST(GrammarLookup, FindsWholePhrasesWhateverTheirCaseAndBlanksAndTellsWhichGoOn) {
    const Grammar grammar = Parsed(kGrammar);
    const std::optional<GrammarMatch> match = grammar.Find("  Attack with FOUR   minus two ");
    ASSERT_TRUE(match);
    EXPECT_EQ(match->rule->name + " " + match->phrase->properties[0], "AttackWithDRM 0403");
    EXPECT_FALSE(grammar.Find("attack with four minus"));
    EXPECT_FALSE(grammar.Find(""));
    for (const auto& [words, goesOn] :
         {std::pair{"Repeat", true}, {"repeat that", false}, {"rep", false}, {"", false}}) {
        EXPECT_EQ(grammar.StartsLongerPhrase(words), goesOn) << words;
    }
}

TEST(GrammarWords, EachOnceInLowerCaseAndThoseTheDictionaryLacks) {
    const Grammar grammar = Parsed("rule a\n  Roll Dice\n  roll the dice\nrule b\n  the end\n");
    EXPECT_EQ(grammar.Words(), (std::vector<std::string>{"roll", "dice", "the", "end"}));
    // Alternates "word(2)" and the phones stand aside.
    const std::string dictionary = "dice D AY S\nroll R OW L\nroll(2) R AA L\nthee DH IY\nend(2) EH N D";
    EXPECT_EQ(WordsMissingFrom(grammar, dictionary), std::vector<std::string>({"the"}));
    EXPECT_EQ(WordsMissingFrom(grammar, ""), grammar.Words());
    // One-letter words, and words that begin as another does.
    EXPECT_EQ(WordsMissingFrom(Parsed("rule c\n  a an\n"), "and AH N D\na AH\nan"),
              std::vector<std::string>({}));
    EXPECT_EQ(WordsMissingFrom(Parsed("rule c\n  a an\n"), "and AH N D\na AH"),
              std::vector<std::string>({"an"}));
}

// With the wake word a phrase is a command only after it, and keeps its rule and values; no dictionary
// has to know the word.
TEST(GrammarWakeWord, EveryPhraseBeginsWithItAndNoDictionaryLacksIt) {
    const Grammar grammar = WithWakeWord(Parsed(kGrammar));
    const std::optional<GrammarMatch> match = grammar.Find("Dorva attack with four minus two");
    ASSERT_TRUE(match);
    EXPECT_EQ(match->rule->name + " " + match->phrase->properties[0], "AttackWithDRM 0403");
    EXPECT_FALSE(grammar.Find("activation roll"));
    EXPECT_TRUE(grammar.StartsLongerPhrase("dorva"));
    // What the player says after the wake word alone is the grammar as it was.
    const Grammar after = WithoutWakeWord(grammar);
    EXPECT_FALSE(after.wakeWord);
    EXPECT_EQ(after.Find("attack with four minus two")->phrase->properties, match->phrase->properties);
    EXPECT_FALSE(after.Find("dorva activation roll"));
    EXPECT_EQ(WordsMissingFrom(grammar, "activation\nroll\nfor\none\nthrough\nten\nrepeat\nthat\nattack\n"
                                        "with\nfour\nminus\ntwo"),
              std::vector<std::string>{});
}

// Rule names of the file may start with a digit, which JSGF does not take: JSGF's rules are numbered.
TEST(GrammarJsgf, EveryPhraseIsOneAlternativeOfItsOwnRule) {
    EXPECT_EQ(BuildJsgf(Parsed("rule 1through10\n  One Through Ten\n  one to ten\nrule repeat\n  repeat\n")),
              "#JSGF V1.0;\ngrammar dorva;\npublic <command> = <r0> | <r1>;\n"
              "<r0> = one through ten | one to ten;\n<r1> = repeat;\n");
}

} // namespace
