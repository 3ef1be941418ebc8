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
        // Row 2 holds a Latin-1 letter and a line break, which a file of one location a line shows blank.
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

// The tables, the sentences and the other operations are RandomScreensTest's. Each die is the highest its
// roll allows: the fake dice refuse a value above the sides.
TEST_F(Random, RangesShowTheirResultAndCountTheirDie) {
    // clang-format off
    for (const auto& [from, to, letters, die, shown, countedDr] : {
             std::tuple{"5", "10", false, 6, "10", 6}, {"1", "10", false, 10, "10", 0},
             {"a", "f", false, 6, "F", 6},          // letters in any case
             {"50", "60", true, 11, "60", 0},       // numbers as letters past ZZ
             {"1.5abc", "14.5", false, 14, "15", 0} // the leading number, rounded
         }) {
        // clang-format on
        data::gDRStats.fill(0);
        dice.Script({die});
        EXPECT_EQ(Range(from, to, letters), shown) << from << " " << to;
        EXPECT_EQ(data::gDRStats, test::DrCounts({countedDr})) << from << " " << to;
    }
}

TEST_F(Random, RefusedRangesShowTheirMessagesAndRollNothing) {
    // clang-format off
    for (const auto& [from, to, messages, letterRange] : std::vector<std::tuple<const char*, const char*, std::vector<int>, bool>>{
             {"B", "12", {103}, false}, {"12", "B", {103}, false}, {"3", "3", {106}, false},
             {"0", "5000", {104, 107}, false},   // both bounds wrong: both say so
             {"1000", "999", {105, 106}, false}, {"5", "1001", {107}, false},
             {"1", "99999", {107}, false}, {"70000", "99999999999999999999", {105, 107}, false}, // beyond 16 bits
             {"", "B", {108}, true},             // an empty from is position zero
             {"ZZ", "zz", {109, 110}, true},
             {"A1", "ZZ", {109, 110}, true},     // A1 is no row, and comes after ZZ
             {"A", "A1", {111}, true}, {"B", "a", {110}, true}}) {
        // clang-format on
        dialogs.messages.clear();
        const random::RangeRoll roll = random::DieXThroughY(from, to, false);
        EXPECT_EQ(roll.messages, messages) << from << " " << to;
        std::vector<std::string> texts;
        for (int number : messages) {
            texts.push_back(random::MessageText(number));
        }
        EXPECT_EQ(dialogs.messages, texts) << from << " " << to;
        EXPECT_EQ(roll.letterRange, letterRange) << from << " " << to;
    }
    EXPECT_EQ(dice.Rolled(), 0);
    EXPECT_EQ(vasl.text, "hint");
}

// The letter limits are fixed: a longer hex-row list does not move them, a shorter names positions by number.
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
    dice.Script({34}); // A to GG rolls a die of 33: no row after GG
    EXPECT_NONFATAL_FAILURE(random::AToGGRoll(), "for a die of 33");
}

TEST_F(Random, ASingleLocationReadsTheRowOfItsDr) {
    // clang-format off
    for (const auto& [village, die, line, said] : {
             std::tuple{false, 5, "dr = at 5", "say 5"},
             {false, 6, "dr = 6 (no location in table 9E)", "6 (no location in table 9E)"}, // an empty row
             {true, 1, "Modified dr = at 0", "say 0"}, {true, 6, "Modified dr = at 5", "say 5"}}) {
        // clang-format on
        data::gDRStats.fill(0);
        speech.spoken.clear();
        dice.Script({die});
        EXPECT_EQ(random::LocationDieRoll(true, village), line);
        EXPECT_EQ(vasl.text, said);
        EXPECT_EQ(speech.spoken, (std::vector<std::pair<std::string, int>>{{said, 1}}));
        EXPECT_EQ(data::gDRStats[static_cast<std::size_t>(die)], 1) << line;
    }
}

// Lines are appended in UTF-8 (row 2's Latin-1 letter), each counted as a dr; nothing is shown or spoken.
TEST_F(Random, BatchesSavedTwiceAppend) {
    // clang-format off
    for (const auto& [count, village, rolled, written] : std::vector<std::tuple<const char*, bool, std::vector<int>, const char*>>{
             {"3", false, {1, 2, 3, 3, 2, 1}, "dr = at 1\r\ndr = caf\xc3\xa9 2\r\ndr = at 3\r\ndr = at 3\r\ndr = caf\xc3\xa9 2\r\ndr = at 1\r\n"},
             {" 2.5 ", true, {1, 2, 4, 2}, "Modified dr = at 0\r\nModified dr = at 1\r\nModified dr = at 3\r\nModified dr = at 1\r\n"},
             {"0", false, {}, nullptr}, {"-4", true, {}, nullptr}}) {
        // clang-format on
        std::filesystem::remove(file);
        data::gDRStats.fill(0);
        dialogs.asked.clear();
        dice.Script(rolled);
        for (int save = 0; save < 2; ++save) {
            EXPECT_EQ(random::SaveLocations(count, village), file) << count;
        }
        EXPECT_EQ(std::filesystem::exists(file) ? test::ReadFile(file) : "no file",
                  written ? written : "no file");
        EXPECT_EQ(dialogs.asked[0].preset, village ? "Village_Suspect_Locations" : "Suspect_Locations");
        EXPECT_EQ(dialogs.asked[0].filter, "S? Locations File (*.txt) | *.txt");
        EXPECT_EQ(std::accumulate(data::gDRStats.begin(), data::gDRStats.end(), 0),
                  static_cast<int>(rolled.size()))
            << count;
    }
    EXPECT_EQ(vasl.text, "hint");
    EXPECT_TRUE(speech.spoken.empty());
}

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

// A file that cannot be opened, or that stops taking lines, ends the batch without a message. The fake dice
// fail a roll beyond the script, so a batch that went on would show.
TEST_F(Random, AnUnwritableFileEndsTheBatchSilently) {
    dice.Script({4});
    dialogs.answer = folder.Root().string() + "/no such folder/locations.txt";
    EXPECT_EQ(random::SaveLocations("5", false), dialogs.answer);

    // Room for two lines and a bit: no part of the third may stay.
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
