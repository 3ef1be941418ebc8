// The random subsystem's rolls: the ranged rolls of the random-numbers screen with the checks of their
// bounds and numbered messages (the tables' values are the screen's test), and suspect-counter locations,
// one at a time or in batches appended to a file one line at a time.
#include "random/RandomNumbers.h"
#include "random/Locations.h"
#include "random/Messages.h"
#include "random/State.h"
#include "support/ProgramTest.h"

#include <csignal>
#include <gtest/gtest-spi.h>
#include <numeric>
#include <sys/resource.h>

namespace dorva {
namespace {

class Random : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        data::gTableHR = test::HexRows();
        // Location row 2 holds a Latin-1 letter and a line break, which a file of one location a line
        // shows as a blank.
        test::LoadLocations();
        data::gTable9E.CellRef(2, 0) = "caf\xe9\r2";
        vasl.visible = true;
        SpeakOn();
        dialogs.answer = file;
    }
    const std::string file = folder.Root().string() + "/S? locations.txt";
};

std::string Range(const char* from, const char* to, bool letters) {
    return random::DieXThroughY(from, to, letters).result.value_or("refused");
}

struct RangeCase {
    const char *name, *from, *to;
    bool letters;
    int die;
    const char* shown;
    int countedDr; // 0: nothing counted
};

class Ranges : public Random, public ::testing::WithParamInterface<RangeCase> {};

// How a range reads its bounds, shows its result and counts its die; the sentences and the other
// operations are the screen's test (RandomScreensTest).
TEST_P(Ranges, ShowAndCount) {
    const RangeCase& c = GetParam();
    dice.Script({c.die});
    EXPECT_EQ(Range(c.from, c.to, c.letters), c.shown);
    std::array<std::int32_t, 18> counted{};
    counted[static_cast<std::size_t>(c.countedDr)] = c.countedDr != 0 ? 1 : 0;
    EXPECT_EQ(data::gDRStats, counted);
}

// Each scripted die is the highest its roll allows: the fake dice refuse a value above the sides.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Bounds, Ranges, ::testing::Values(
    RangeCase{"OfSixCountsItsDie", "5", "10", false, 6, "10", 6},
    RangeCase{"OfTenCountsNothing", "1", "10", false, 10, "10", 0},
    RangeCase{"LettersInAnyCase", "a", "f", false, 6, "F", 6},
    RangeCase{"NumbersAsLettersPastZZ", "50", "60", true, 11, "60", 0},
    RangeCase{"LeadingNumberAndRounding", "1.5abc", "14.5", false, 14, "15", 0}),
    [](const auto& testCase) { return std::string(testCase.param.name); });
// clang-format on

TEST_F(Random, AToGGNeverGivesARowAfterGG) {
    dice.Script({34});
    EXPECT_NONFATAL_FAILURE(random::AToGGRoll(), "for a die of 33");
}

struct CheckCase {
    const char *name, *from, *to;
    std::vector<int> messages;
    bool letterRange;
};

class RangeChecks : public Random, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(RangeChecks, RefuseWithTheirMessagesAndRollNothing) {
    const CheckCase& c = GetParam();
    const random::RangeRoll roll = random::DieXThroughY(c.from, c.to, false);
    EXPECT_EQ(roll.messages, c.messages);
    std::vector<std::string> texts;
    for (int number : c.messages) {
        texts.push_back(random::MessageText(number));
    }
    EXPECT_EQ(dialogs.messages, texts);
    EXPECT_EQ(roll.letterRange, c.letterRange);
    EXPECT_EQ(dice.Rolled(), 0);
    EXPECT_EQ(vasl.text, "hint");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Bounds, RangeChecks, ::testing::Values(
    CheckCase{"LetterFromNumberTo", "B", "12", {103}, false},
    CheckCase{"NumberFromLetterTo", "12", "B", {103}, false},
    CheckCase{"EqualNumbers", "3", "3", {106}, false},
    CheckCase{"FromZeroAndToTooLargeBothSay", "0", "5000", {104, 107}, false},
    CheckCase{"FromTooLargeAndToBelowIt", "1000", "999", {105, 106}, false},
    CheckCase{"ToAbove1000", "5", "1001", {107}, false},
    CheckCase{"ToBeyondSixteenBits", "1", "99999", {107}, false},
    CheckCase{"BothBeyondSixteenBits", "70000", "99999999999999999999", {105, 107}, false},
    CheckCase{"EmptyFromIsPositionZero", "", "B", {108}, true},
    CheckCase{"ZZToZZ", "ZZ", "zz", {109, 110}, true},
    CheckCase{"A1IsNoRowAndComesAfterZZ", "A1", "ZZ", {109, 110}, true},
    CheckCase{"ToAfterZZ", "A", "A1", {111}, true},
    CheckCase{"LettersDownwards", "B", "a", {110}, true}),
    [](const auto& testCase) { return std::string(testCase.param.name); });
// clang-format on

// The widest ranges are accepted. The letter limits are fixed numbers: a longer hex-row list does not
// move them, and a shorter one shows the positions it has no names for as numbers.
TEST_F(Random, RangeLimits) {
    dice.Script({52, 1000, 33});
    EXPECT_EQ(Range("A", "ZZ", false), "ZZ");
    EXPECT_EQ(Range("1", "1000", false), "1000");
    data::gTableHR.push_back("AAA");
    EXPECT_EQ(random::XToYLetterCase("ZZ", "AAA"), std::vector<int>({109, 111}));
    data::gTableHR.resize(11); // A to J
    EXPECT_EQ(random::AToGGRoll(), "33");
    EXPECT_TRUE(random::XToYLetterCase("A", "K").empty());
    EXPECT_EQ(random::toValue, 11) << "a name the list lacks is its last position plus one";
}

struct SingleCase {
    const char* name;
    bool village;
    int die;
    const char *line, *said;
};

class SingleLocations : public Random, public ::testing::WithParamInterface<SingleCase> {};

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

class Batches : public Random, public ::testing::WithParamInterface<BatchCase> {};

// The same batch saved twice to the same file: lines are appended in UTF-8, each ended by a carriage
// return and line feed; each counts as a dr, and nothing is shown or spoken.
TEST_P(Batches, SavedTwiceAppend) {
    const BatchCase& c = GetParam();
    dice.Script(c.dice);
    for (int save = 0; save < 2; ++save) {
        EXPECT_EQ(random::SaveLocations(c.count, c.village), file);
    }
    EXPECT_EQ(std::filesystem::exists(file) ? test::ReadFile(file) : "no file",
              c.written ? c.written : "no file");
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
TEST_F(Random, RefusedBatchesRollAndWriteNothing) {
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
TEST_F(Random, AnUnwritableFileEndsTheBatchSilently) {
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
    EXPECT_EQ(test::ReadFile(file), "dr = at 1\r\ndr = at 3\r\n");
    EXPECT_EQ(dice.Remaining(), 0u);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace dorva
