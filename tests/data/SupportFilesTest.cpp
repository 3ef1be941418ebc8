// Bytes the compiler never writes, and missing tables and files; the compiler's round trips check the rest.
#include "data/NationalityFile.h"
#include "data/SupportFolder.h"
#include "data/TableFile.h"
#include "support/ProgramTest.h"

using namespace dorva::data;
using namespace dorva::test;

namespace {

const std::string F(1, kField);
const std::string M = "DV" + std::string(1, kSection);

ListTable ReadList(const std::string& bytes, const std::string& code, bool absentWhenEmpty = true) {
    ListTable table{"stale", "entries"};
    const auto position = LocateTableSection(bytes, code);
    EXPECT_TRUE(position.has_value()) << code;
    ReadListSection(bytes, position.value_or(0), table, absentWhenEmpty);
    return table;
}

TEST(TableSectionSearch, AnyOrderFirstWinsCaseSensitiveAndHeaderSkipped) {
    TableFileBuilder file;
    const std::string bytes =
        file.Grid("IF", {{"a"}}).List("3A", {"first"}).List("AD", {"upper"}).List("3A", {"x"}).bytes;
    EXPECT_EQ(ReadList(bytes, "3A"), (ListTable{"", "first"}));
    EXPECT_EQ(LocateTableSection(bytes, "Ad"), std::nullopt);
    // Header 1-2, marker 3, code 4-5: the data starts at 6.
    EXPECT_EQ(LocateTableSection(M + "A1", "A1"), 6);
    EXPECT_EQ(LocateTableSection(M + "A", "A1"), std::nullopt);
    // A header that looks like a marker and a code, and a code right after a marker, start nothing.
    EXPECT_EQ(LocateTableSection(std::string(1, kSection) + "A101z" + F, "A1"), std::nullopt);
    EXPECT_EQ(LocateTableSection(M + std::string(1, kSection) + "A101z" + F, "A1"), std::nullopt);
}

TEST(ListReading, CountsFieldsAndTruncation) {
    // clang-format off
    for (const auto& [data, absentWhenEmpty, expected] : {
             std::tuple{" 2a" + F + "b" + F, true, ListTable{"", "a", "b"}},
             {"02 a b " + F + "\xe9t\xe9" + F, true, {"", " a b ", "\xe9t\xe9"}}, {"00", true, {}}, {"00", false, {""}},
             {"-5a" + F, false, {""}}, {"05a" + F + "b" + F, true, {"", "a", "b", "", "", ""}}}) {
        // clang-format on
        EXPECT_EQ(ReadList(M + "3B" + data, "3B", absentWhenEmpty), expected) << data;
    }
    for (std::int32_t position : {-1, 0, 1'000'000}) {
        ListTable table{"stale"};
        ReadListSection(M + "3B01a" + F, position, table, false);
        EXPECT_EQ(table, ListTable{""}) << position;
    }
}

TEST(GridReading, RowRAndColumnCStayEmptyAndCountsMayHoldBlanks) {
    const std::string bytes = M + "IF" + " 2 3" + "a" + F + F + "c" + F + "d" + F + "e";
    GridTable grid;
    ReadGridSection(bytes, LocateTableSection(bytes, "IF").value(), grid);
    EXPECT_EQ(grid.rows * 10 + grid.columns, 23);
    EXPECT_EQ(grid.cells, (std::vector<std::string>{"a", "", "c", "", "d", "e", "", "", "", "", "", ""}));
    EXPECT_EQ(grid.Cell(1, 1), "e");
    ReadGridSection(M + "IF-3xx", 6, grid);
    EXPECT_EQ(grid.rows + grid.columns, 0);
    EXPECT_EQ(grid.cells.size(), 1u);
}

class SupportFiles : public ProgramTest {};

TEST_F(SupportFiles, MissingTableCodesAreReportedInOrderAndLeftAbsent) {
    gTable4A = {"stale"};
    gTableIF.Create(3, 3);
    gTableA5 = {"", "stale"};
    TableFileBuilder file;
    file.Grid("9E", {{"l1", "l2"}}).List("A1", {"S"}).List("4B", {}).List("AD", {"x"});
    folder.Write("config.sco", file.bytes);
    EXPECT_EQ(ReadTableStore(SupportPath("config.sco")),
              (std::vector<std::string>{"A5", "HR", "4A", "4C", "3A", "3B", "3C", "3D", "3E", "CC", "Ad",
                                        "Hd", "IF"}));
    EXPECT_EQ(gTableA1, (ListTable{"", "S"}));
    EXPECT_EQ(gTable9E.Cell(0, 1), "l2");
    EXPECT_EQ(gTableA5, ListTable{""});
    EXPECT_EQ(gTableHR, ListTable{""});
    EXPECT_EQ(UpperBound(gTable4A), -1);
    EXPECT_EQ(UpperBound(gTable4B), -1); // present with count 0: absent as well
    EXPECT_EQ(UpperBound(gTableAd), -1);
    EXPECT_FALSE(gTableIF.Contains(0, 0));
}

ListTable ReadTexts(const std::string& bytes, const std::string& code, int gameDate) {
    std::string tag;
    ListTable table{"stale"};
    ReadNationalityTable(std::string_view(bytes), FindNationalitySection(bytes, code, gameDate, tag), table);
    return table;
}

TEST(VariantChoice, FirstVariantNotEarlierThanTheGameDate) {
    NationalityFileBuilder file;
    file.Section("03", 194206).Texts({"early"}).Variant(194312).Texts({"middle"});
    const std::string& bytes = file.Variant(194612).Texts({"late"}).bytes;
    const std::pair<int, ListTable> cases[] = {{193801, {"", "early"}},  {194206, {"", "early"}},
                                               {194306, {"", "middle"}}, {194312, {"", "middle"}},
                                               {194401, {"", "late"}},   {194701, kNotFoundList}};
    for (const auto& [date, expected] : cases) {
        EXPECT_EQ(ReadTexts(bytes, "03", date), expected) << date;
    }
}

TEST(NationalitySectionSearch, OrderDuplicatesCaseAndTheNextSectionEndingTheVariants) {
    NationalityFileBuilder file("x7");
    file.Section("6A", 194612).Texts({"spg"}).Section("06", 194112).Texts({"afv 41"});
    file.Section("5i", 194612).Texts({"lower"}).Section("5I", 194112).Texts({"gun 41"});
    file.Variant(194612).Texts({"gun 46"}).Section("5I", 194612).Texts({"second"});
    const std::string& bytes = file.bytes;
    EXPECT_EQ(ReadTexts(bytes, "6A", 194306), (ListTable{"", "spg"}));
    // The 1946 variant after "06" belongs to "5I".
    EXPECT_EQ(ReadTexts(bytes, "06", 194306), kNotFoundList);
    EXPECT_EQ(ReadTexts(bytes, "5I", 194306), (ListTable{"", "gun 46"}));
    EXPECT_EQ(ReadTexts(bytes, "5O", 194306), kNotFoundList);
    std::string tag = "old";
    // Header 1-2, tag 3-4, marker 5, code 6-7, date 8-13: the data starts at 14.
    EXPECT_EQ(FindNationalitySection(bytes, "6A", 194306, tag), 14);
    EXPECT_EQ(tag, "x7");
    for (const std::string shortFile : {"", "SD0", "SD01\x1f"}) {
        EXPECT_EQ(FindNationalitySection(shortFile, "03", 194306, tag), -1) << shortFile.size();
    }
}

TEST(TextListReading, CountsFieldsAndTruncation) {
    const std::pair<std::string, ListTable> cases[] = {
        {"  2a" + F + "b" + F, {"", "a", "b"}},
        {"-12a" + F, {""}},
        {"004a" + F + "b", {"", "a", "b", "", ""}},
        {"001a" + F + "\x1d" + "194612001z" + F, {"", "a"}},
    };
    for (const auto& [data, expected] : cases) {
        const std::string bytes = NationalityFileBuilder().Section("04", 194612).Raw(data).bytes;
        EXPECT_EQ(ReadTexts(bytes, "04", 194306), expected) << data;
    }
}

struct SquadRead {
    SquadTable squads;
    std::vector<SquadModifierPeriod> periods{{1, 2, 3}, {4, 5, 6}};
    explicit SquadRead(const std::string& bytes) {
        std::string tag;
        ReadSquadSection(bytes, FindNationalitySection(bytes, "02", 194306, tag), squads, periods);
    }
};

// The built-in table of a file without squads is ScenarioTablesForTheDateAndWhatIsMissing's.
TEST(SquadReading, PeriodCountZeroAndTruncation) {
    const SquadRead none(
        NationalityFileBuilder().Section("02", 194612).Raw("00110a" + F + "b" + F + "0").bytes);
    ASSERT_EQ(none.periods.size(), 1u);
    EXPECT_EQ(none.periods[0].ToDate, 0);
    const SquadRead cut(NationalityFileBuilder().Section("02", 194612).Raw("002E0first" + F + "sec").bytes);
    EXPECT_EQ(cut.squads, (SquadTable{{}, {"", "first", "sec", "0", "E"}, {}}));
}

TEST_F(SupportFiles, ScenarioTablesForTheDateAndWhatIsMissing) {
    NationalityFileBuilder file("R1");
    file.Section("6A", 194206).Texts({"spg 42"}).Variant(194612).Texts({"spg 46"});
    file.Section("01", 194612).Texts({"note one", "note two"});
    folder.Write("Ruritania.sdf", file.bytes);
    ReadScenarioTables("Ruritania", 194306);
    EXPECT_EQ(gSdfTag + " " + gSPGTable[1] + " " + gScenarioNotes[2], "R1 spg 46 note two");
    EXPECT_TRUE(gSPGTableFound);
    // The built-in squads, without periods.
    EXPECT_EQ(gSquadTable, SquadTable(16, SquadRow{"", "(Squad)", "(Half squad)", "0", "1"}));
    EXPECT_EQ(gSquadModifierPeriods.size(), 1u);
    EXPECT_EQ(gLeaderTable, kNotFoundList);
    folder.Write("Ruritania.sdf", NationalityFileBuilder("E9").bytes);
    ReadScenarioTables("Ruritania", 194306);
    EXPECT_EQ(gSPGTable, kNotFoundList);
    EXPECT_FALSE(gSPGTableFound);
}

TEST_F(SupportFiles, AMissingNationalityFileEndsTheProgramWithItsPath) {
    EXPECT_THROW(ReadScenarioTables("Atlantis", 194306), ProgramEnded);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"File DORVA_Support/Atlantis.sdf is not found"});
}

} // namespace
