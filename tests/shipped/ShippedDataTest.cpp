// These checks catch a data edit that the compiler accepts but that a game would trip over.

#include "activation/UnitDetermination.h"
#include "data/NationalityFile.h"
#include "data/SupportFolder.h"
#include "support/ProgramTest.h"
#include "voice/Grammar.h"

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>

using namespace dorva::data;

namespace {

class ShippedData : public dorva::test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(dorva::test::ReadShippedTables().empty()) << "build the support files first";
        grammar = dorva::voice::ReadGrammarFile(gProgramFolder / "DORVA_Support" / "dorva.cfg");
        ASSERT_TRUE(grammar.grammar) << grammar.errorLine << ": " << grammar.error;
    }
    dorva::voice::GrammarReading grammar;
};

TEST_F(ShippedData, RuleTablesCoverEveryRollThatReachesThem) {
    // Final A1 DR -1 to 14 reads entries 1 to 16; a rider never stands first.
    ASSERT_EQ(UpperBound(gTableA1), 16);
    for (int k = 1; k <= 16; ++k) {
        const std::string& codes = gTableA1[static_cast<std::size_t>(k)];
        ASSERT_FALSE(codes.empty()) << k;
        EXPECT_NE(codes.front(), 'R') << k;
        EXPECT_EQ(codes.find_first_not_of("SHLWAGPFR-"), std::string::npos) << codes;
    }
    EXPECT_EQ(UpperBound(gTableA5), 6);
    EXPECT_EQ(gTableHR, dorva::test::HexRows());
    for (const ListTable* table :
         {&gTable4A, &gTable4B, &gTable4C, &gTable3A, &gTable3B, &gTable3C, &gTable3D}) {
        ASSERT_EQ(UpperBound(*table), 11);
        EXPECT_EQ(std::count(table->begin() + 1, table->end(), ""), 0);
    }
    EXPECT_GE(UpperBound(gTable3E), 6);
    EXPECT_GE(UpperBound(gTableCC), 1);
    for (const ListTable* table : {&gTableHd, &gTableAd}) {
        ASSERT_EQ(UpperBound(*table), 11);
        for (const std::string& word : std::vector(table->begin() + 1, table->end())) {
            EXPECT_TRUE(word == "Move" || word == "Entrench" || word == "Panic" || word == "Fire") << word;
        }
    }
    // Suspect locations: rows 0 to 6, a location text and a spoken text each. A location follows
    // "dr = " in the locations file, so it starts with its dr and a blank.
    ASSERT_GE(gTable9E.rows, 7);
    ASSERT_GE(gTable9E.columns, 2);
    for (int r = 0; r <= 6; ++r) {
        EXPECT_EQ(gTable9E.Cell(r, 0).rfind(std::to_string(r) + " ", 0), 0u) << gTable9E.Cell(r, 0);
        EXPECT_FALSE(gTable9E.Cell(r, 1).empty()) << r;
    }
}

// The recogniser's reader refuses a phrase standing in two rules. The look-up DRs and the columns
// themselves are the compiler's own checks.
TEST_F(ShippedData, EverySpokenAttackFindsItsTableCell) {
    int attacks = 0;
    for (const dorva::voice::GrammarRule& rule : grammar.grammar->rules) {
        if (rule.name != "AttackWithDRM" && rule.name != "AttackWithoutDRM") {
            continue;
        }
        for (const dorva::voice::GrammarPhrase& phrase : rule.phrases) {
            ASSERT_EQ(phrase.properties.at(0).size(), 4u) << phrase.words;
            ++attacks;
            // Rows 1 to 16 serve attack totals 0 to 15.
            for (int row = 1; row <= 16; ++row) {
                EXPECT_FALSE(gTableIF.Cell(row, std::stoi(phrase.properties[0].substr(2, 2))).empty())
                    << phrase.words << " row " << row;
            }
        }
    }
    EXPECT_GT(attacks, 0);
}

// The phrases under one heading all do one thing; the switches answer to their plain words too.
TEST_F(ShippedData, WhatCanISayListsExactlyWhatTheGrammarObeys) {
    std::string list;
    ASSERT_TRUE(ReadFileBytes(gProgramFolder / "DORVA_Support" / "DORVA2_What_Can_I_Say.txt", list));

    std::map<std::string, std::string> ruleOfHeading;
    std::map<std::string, std::string> phraseRule; // every listed phrase -> the rule it is under
    std::string heading;
    std::istringstream lines(list);
    for (std::string line; std::getline(lines, line);) {
        line = line.substr(0, line.find('\r'));
        if (line.rfind("    ", 0) != 0) {
            heading = line;
            continue;
        }
        const std::string phrase = line.substr(4);
        if (phrase.find('<') != std::string::npos) {
            continue; // a pattern: its slots are listed below it
        }
        const auto match = grammar.grammar->Find(phrase);
        ASSERT_TRUE(match) << "listed but not obeyed: " << phrase;
        EXPECT_EQ(ruleOfHeading.emplace(heading, match->rule->name).first->second, match->rule->name)
            << heading << ": " << phrase;
        phraseRule[phrase] = match->rule->name;
    }
    // Each switch's rule is its words without the blank.
    for (std::string phrase :
         {"start listening", "stop listening", "start talking", "stop talking", "repeat"}) {
        EXPECT_EQ(phraseRule[phrase], std::regex_replace(phrase, std::regex(" "), "")) << phrase;
    }
}

// A reworded phrase must not leave the decoder taught an accent's way of saying a word no longer said.
TEST_F(ShippedData, EveryTaughtPronunciationIsOfAWordThePhrasesSay) {
    const std::vector<std::string> words = grammar.grammar->Words();
    for (const dorva::voice::TaughtPronunciation& taught : dorva::voice::kAccentPronunciations) {
        EXPECT_NE(std::find(words.begin(), words.end(), taught.word), words.end()) << taught.word;
    }
}

TEST_F(ShippedData, EveryNationalityHasTablesForEveryMonthOfTheWar) {
    const std::vector<std::string> names = dorva::test::ShippedNationalities();
    ASSERT_GE(names.size(), 6u);
    std::set<std::string> tags;
    int withSpecialForces = 0;
    int withoutSpg = 0;
    for (const std::string& name : names) {
        bool special = false;
        bool spgEverMissing = false;
        for (int date = 193801; date <= 194612; date += (date % 100 == 12 ? 89 : 1)) {
            SCOPED_TRACE(name + " " + std::to_string(date));
            ReadScenarioTables(name, date);
            // Squads: every final squad DR that the date's modifier allows has a row.
            dorva::setup::gGameDate = std::to_string(date);
            const int modifier = dorva::activation::DetermineSquadModifiers();
            ASSERT_GE(2 + modifier, 0);
            ASSERT_GT(gSquadTable.size(), static_cast<std::size_t>(12 + modifier + 1));
            for (int finalDr = 2 + modifier; finalDr <= 12 + modifier; ++finalDr) {
                const auto& row = gSquadTable[static_cast<std::size_t>(finalDr + 1)];
                EXPECT_FALSE(row[1].empty());
                EXPECT_FALSE(row[2].empty());
                special = special || row[3] == "1";
            }
            EXPECT_NE(gSquadTable[1][1], "(Squad)") << "no squad section for the date";
            // Leaders are read at unit DR + 1, the others at unit DR - 1.
            EXPECT_GE(UpperBound(gLeaderTable), 13);
            for (const ListTable* table : {&gSWTable, &gAFVTable, &gGunsInsideTable, &gGunsOutsideTable}) {
                EXPECT_GE(UpperBound(*table), 11);
            }
            EXPECT_NE(gScenarioNotes[0], kTableNotFound);
            spgEverMissing = spgEverMissing || !gSPGTableFound;
            EXPECT_TRUE(!gSPGTableFound || UpperBound(gSPGTable) >= 11);
            // AFV alternatives "text[n] " end with a 6, so that every die finds one (where they
            // may stand, and a squad's class, are the compiler's checks).
            for (const std::string& text : gAFVTable) {
                const auto last = text.rfind('[');
                EXPECT_TRUE(last == std::string::npos || text.substr(last) == "[6] ") << text;
            }
        }
        tags.insert(gSdfTag);
        withSpecialForces += special ? 1 : 0;
        withoutSpg += spgEverMissing ? 1 : 0;
    }
    EXPECT_EQ(tags.size(), names.size()) << "every nationality needs a tag of its own";
    EXPECT_GE(withSpecialForces, 2);
    EXPECT_GE(withoutSpg, 1);
}

} // namespace
