#include "data/NationalityFile.h"
#include "data/Messages.h"
#include "support/DataFiles.h"

#include <gtest/gtest.h>

using namespace dorva::data;
using dorva::test::kField;
using dorva::test::kSection;
using dorva::test::kVariant;
using dorva::test::NationalityFileBuilder;
using dorva::test::SupportFolder;

namespace {

ListTable ReadTexts(const std::string& bytes, const std::string& code, int gameDate) {
    std::string tag;
    ListTable table{"stale"};
    ReadNationalityTable(std::string_view(bytes), FindNationalitySection(bytes, code, gameDate, tag), table);
    return table;
}

const ListTable kNotFound{"Table not found", ""};

// --- Variant search ---

struct VariantCase {
    int gameDate;
    ListTable expected;
};

class VariantChoice : public ::testing::TestWithParam<VariantCase> {};

TEST_P(VariantChoice, FirstVariantNotEarlierThanTheGameDate) {
    const std::string bytes = NationalityFileBuilder()
                                  .Section("03", 194112)
                                  .Texts({"early"})
                                  .Variant(194312)
                                  .Texts({"middle"})
                                  .Variant(194612)
                                  .Texts({"late"})
                                  .Bytes();
    EXPECT_EQ(ReadTexts(bytes, "03", GetParam().gameDate), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, VariantChoice,
    ::testing::Values(VariantCase{193801, {"", "early"}}, VariantCase{194112, {"", "early"}},
                      VariantCase{194201, {"", "middle"}}, VariantCase{194206, {"", "middle"}},
                      VariantCase{194312, {"", "middle"}}, VariantCase{194401, {"", "late"}},
                      VariantCase{194612, {"", "late"}}, VariantCase{194701, kNotFound}));

TEST(NationalitySectionSearch, PositionIsTheByteAfterTheDateAndTagIsRead) {
    const std::string bytes = NationalityFileBuilder("x7").Section("04", 194612).Texts({"a"}).Bytes();
    std::string tag;
    // Header 1-2, tag 3-4, marker 5, code 6-7, date 8-13: the data starts at 14.
    EXPECT_EQ(FindNationalitySection(bytes, "04", 194306, tag), 14);
    EXPECT_EQ(tag, "x7");
    tag = "old";
    EXPECT_EQ(FindNationalitySection(bytes, "06", 194306, tag), -1);
    EXPECT_EQ(tag, "x7"); // set at every search, found or not
}

TEST(NationalitySectionSearch, SectionsInAnyOrderAndFirstOfACodeWins) {
    const std::string bytes = NationalityFileBuilder()
                                  .Section("6A", 194612)
                                  .Texts({"spg"})
                                  .Section("04", 194612)
                                  .Texts({"first"})
                                  .Section("04", 194612)
                                  .Texts({"second"})
                                  .Section("01", 194612)
                                  .Texts({"note"})
                                  .Bytes();
    EXPECT_EQ(ReadTexts(bytes, "04", 194306), (ListTable{"", "first"}));
    EXPECT_EQ(ReadTexts(bytes, "6A", 194306), (ListTable{"", "spg"}));
    EXPECT_EQ(ReadTexts(bytes, "01", 194306), (ListTable{"", "note"}));
}

TEST(NationalitySectionSearch, CodesAreCaseSensitive) {
    const std::string bytes = NationalityFileBuilder()
                                  .Section("5i", 194612)
                                  .Texts({"lower"})
                                  .Section("5I", 194612)
                                  .Texts({"upper"})
                                  .Bytes();
    EXPECT_EQ(ReadTexts(bytes, "5I", 194306), (ListTable{"", "upper"}));
    EXPECT_EQ(ReadTexts(NationalityFileBuilder().Section("5o", 194612).Texts({"x"}).Bytes(), "5O", 194306),
              kNotFound);
}

TEST(NationalitySectionSearch, VariantScanStopsAtTheNextSection) {
    // The "06" section has nothing late enough; the 1946 variant after it belongs to "5I".
    const std::string bytes = NationalityFileBuilder()
                                  .Section("06", 194112)
                                  .Texts({"afv 41"})
                                  .Section("5I", 194112)
                                  .Texts({"gun 41"})
                                  .Variant(194612)
                                  .Texts({"gun 46"})
                                  .Bytes();
    EXPECT_EQ(ReadTexts(bytes, "06", 194306), kNotFound);
    EXPECT_EQ(ReadTexts(bytes, "5I", 194306), (ListTable{"", "gun 46"}));
}

TEST(NationalitySectionSearch, FirstSectionTooEarlyHidesALaterOneOfTheSameCode) {
    const std::string bytes = NationalityFileBuilder()
                                  .Section("03", 194112)
                                  .Texts({"old"})
                                  .Section("03", 194612)
                                  .Texts({"new"})
                                  .Bytes();
    EXPECT_EQ(ReadTexts(bytes, "03", 194306), kNotFound);
}

TEST(NationalitySectionSearch, DatesWithBlanksAndTruncatedDates) {
    std::string bytes = NationalityFileBuilder()
                            .Raw(std::string(1, kSection) + "03" + " 19461" + "001" + "a" + kField)
                            .Bytes();
    // " 19461" reads as 19461, earlier than any game date.
    EXPECT_EQ(ReadTexts(bytes, "03", 194306), kNotFound);
    bytes = NationalityFileBuilder().Raw(std::string(1, kSection) + "03" + "1946").Bytes();
    EXPECT_EQ(ReadTexts(bytes, "03", 194306), kNotFound);
    bytes = NationalityFileBuilder().Raw(std::string(1, kSection) + "03" + "194612").Bytes();
    // Found at the very end: nothing follows, so the list is empty but found.
    EXPECT_EQ(ReadTexts(bytes, "03", 194306), ListTable{""});
    bytes = NationalityFileBuilder()
                .Section("03", 194112)
                .Texts({"a"})
                .Raw(std::string(1, kVariant) + "19")
                .Bytes();
    EXPECT_EQ(ReadTexts(bytes, "03", 194306), kNotFound);
}

TEST(NationalitySectionSearch, ShortFilesFindNothing) {
    for (const std::string bytes : {"", "S", "SD0", "SD01", "SD01\x1f",
                                    "SD01\x1f"
                                    "0"}) {
        std::string tag;
        EXPECT_EQ(FindNationalitySection(bytes, "03", 194306, tag), -1) << bytes.size();
    }
}

// --- Text lists ---

struct TextCase {
    const char* name;
    std::string data;
    ListTable expected;
};

class TextListReading : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextListReading, ReadsTheVariantData) {
    const std::string bytes = NationalityFileBuilder().Section("04", 194612).Raw(GetParam().data).Bytes();
    EXPECT_EQ(ReadTexts(bytes, "04", 194306), GetParam().expected);
}

const std::string F(1, kField);

INSTANTIATE_TEST_SUITE_P(
    Cases, TextListReading,
    ::testing::Values(TextCase{"CountZeroIsAFoundEmptyList", "000", {""}},
                      TextCase{"ThreeDigitCount", "002LMG" + F + "MMG" + F, {"", "LMG", "MMG"}},
                      TextCase{"CountWithBlanks", "  2a" + F + "b" + F, {"", "a", "b"}},
                      TextCase{"EmptyFields", "003" + F + "b" + F + F, {"", "", "b", ""}},
                      TextCase{"NonNumberCount", "abc" + F, {""}},
                      TextCase{"NegativeCount", "-12a" + F, {""}},
                      TextCase{"CountPastTheEnd", "004a" + F + "b", {"", "a", "b", "", ""}},
                      TextCase{"StopsAtTheNextVariantCount",
                               "001a" + F + std::string(1, kVariant) + "194612001z" + F,
                               {"", "a"}}),
    [](const ::testing::TestParamInfo<TextCase>& p) { return std::string(p.param.name); });

// --- Squads ---

TEST(SquadReading, RowsColumnsAndPeriods) {
    const std::string bytes = NationalityFileBuilder()
                                  .Section("02", 194612)
                                  .Squads({{'E', '1', "6-5-8", "3-3-8"}, {'2', '0', "4-3-6", ""}},
                                          {{193909, 194106, "-1"}, {194107, 194612, " 2"}})
                                  .Bytes();
    std::string tag;
    SquadTable squads;
    std::vector<SquadModifierPeriod> periods;
    ReadSquadSection(bytes, FindNationalitySection(bytes, "02", 194306, tag), squads, periods);
    ASSERT_EQ(squads.size(), 3u);
    EXPECT_EQ(squads[0], (SquadRow{}));
    EXPECT_EQ(squads[1], (SquadRow{"", "6-5-8", "3-3-8", "1", "E"}));
    EXPECT_EQ(squads[2], (SquadRow{"", "4-3-6", "", "0", "2"}));
    ASSERT_EQ(periods.size(), 3u);
    EXPECT_EQ(periods[0].FromDate, 0);
    EXPECT_EQ(periods[0].Modifier, 0);
    EXPECT_EQ(periods[1].FromDate, 193909);
    EXPECT_EQ(periods[1].ToDate, 194106);
    EXPECT_EQ(periods[1].Modifier, -1);
    EXPECT_EQ(periods[2].FromDate, 194107);
    EXPECT_EQ(periods[2].ToDate, 194612);
    EXPECT_EQ(periods[2].Modifier, 2);
}

TEST(SquadReading, PeriodCountZeroLeavesOnlyRecordZero) {
    const std::string bytes =
        NationalityFileBuilder().Section("02", 194612).Squads({{'1', '0', "a", "b"}}, {}).Bytes();
    std::string tag;
    SquadTable squads;
    std::vector<SquadModifierPeriod> periods{{1, 2, 3}, {4, 5, 6}};
    ReadSquadSection(bytes, FindNationalitySection(bytes, "02", 194306, tag), squads, periods);
    ASSERT_EQ(periods.size(), 1u);
    EXPECT_EQ(periods[0].ToDate, 0);
    EXPECT_EQ(squads.size(), 2u);
}

TEST(SquadReading, BuiltInTableWhenNotFound) {
    SquadTable squads;
    std::vector<SquadModifierPeriod> periods{{1, 2, 3}};
    ReadSquadSection(std::string_view(), -1, squads, periods);
    ASSERT_EQ(squads.size(), 16u);
    for (const SquadRow& row : squads) {
        EXPECT_EQ(row, (SquadRow{"", "(Squad)", "(Half squad)", "0", "1"}));
    }
    ASSERT_EQ(periods.size(), 1u);
    EXPECT_EQ(periods[0].Modifier, 0);
}

TEST(SquadReading, TruncatedSectionKeepsItsShape) {
    const std::string bytes =
        NationalityFileBuilder().Section("02", 194612).Raw("003E0first" + F + "sec").Bytes();
    std::string tag;
    SquadTable squads;
    std::vector<SquadModifierPeriod> periods;
    ReadSquadSection(bytes, FindNationalitySection(bytes, "02", 194306, tag), squads, periods);
    ASSERT_EQ(squads.size(), 4u);
    EXPECT_EQ(squads[1], (SquadRow{"", "first", "sec", "0", "E"}));
    EXPECT_EQ(squads[2], (SquadRow{}));
    EXPECT_EQ(periods.size(), 1u);
}

TEST(SquadReading, PeriodsPastTheEndStayZero) {
    const std::string bytes = NationalityFileBuilder()
                                  .Section("02", 194612)
                                  .Raw("000"
                                       "3"
                                       "194001194112 1"
                                       "1942")
                                  .Bytes();
    std::string tag;
    SquadTable squads;
    std::vector<SquadModifierPeriod> periods;
    ReadSquadSection(bytes, FindNationalitySection(bytes, "02", 194306, tag), squads, periods);
    ASSERT_EQ(periods.size(), 4u);
    EXPECT_EQ(periods[1].ToDate, 194112);
    EXPECT_EQ(periods[1].Modifier, 1);
    EXPECT_EQ(periods[2].FromDate, 1942);
    EXPECT_EQ(periods[2].ToDate, 0);
    EXPECT_EQ(periods[3].FromDate, 0);
}

// --- The scenario tables, through the file ---

class ScenarioTablesReading : public ::testing::Test {
protected:
    void SetUp() override {
        ResetScenarioTables();
        SetMessageSink([this](const std::string& m) { messages.push_back(m); });
        SetQuitHandler([] { throw ProgramEnded("quit"); });
    }
    void TearDown() override {
        SetMessageSink(nullptr);
        SetQuitHandler(nullptr);
        ResetScenarioTables();
    }
    SupportFolder folder;
    std::vector<std::string> messages;
};

TEST_F(ScenarioTablesReading, ReadsEveryTableForTheDate) {
    folder.Write("Ruritania.sdf", NationalityFileBuilder("R1")
                                      .Section("6A", 194206)
                                      .Texts({"spg 42"})
                                      .Variant(194612)
                                      .Texts({"spg 46"})
                                      .Section("01", 194612)
                                      .Texts({"note one", "note two"})
                                      .Section("02", 194112)
                                      .Squads({{'1', '0', "old", "o"}}, {})
                                      .Variant(194612)
                                      .Squads({{'E', '1', "new", "n"}}, {{194201, 194612, "-1"}})
                                      .Section("03", 194612)
                                      .Texts({"leader"})
                                      .Section("04", 194612)
                                      .Texts({"sw"})
                                      .Section("06", 194612)
                                      .Texts({"afv"})
                                      .Section("5I", 194612)
                                      .Texts({"in"})
                                      .Section("5O", 194612)
                                      .Texts({})
                                      .Bytes());
    ReadScenarioTables("Ruritania", 194306);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(gSdfTag, "R1");
    ASSERT_EQ(gSquadTable.size(), 2u);
    EXPECT_EQ(gSquadTable[1], (SquadRow{"", "new", "n", "1", "E"}));
    ASSERT_EQ(gSquadModifierPeriods.size(), 2u);
    EXPECT_EQ(gSquadModifierPeriods[1].Modifier, -1);
    EXPECT_EQ(gScenarioNotes, (ListTable{"", "note one", "note two"}));
    EXPECT_EQ(gLeaderTable, (ListTable{"", "leader"}));
    EXPECT_EQ(gSWTable, (ListTable{"", "sw"}));
    EXPECT_EQ(gAFVTable, (ListTable{"", "afv"}));
    EXPECT_EQ(gGunsInsideTable, (ListTable{"", "in"}));
    EXPECT_EQ(gGunsOutsideTable, ListTable{""});
    EXPECT_EQ(gSPGTable, (ListTable{"", "spg 46"}));
    EXPECT_TRUE(gSPGTableFound);

    ReadScenarioTables("Ruritania", 194112);
    EXPECT_EQ(gSquadTable[1][1], "old");
    EXPECT_EQ(gSPGTable, (ListTable{"", "spg 42"}));
}

TEST_F(ScenarioTablesReading, MissingSectionsFallBack) {
    folder.Write("Empty.sdf", NationalityFileBuilder("E9").Bytes());
    gSPGTableFound = true;
    ReadScenarioTables("Empty", 194306);
    EXPECT_EQ(gSdfTag, "E9");
    ASSERT_EQ(gSquadTable.size(), 16u);
    EXPECT_EQ(gSquadTable[15][1], "(Squad)");
    EXPECT_EQ(gSquadModifierPeriods.size(), 1u);
    for (const ListTable* table : {&gScenarioNotes, &gLeaderTable, &gSWTable, &gAFVTable, &gGunsInsideTable,
                                   &gGunsOutsideTable, &gSPGTable}) {
        EXPECT_EQ(*table, kNotFound);
    }
    EXPECT_FALSE(gSPGTableFound);
}

TEST_F(ScenarioTablesReading, MissingFileEndsTheProgramWithItsPath) {
    EXPECT_THROW(ReadScenarioTables("Atlantis", 194306), ProgramEnded);
    EXPECT_EQ(messages, std::vector<std::string>{"File DORVA_Support/Atlantis.sdf is not found"});
}

TEST_F(ScenarioTablesReading, FileRemovedBetweenSearchAndReadEndsTheProgram) {
    folder.Write("Gone.sdf", NationalityFileBuilder().Section("03", 194612).Texts({"x"}).Bytes());
    const std::int32_t position = FindNationalitySection("Gone", "03", 194306);
    EXPECT_GT(position, 0);
    folder.Remove("Gone.sdf");
    EXPECT_THROW(ReadNationalityTable("Gone", position, gLeaderTable), ProgramEnded);
    EXPECT_EQ(messages, std::vector<std::string>{"File DORVA_Support/Gone.sdf is not found"});
    // Not found needs no file at all.
    ReadNationalityTable("Gone", -1, gLeaderTable);
    ReadSquadSection("Gone", -1);
    EXPECT_EQ(gLeaderTable, kNotFound);
    EXPECT_EQ(messages.size(), 1u);
}

} // namespace
