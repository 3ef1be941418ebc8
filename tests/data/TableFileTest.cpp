#include "data/TableFile.h"
#include "support/DataFiles.h"

#include <gtest/gtest.h>

using namespace dorva::data;
using dorva::test::kField;
using dorva::test::kSection;
using dorva::test::SupportFolder;
using dorva::test::TableFileBuilder;

namespace {

ListTable ReadList(const std::string& bytes, const std::string& code, bool absentWhenEmpty = true) {
    ListTable table{"stale", "entries"};
    const auto position = LocateTableSection(bytes, code);
    EXPECT_TRUE(position.has_value()) << code;
    ReadListSection(bytes, position.value_or(0), table, absentWhenEmpty);
    return table;
}

// --- Section search ---

TEST(TableSectionSearch, FindsEachSectionByItsCodeWhateverItsPlace) {
    const std::string bytes = TableFileBuilder()
                                  .List("Hd", {"h"})
                                  .Grid("IF", {{"a"}})
                                  .List("A1", {"x", "y"})
                                  .List("4A", {"n"})
                                  .Bytes();
    EXPECT_EQ(ReadList(bytes, "A1"), (ListTable{"", "x", "y"}));
    EXPECT_EQ(ReadList(bytes, "Hd"), (ListTable{"", "h"}));
    EXPECT_EQ(ReadList(bytes, "4A"), (ListTable{"", "n"}));
}

TEST(TableSectionSearch, PositionIsTheByteAfterTheCode) {
    const std::string bytes = "DV" + std::string(1, kSection) + "A1" + "01x" + kField;
    // Header at 1-2, marker at 3, code at 4-5: the data starts at 6.
    EXPECT_EQ(FindTableSection(std::string_view(bytes), "A1"), 6);
    EXPECT_EQ(LocateTableSection(bytes, "A1"), 6);
}

TEST(TableSectionSearch, MissingCodeGivesTheBytesPassedAfterTheHeader) {
    const std::string bytes = TableFileBuilder().List("A1", {"x"}).Bytes();
    EXPECT_EQ(LocateTableSection(bytes, "A5"), std::nullopt);
    EXPECT_EQ(FindTableSection(std::string_view(bytes), "A5"), static_cast<std::int32_t>(bytes.size()) - 2);
    EXPECT_EQ(FindTableSection(std::string_view(""), "A5"), 0);
    EXPECT_EQ(FindTableSection(std::string_view("D"), "A5"), 0);
}

TEST(TableSectionSearch, FirstSectionOfACodeWins) {
    const std::string bytes = TableFileBuilder().List("3A", {"first"}).List("3A", {"second"}).Bytes();
    EXPECT_EQ(ReadList(bytes, "3A"), (ListTable{"", "first"}));
}

TEST(TableSectionSearch, CodesAreCaseSensitive) {
    const std::string bytes = TableFileBuilder().List("AD", {"upper"}).List("Ad", {"mixed"}).Bytes();
    EXPECT_EQ(ReadList(bytes, "Ad"), (ListTable{"", "mixed"}));
    EXPECT_EQ(LocateTableSection(TableFileBuilder().List("AD", {"upper"}).Bytes(), "Ad"), std::nullopt);
}

TEST(TableSectionSearch, HeaderIsNeverTakenForASection) {
    // A header that looks like a marker and a code is skipped.
    const std::string bytes = std::string(1, kSection) + "A" + "1" + "01z" + kField;
    EXPECT_EQ(LocateTableSection(bytes, "A1"), std::nullopt);
}

TEST(TableSectionSearch, ACodeThatDoesNotMatchIsPassedOverWhole) {
    // The marker's code is "\x1fA"; the "1" after it starts no section.
    const std::string bytes = "DV" + std::string(2, kSection) + "A1" + "01z" + kField;
    EXPECT_EQ(LocateTableSection(bytes, "A1"), std::nullopt);
}

TEST(TableSectionSearch, MarkerAtTheVeryEndFindsNothing) {
    EXPECT_EQ(LocateTableSection("DV" + std::string(1, kSection), "A1"), std::nullopt);
    EXPECT_EQ(LocateTableSection("DV" + std::string(1, kSection) + "A", "A1"), std::nullopt);
    EXPECT_EQ(LocateTableSection("DV" + std::string(1, kSection) + "A1", "A1"), 6);
}

// --- List reading ---

struct ListCase {
    const char* name;
    std::string data; // the section data after the code
    bool absentWhenEmpty;
    ListTable expected;
};

class ListReading : public ::testing::TestWithParam<ListCase> {};

TEST_P(ListReading, ReadsTheSectionData) {
    const ListCase& c = GetParam();
    const std::string bytes = "DV" + std::string(1, kSection) + "3B" + c.data;
    EXPECT_EQ(ReadList(bytes, "3B", c.absentWhenEmpty), c.expected);
}

const std::string F(1, kField);

INSTANTIATE_TEST_SUITE_P(
    Cases, ListReading,
    ::testing::Values(
        ListCase{"TwoDigitCount", "03a" + F + "b" + F + "c" + F, true, {"", "a", "b", "c"}},
        ListCase{"CountWithLeadingBlank", " 2a" + F + "b" + F, true, {"", "a", "b"}},
        ListCase{"CountWithTrailingBlank", "2 a" + F + "b" + F, true, {"", "a", "b"}},
        ListCase{"EmptyFields", "03" + F + F + "c" + F, true, {"", "", "", "c"}},
        ListCase{"FieldsKeepBlanksAndHighBytes",
                 "02 a b " + F + "\xe9t\xe9" + F,
                 true,
                 {"", " a b ", "\xe9t\xe9"}},
        ListCase{"CountZeroMakesSecondKindAbsent", "00", true, {}},
        ListCase{"CountZeroGivesOnlyEntryZero", "00", false, {""}},
        ListCase{"NonNumberCountReadsAsZero", "xx" + F, true, {}},
        ListCase{"NegativeCountReadsAsZero", "-5a" + F, false, {""}},
        ListCase{"CountPastTheEndKeepsItsShape", "05a" + F + "b" + F, true, {"", "a", "b", "", "", ""}},
        ListCase{"LastFieldWithoutTerminatorEndsAtTheEnd", "02a" + F + "tail", true, {"", "a", "tail"}},
        ListCase{"TruncatedCount", "1", false, {"", ""}}, ListCase{"NoDataAtAll", "", true, {}},
        ListCase{"ExtraFieldsAreIgnored", "01a" + F + "b" + F, true, {"", "a"}}),
    [](const ::testing::TestParamInfo<ListCase>& p) { return std::string(p.param.name); });

TEST(ListReadingPosition, PositionOutsideTheFileReadsNothing) {
    const std::string bytes = TableFileBuilder().List("A1", {"x"}).Bytes();
    for (std::int32_t position : {-1, 0, static_cast<std::int32_t>(bytes.size()) + 1, 1'000'000}) {
        ListTable table{"stale"};
        ReadListSection(bytes, position, table, false);
        EXPECT_EQ(table, ListTable{""}) << position;
        ReadListSection(bytes, position, table, true);
        EXPECT_TRUE(table.empty()) << position;
    }
}

// --- Grid reading ---

TEST(GridReading, FillsRowsByRowAndLeavesRowRAndColumnCEmpty) {
    const std::string bytes = TableFileBuilder().Grid("9E", {{"a", "b", "c"}, {"d", "", "f"}}).Bytes();
    GridTable grid;
    ReadGridSection(bytes, LocateTableSection(bytes, "9E").value(), grid);
    EXPECT_EQ(grid.rows, 2);
    EXPECT_EQ(grid.columns, 3);
    ASSERT_EQ(grid.cells.size(), 12u);
    const std::vector<std::vector<std::string>> expected = {
        {"a", "b", "c", ""}, {"d", "", "f", ""}, {"", "", "", ""}};
    for (int r = 0; r <= 2; ++r) {
        for (int c = 0; c <= 3; ++c) {
            EXPECT_EQ(grid.Cell(r, c), expected[r][c]) << r << "," << c;
        }
    }
}

TEST(GridReading, CountsWithBlanksAndTruncation) {
    const std::string bytes = "DV" + std::string(1, kSection) + "IF" + " 2 2" + "a" + F + "b" + F + "c";
    GridTable grid;
    ReadGridSection(bytes, LocateTableSection(bytes, "IF").value(), grid);
    EXPECT_EQ(grid.rows, 2);
    EXPECT_EQ(grid.columns, 2);
    EXPECT_EQ(grid.Cell(0, 0), "a");
    EXPECT_EQ(grid.Cell(0, 1), "b");
    EXPECT_EQ(grid.Cell(1, 0), "c");
    EXPECT_EQ(grid.Cell(1, 1), "");
    EXPECT_EQ(grid.cells.size(), 9u);
}

TEST(GridReading, NegativeAndNonNumberCountsReadAsZero) {
    const std::string bytes = "DV" + std::string(1, kSection) + "IF" + "-3xx";
    GridTable grid;
    ReadGridSection(bytes, 6, grid);
    EXPECT_EQ(grid.rows, 0);
    EXPECT_EQ(grid.columns, 0);
    EXPECT_EQ(grid.cells.size(), 1u);
}

// --- The store, through the file ---

class TableStoreLoading : public ::testing::Test {
protected:
    void SetUp() override { ResetTableStore(); }
    void TearDown() override { ResetTableStore(); }
    SupportFolder folder;
    const std::string path = SupportPath("config.sco");
};

TEST_F(TableStoreLoading, ReadsEverySixteenTablesInAnyOrder) {
    TableFileBuilder b;
    b.Grid("9E", {{"l1", "l2"}})
        .List("Hd", {"hd"})
        .List("Ad", {"ad"})
        .List("CC", {"cc"})
        .List("3E", {"3e"})
        .List("3D", {"3d"})
        .List("3C", {"3c"})
        .List("3B", {"3b"})
        .List("3A", {"3a"})
        .List("4C", {"4c"})
        .List("4B", {"4b"})
        .List("4A", {"4a"})
        .List("HR", {"A", "B"})
        .List("A5", {"f"})
        .List("A1", {"S", "SL"})
        .Grid("IF", {{"1", "2"}, {"3", "4"}});
    folder.Write("config.sco", b.Bytes());
    EXPECT_TRUE(ReadTableStore(path).empty());
    EXPECT_EQ(gTableA1, (ListTable{"", "S", "SL"}));
    EXPECT_EQ(gTableA5, (ListTable{"", "f"}));
    EXPECT_EQ(gTableHR, (ListTable{"", "A", "B"}));
    EXPECT_EQ(gTable4A, (ListTable{"", "4a"}));
    EXPECT_EQ(gTable4B, (ListTable{"", "4b"}));
    EXPECT_EQ(gTable4C, (ListTable{"", "4c"}));
    EXPECT_EQ(gTable3A, (ListTable{"", "3a"}));
    EXPECT_EQ(gTable3B, (ListTable{"", "3b"}));
    EXPECT_EQ(gTable3C, (ListTable{"", "3c"}));
    EXPECT_EQ(gTable3D, (ListTable{"", "3d"}));
    EXPECT_EQ(gTable3E, (ListTable{"", "3e"}));
    EXPECT_EQ(gTableCC, (ListTable{"", "cc"}));
    EXPECT_EQ(gTableAd, (ListTable{"", "ad"}));
    EXPECT_EQ(gTableHd, (ListTable{"", "hd"}));
    EXPECT_EQ(gTableIF.Cell(1, 1), "4");
    EXPECT_EQ(gTableIF.rows, 2);
    EXPECT_EQ(gTable9E.Cell(0, 1), "l2");
    EXPECT_EQ(gTable9E.columns, 2);
}

TEST_F(TableStoreLoading, MissingCodesAreReportedInOrderAndLeftAbsent) {
    gTable4A = {"stale"};
    gTableIF.Create(3, 3);
    gTableA5 = {"", "stale"};
    folder.Write("config.sco", TableFileBuilder().List("A1", {"S"}).List("4B", {}).List("AD", {"x"}).Bytes());
    const std::vector<std::string> missing = ReadTableStore(path);
    EXPECT_EQ(missing, (std::vector<std::string>{"A5", "HR", "4A", "4C", "3A", "3B", "3C", "3D", "3E", "CC",
                                                 "Ad", "Hd", "IF", "9E"}));
    EXPECT_EQ(gTableA1, (ListTable{"", "S"}));
    EXPECT_EQ(gTableA5, ListTable{""});
    EXPECT_EQ(gTableHR, ListTable{""});
    EXPECT_EQ(UpperBound(gTable4A), -1);
    EXPECT_EQ(UpperBound(gTable4B), -1); // present with count 0: absent as well
    EXPECT_EQ(UpperBound(gTableAd), -1);
    EXPECT_TRUE(gTableIF.cells.empty());
    EXPECT_FALSE(gTableIF.Contains(0, 0));
}

TEST_F(TableStoreLoading, FileWrappersReadTheFileAtEachCall) {
    folder.Write("config.sco", TableFileBuilder().List("A5", {"one"}).Bytes());
    const std::int32_t position = FindTableSection(path, std::string("A5"));
    EXPECT_EQ(position, 6);
    ReadA5Table(path, position);
    EXPECT_EQ(gTableA5, (ListTable{"", "one"}));
    // A changed file is seen by the next call: nothing is kept open or cached.
    folder.Write("config.sco", TableFileBuilder().List("A5", {"two", "three"}).Bytes());
    ReadA5Table(path, position);
    EXPECT_EQ(gTableA5, (ListTable{"", "two", "three"}));
}

TEST_F(TableStoreLoading, ResolvesAgainstTheProgramFolderNotTheWorkingDirectory) {
    folder.Write("config.sco", TableFileBuilder().List("A1", {"here"}).Bytes());
    ASSERT_EQ(path, "DORVA_Support/config.sco");
    ReadTableStore(path);
    EXPECT_EQ(gTableA1, (ListTable{"", "here"}));
}

} // namespace
