// Suspect-counter locations: the single roll with its prefixes and rows, and batches appended to a
// file one line at a time.
#include "random/Locations.h"
#include "support/ProgramTest.h"

#include <csignal>
#include <numeric>
#include <sys/resource.h>

namespace dorva {
namespace {

class Locations : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        // Rows 0 to 5: "at N" on the screen and in files, "say N" to the VASL window and the voice;
        // row 2 holds a Latin-1 letter and a line break, which a file of one location a line shows as a
        // blank; row 6 is empty.
        data::gTable9E.Create(7, 2);
        for (int row = 0; row <= 5; ++row) {
            data::gTable9E.CellRef(row, 0) = "at " + std::to_string(row);
            data::gTable9E.CellRef(row, 1) = "say " + std::to_string(row);
        }
        data::gTable9E.CellRef(2, 0) = "caf\xe9\r2";
        vasl.visible = true;
        SpeakOn();
        dialogs.answer = file;
    }
    std::string Written() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    const std::string file = folder.Root().string() + "/S? locations.txt";
};

struct SingleCase {
    const char* name;
    bool village;
    int die;
    const char *line, *said;
};

class SingleLocations : public Locations, public ::testing::WithParamInterface<SingleCase> {};

TEST_P(SingleLocations, PrefixAndRowOfTheDr) {
    const SingleCase& c = GetParam();
    dice.Script({c.die});
    EXPECT_EQ(random::LocationDieRoll(true, c.village), c.line);
    EXPECT_EQ(vasl.text, c.said);
    EXPECT_EQ(speech.spoken, (std::vector<std::pair<std::string, int>>{{c.said, 1}}));
    EXPECT_EQ(data::gDRStats[static_cast<std::size_t>(c.die)], 1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Boards, SingleLocations, ::testing::Values(
    SingleCase{"OrdinaryFive", false, 5, "dr = at 5", "say 5"},
    SingleCase{"AnEmptyRowStillTellsTheDr", false, 6, "dr = 6 (no location in table 9E)", "6 (no location in table 9E)"},
    SingleCase{"VillageOneIsRowZero", true, 1, "Modified dr = at 0", "say 0"},
    SingleCase{"VillageSixIsRowFive", true, 6, "Modified dr = at 5", "say 5"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });
// clang-format on

struct BatchCase {
    const char *name, *count;
    bool village;
    std::vector<int> dice; // for both saves
    const char* written;   // the file after both saves; nullptr: no file
};

class Batches : public Locations, public ::testing::WithParamInterface<BatchCase> {};

// The same batch saved twice to the same file: lines are appended in UTF-8, each ended by a carriage
// return and line feed; each counts as a dr, and nothing is shown or spoken.
TEST_P(Batches, SavedTwiceAppend) {
    const BatchCase& c = GetParam();
    dice.Script(c.dice);
    for (int save = 0; save < 2; ++save) {
        EXPECT_EQ(random::SaveLocations(c.count, c.village), file);
    }
    EXPECT_EQ(std::filesystem::exists(file) ? Written() : "no file", c.written ? c.written : "no file");
    EXPECT_EQ(dialogs.asked[0].preset, c.village ? "Village_Suspect_Locations" : "Suspect_Locations");
    EXPECT_EQ(dialogs.asked[0].filter, "S? Locations File (*.txt) | *.txt");
    EXPECT_EQ(std::accumulate(data::gDRStats.begin(), data::gDRStats.end(), 0),
              static_cast<int>(c.dice.size()));
    EXPECT_EQ(vasl.text, "hint");
    EXPECT_TRUE(speech.spoken.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Counts, Batches, ::testing::Values(
    BatchCase{"Three", "3", false, {1, 2, 3, 3, 2, 1},
              "dr = at 1\r\ndr = caf\xc3\xa9 2\r\ndr = at 3\r\ndr = at 3\r\ndr = caf\xc3\xa9 2\r\ndr = at 1\r\n"},
    BatchCase{"TwoAndAHalfIsTwo", " 2.5 ", true, {1, 2, 4, 2},
              "Modified dr = at 0\r\nModified dr = at 1\r\nModified dr = at 3\r\nModified dr = at 1\r\n"},
    BatchCase{"ZeroCreatesNoFile", "0", false, {}, nullptr},
    BatchCase{"BelowZeroCreatesNoFile", "-4", true, {}, nullptr}),
    [](const auto& testCase) { return std::string(testCase.param.name); });
// clang-format on

// A count that is not a number, or too many, gets its message and no dialog; a cancelled dialog writes
// nothing.
TEST_F(Locations, RefusedBatchesRollAndWriteNothing) {
    for (const char* count : {"abc", "", "3x", "inf", "10000.5", "1e9"}) {
        EXPECT_EQ(random::SaveLocations(count, false), std::nullopt) << count;
    }
    std::vector<std::string> expected(4, "Number of Locations must be a number.");
    expected.resize(6, "Number of Locations must be no more than 10000");
    EXPECT_EQ(dialogs.messages, expected);
    EXPECT_TRUE(dialogs.asked.empty());
    dialogs.answer.reset();
    EXPECT_EQ(random::SaveLocations("3", false), std::nullopt);
    EXPECT_EQ(dice.Rolled(), 0);
    EXPECT_FALSE(std::filesystem::exists(file));
}

// A file that cannot be opened, or one that stops taking lines, ends the batch at once without a
// message; the lines written before stay. The fake dice fail a roll beyond the script, so a batch
// that went on would show.
TEST_F(Locations, AnUnwritableFileEndsTheBatchSilently) {
    dice.Script({4});
    dialogs.answer = folder.Root().string() + "/no such folder/locations.txt";
    EXPECT_EQ(random::SaveLocations("5", false), dialogs.answer);

    // A file size limit of two lines and a bit: the third line cannot be written whole, and no part
    // of it stays.
    dice.Script({1, 3, 4});
    dialogs.answer = file;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit limited = previous;
    limited.rlim_cur = 2 * std::string("dr = at 1\r\n").size() + 4;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const auto saved = random::SaveLocations("5", false);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(saved, file);
    EXPECT_EQ(Written(), "dr = at 1\r\ndr = at 3\r\n");
    EXPECT_EQ(dice.Remaining(), 0u);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace dorva
