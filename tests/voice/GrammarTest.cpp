// dorva.cfg read back: what the compiler writes comes back rule by rule, every malformed line is
// reported at its number, and the JSGF handed to the decoder holds each phrase once, under its rule.
#include "voice/Grammar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>

using namespace dorva::voice;

namespace {

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
                             "  attack with four minus two = 0403 -1 2\n";

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

TEST(GrammarReading, CarriageReturnsOfAnotherSystemAreNoPartOfTheLine) {
    const Grammar grammar = Parsed("rule rolldice\r\n  roll dice = 1\r\n");
    ASSERT_EQ(grammar.rules.size(), 1u);
    EXPECT_EQ(grammar.rules[0].phrases[0].words, "roll dice");
    EXPECT_EQ(grammar.rules[0].phrases[0].properties, std::vector<std::string>{"1"});
}

struct Malformed {
    const char* name;
    const char* text;
    std::size_t line;
    const char* says;
};

class MalformedGrammar : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedGrammar, IsRefusedAtItsLine) {
    const Malformed& m = GetParam();
    const GrammarReading reading = ParseGrammar(m.text);
    EXPECT_FALSE(reading.grammar);
    EXPECT_EQ(reading.errorLine, m.line);
    EXPECT_NE(reading.error.find(m.says), std::string::npos) << reading.error;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MalformedGrammar,
    ::testing::Values(
        Malformed{"Empty", "", 0, "no rule"}, Malformed{"OnlyComments", "# nothing\n\n", 0, "no rule"},
        Malformed{"PhraseBeforeRule", "  roll dice\nrule rolldice\n  roll\n", 1, "before the first rule"},
        Malformed{"RuleNameWithBlank", "rule roll dice\n  roll\n", 1, "one name"},
        Malformed{"RuleWithoutName", "rule \n  roll\n", 1, "one name"},
        Malformed{"RuleWithoutPhrase", "rule a\nrule b\n  roll\n", 2, "rule a has no phrase"},
        Malformed{"LastRuleWithoutPhrase", "rule a\n  roll\nrule b\n", 3, "rule b has no phrase"},
        Malformed{"OneBlankIndent", "rule a\n roll\n", 2, "indented by two blanks"},
        Malformed{"ThreeBlankIndent", "rule a\n   roll\n", 2, "indented by two blanks"},
        Malformed{"TabIndent", "rule a\n\troll\n", 2, "indented by two blanks"},
        Malformed{"UnknownKeyword", "rules a\n  roll\n", 1, "indented by two blanks"},
        Malformed{"DoubleBlankBetweenWords", "rule a\n  roll  dice\n", 2, "single blanks"},
        Malformed{"BlankAfterWords", "rule a\n  roll \n", 2, "single blanks"},
        Malformed{"JsgfMark", "rule a\n  roll | dice\n", 2, "'|'"},
        Malformed{"AngleBracket", "rule a\n  roll <dice>\n", 2, "'<'"},
        Malformed{"EqualsWithoutBlanks", "rule a\n  roll =1\n", 2, "'='"},
        Malformed{"NoValueAfterEquals", "rule a\n  roll = \n", 2, "single blanks"},
        Malformed{"DoubleBlankBetweenValues", "rule a\n  roll = 1  2\n", 2, "single blanks"},
        Malformed{"NoWordsBeforeEquals", "rule a\n  = 1\n", 2, "'='"},
        Malformed{"RuleTwice", "rule a\n  roll\nrule a\n  dice\n", 3, "already stands at line 1"},
        Malformed{"PhraseTwiceAnyCase", "rule a\n  roll dice\nrule b\n  Roll Dice\n", 4,
                  "already stands at line 2"}),
    [](const ::testing::TestParamInfo<Malformed>& row) { return std::string(row.param.name); });

TEST(GrammarReading, AMissingFileIsAnErrorOfTheWholeFile) {
    const GrammarReading reading = ReadGrammarFile("/nonexistent/DORVA_Support/dorva.cfg");
    EXPECT_FALSE(reading.grammar);
    EXPECT_EQ(reading.errorLine, 0u);
    EXPECT_NE(reading.error.find("/nonexistent/DORVA_Support/dorva.cfg"), std::string::npos);
}

TEST(GrammarLookup, FindsAPhraseWhateverItsCaseAndBlanks) {
    const Grammar grammar = Parsed(kGrammar);
    const std::optional<GrammarMatch> match = grammar.Find("  Attack with FOUR   minus two ");
    ASSERT_TRUE(match);
    EXPECT_EQ(match->rule->name, "AttackWithDRM");
    EXPECT_EQ(match->phrase->properties[0], "0403");
    EXPECT_FALSE(grammar.Find("attack with four minus"));
    EXPECT_FALSE(grammar.Find(""));
}

struct Prefix {
    const char* words;
    bool goesOn;
};

class LongerPhrase : public ::testing::TestWithParam<Prefix> {};

TEST_P(LongerPhrase, IsStartedOnlyByWholeWordsOfIt) {
    EXPECT_EQ(Parsed(kGrammar).StartsLongerPhrase(GetParam().words), GetParam().goesOn) << GetParam().words;
}

INSTANTIATE_TEST_SUITE_P(Prefixes, LongerPhrase,
                         ::testing::Values(Prefix{"repeat", true}, Prefix{"REPEAT", true},
                                           Prefix{"repeat that", false}, Prefix{"rep", false},
                                           Prefix{"activation", true}, Prefix{"activation roll", false},
                                           Prefix{"", false}));

TEST(GrammarWords, EachWordOnceInLowerCase) {
    const Grammar grammar = Parsed("rule a\n  Roll Dice\n  roll the dice\nrule b\n  the end\n");
    EXPECT_EQ(grammar.Words(), (std::vector<std::string>{"roll", "dice", "the", "end"}));
}

// The JSGF read back by the grammar's own rules: the public rule names every command rule, and each
// command rule's alternatives are exactly its phrases in lower case.
TEST(GrammarJsgf, EveryPhraseIsOneAlternativeOfItsOwnRule) {
    const Grammar grammar = Parsed(kGrammar + std::string("rule Mixed\n  Hex Row\n"));
    const std::string jsgf = BuildJsgf(grammar);
    EXPECT_EQ(jsgf.rfind("#JSGF V1.0;\ngrammar ", 0), 0u) << jsgf;

    const std::regex ruleLine(R"(^(public )?<([A-Za-z_][A-Za-z0-9_]*)> = ([^;]*);$)");
    std::map<std::string, std::vector<std::string>> alternatives;
    std::string publicRule;
    std::istringstream lines(jsgf);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (!std::regex_match(line, m, ruleLine)) {
            continue;
        }
        std::vector<std::string>& list = alternatives[m[2]];
        std::string body = m[3];
        for (std::size_t start = 0;;) {
            const std::size_t bar = body.find(" | ", start);
            list.push_back(body.substr(start, bar - start));
            if (bar == std::string::npos) {
                break;
            }
            start = bar + 3;
        }
        if (m[1].matched) {
            EXPECT_TRUE(publicRule.empty()) << "a second public rule: " << line;
            publicRule = m[2];
        }
    }
    ASSERT_FALSE(publicRule.empty()) << jsgf;
    const std::vector<std::string>& commands = alternatives[publicRule];
    ASSERT_EQ(commands.size(), grammar.rules.size());
    for (std::size_t r = 0; r < grammar.rules.size(); ++r) {
        const std::string reference = commands[r];
        ASSERT_EQ(reference.front(), '<') << reference;
        const std::vector<std::string>& phrases = alternatives[reference.substr(1, reference.size() - 2)];
        ASSERT_EQ(phrases.size(), grammar.rules[r].phrases.size()) << grammar.rules[r].name;
        for (std::size_t p = 0; p < phrases.size(); ++p) {
            EXPECT_EQ(phrases[p], NormalizeWords(grammar.rules[r].phrases[p].words));
        }
    }
}

TEST(GrammarWords, ThoseTheDictionaryLacksAreNamedAlternatesAndPhonesAside) {
    const GrammarReading reading = ParseGrammar("rule rolldice\n  roll the dice\n  roll twice\n");
    ASSERT_TRUE(reading.grammar);
    const std::string dictionary = "dice D AY S\nroll R OW L\nroll(2) R AA L\nthee DH IY\ntwice(2) T W AY S";
    EXPECT_EQ(WordsMissingFrom(*reading.grammar, dictionary), std::vector<std::string>({"the"}));
    EXPECT_EQ(WordsMissingFrom(*reading.grammar, ""), std::vector<std::string>({"roll", "the", "dice", "twice"}));
}

// The grammar the build ships, written by dorva-datac, reads back through this reader.
TEST(ShippedGrammar, ReadsBackWithItsAttackProperties) {
    const char* binary = std::getenv("DORVA_TEST_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    const GrammarReading reading =
        ReadGrammarFile(std::filesystem::path(binary) / "bin" / "DORVA_Support" / "dorva.cfg");
    ASSERT_TRUE(reading.grammar) << reading.errorLine << ": " << reading.error;
    int attacks = 0;
    for (const GrammarRule& rule : reading.grammar->rules) {
        const std::size_t values = rule.name == "AttackWithDRM" ? 3 : rule.name == "AttackWithoutDRM" ? 1 : 0;
        for (const GrammarPhrase& phrase : rule.phrases) {
            EXPECT_EQ(phrase.properties.size(), values) << phrase.words;
            attacks += values > 0;
        }
    }
    EXPECT_GT(attacks, 0);
}

} // namespace
