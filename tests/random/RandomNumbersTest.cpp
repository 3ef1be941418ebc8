// The ranged rolls of the random-numbers screen: results and statistics, and the checks of the range
// bounds with their numbered messages; the tables' values are the screen's test.
#include "random/RandomNumbers.h"
#include "random/Messages.h"
#include "random/State.h"
#include "support/ProgramTest.h"

#include <gtest/gtest-spi.h>

namespace dorva {
namespace {

class RandomNumbers : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        data::gTableHR = test::HexRows();
        vasl.visible = true;
        SpeakOn();
    }
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

class Ranges : public RandomNumbers, public ::testing::WithParamInterface<RangeCase> {};

// How a range reads its bounds, shows its result and counts its die; the sentences and the other
// operations are the screen's test (RandomScreensTest).
TEST_P(Ranges, ShowAndCount) {
    const RangeCase& c = GetParam();
    dice.Script({c.die});
    EXPECT_EQ(Range(c.from, c.to, c.letters), c.shown);
    EXPECT_EQ(vasl.text, std::string("On X through Y you rolled ") + c.shown);
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

TEST_F(RandomNumbers, AToGGNeverGivesARowAfterGG) {
    dice.Script({34});
    EXPECT_NONFATAL_FAILURE(random::AToGGRoll(), "for a die of 33");
}

struct CheckCase {
    const char *name, *from, *to;
    std::vector<int> messages;
    bool letterRange;
};

class RangeChecks : public RandomNumbers, public ::testing::WithParamInterface<CheckCase> {};

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
TEST_F(RandomNumbers, RangeLimits) {
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

} // namespace
} // namespace dorva
