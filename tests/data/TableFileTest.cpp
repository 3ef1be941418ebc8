// The table-file reader on bytes the compiler never writes: any order, duplicates, codes that differ
// in case, counts with blanks, files that end early. The compiler's round trips check the rest.
#include "data/TableFile.h"
#include "data/SupportFolder.h"
#include "support/ProgramTest.h"

using namespace dorva::data;
using dorva::test::kField;
using dorva::test::kSection;
using dorva::test::TableFileBuilder;

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
    // the section data after the code, absent when empty, the list read
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
    EXPECT_EQ(grid.rows, 2);
    EXPECT_EQ(grid.columns, 3);
    ASSERT_EQ(grid.cells.size(), 12u);
    const std::vector<std::vector<std::string>> expected = {
        {"a", "", "c", ""}, {"d", "e", "", ""}, {"", "", "", ""}};
    for (int r = 0; r <= 2; ++r) {
        for (int c = 0; c <= 3; ++c) {
            EXPECT_EQ(grid.Cell(r, c), expected[r][c]) << r << "," << c;
        }
    }
    ReadGridSection(M + "IF-3xx", 6, grid);
    EXPECT_EQ(grid.rows + grid.columns, 0);
    EXPECT_EQ(grid.cells.size(), 1u);
}

class TableStoreLoading : public dorva::test::ProgramTest {};

TEST_F(TableStoreLoading, MissingCodesAreReportedInOrderAndLeftAbsent) {
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

} // namespace
