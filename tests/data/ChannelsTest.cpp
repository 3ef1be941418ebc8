#include "data/Announce.h"
#include "data/Dice.h"
#include "data/DieRollStats.h"
#include "support/ProgramTest.h"
#include "voice/Speak.h"

#include <set>

namespace dorva {
namespace {

using namespace data;

class Channels : public test::ProgramTest {};

TEST_F(Channels, RollDiceCountsOnlyRecordedOneAndTwoSixSidedDice) {
    // count, sides, record (1 is not True), dice, total, the slot counted (0: none)
    // clang-format off
    for (const auto& [count, sides, record, rolled, total, slot] : {
             std::tuple{1, 6, kRecord, std::vector<int>{4}, 4, 4}, {2, 6, kRecord, {6, 6}, 12, 17}, {2, 6, kRecord, {1, 1}, 2, 7},
             {2, 6, kNoRecord, {3, 4}, 7, 0}, {2, 6, std::int16_t{1}, {3, 4}, 7, 0}, {1, 10, kRecord, {9}, 9, 0},
             {3, 6, kRecord, {1, 2, 3}, 6, 0}, {0, 6, kRecord, {}, 0, 0}, {-2, 6, kRecord, {}, 0, 0}}) {
        // clang-format on
        gDRStats.fill(0);
        dice.Script(rolled);
        EXPECT_EQ(RollDice(count, sides, record), total);
        EXPECT_EQ(gDRStats, test::DrCounts({slot})) << count << "d" << sides;
    }
}

// How evenly the faces come is the standard library's business; the range and the seed are ours.
TEST(Generator, GivesEveryFaceAndDiffersFromRunToRun) {
    ResetProgramState();
    platform::SeedGenerator(12345);
    std::set<int> faces;
    for (int i = 0; i < 600; ++i) {
        faces.insert(RollDice(1, 6, kRecord));
        const int many = RollDice(1, 33, kNoRecord);
        ASSERT_TRUE(many >= 1 && many <= 33) << many;
    }
    EXPECT_EQ(faces, (std::set<int>{1, 2, 3, 4, 5, 6}));
    std::vector<int> first, second;
    for (std::vector<int>* rolls : {&first, &second}) {
        platform::SeedGenerator();
        for (int i = 0; i < 20; ++i) {
            rolls->push_back(RollDice(1, 1000, kNoRecord));
        }
    }
    EXPECT_NE(first, second);
    ResetProgramState();
}

// The counts, totals and averages themselves are the statistics window's test.
TEST(DieRollStatsFigures, AveragesHaveTwoDecimalsAndGroupedThousands) {
    // clang-format off
    for (const auto& [sum, total, shown] : {std::tuple{0, 0, "0"}, {2, 3, "0.67"}, {1000, 1, "1,000.00"},
                                            {1234567, 1, "1,234,567.00"}, {-1500, 1, "-1,500.00"}}) {
        // clang-format on
        EXPECT_EQ(FormatAverage(sum, total), shown) << sum << "/" << total;
    }
}

TEST_F(Channels, SpeechNeedsBothTheWishAndTheVoiceAndQueuesInOrder) {
    for (const auto& [speak, available] : {std::pair{0, 0}, {1, 0}, {0, 1}}) {
        voice::gLastSpokenText = "earlier";
        voice::gSpeak = speak;
        voice::gVoiceAvailable = static_cast<std::int16_t>(available);
        voice::SpeakText("x", voice::kSpeakAsync);
        EXPECT_EQ(voice::gLastSpokenText, "earlier");
    }
    SpeakOn();
    voice::SpeakText("first", voice::kSpeakAsync);
    voice::SpeakText("<spell>A</spell>", voice::kSpeakAsyncMarkup);
    EXPECT_EQ(speech.spoken,
              (std::vector<std::pair<std::string, int>>{{"first", 1}, {"<spell>A</spell>", 9}}));
    EXPECT_EQ(voice::gLastSpokenText, "<spell>A</spell>");
}

TEST_F(Channels, ActivationWindowTakesTextsOnlyWhileVisibleWithReturnsAsTwoBlanks) {
    ShowInActivationWindow("lost");
    EXPECT_EQ(vasl.text, "hint");
    vasl.visible = true;
    ShowInActivationWindow("a\rb");
    EXPECT_EQ(vasl.text, "a\rb");
    ShowActivationText("4-6-7\r2-3-7 (x2 DR=5/5)\r\n\r");
    EXPECT_EQ(vasl.text, "4-6-7  2-3-7 (x2 DR=5/5)  \n  ");
}

TEST_F(Channels, LogLinesCarryTheStampAndLoseOnlyTheClosingCarriageReturns) {
    for (const char* entry : {"(S? removed)", "a\r\nb\rc\r\r", "one\r", "\rx", "p\n  q", "Fran\347ais"}) {
        EXPECT_TRUE(WriteLogEntry(entry));
    }
    // Table text is Latin-1; the log is UTF-8, one line of an entry to a line of the file.
    EXPECT_EQ(Log(), "stamp: (S? removed)\r\nstamp: a\r\n       b\r\n       c\r\nstamp: one\r\nstamp: \r\n"
                     "       x\r\nstamp: p\r\n         q\r\nstamp: Fran\303\247ais\r\n");
}

TEST_F(Channels, AnUnwritableLogIsReportedOncePerFile) {
    const std::string missing = folder.Root().string() + "/no-such-folder/log.txt";
    for (const std::string& path : {missing, missing, missing + "2"}) {
        gLogFileName = path;
        EXPECT_FALSE(WriteLogEntry("a"));
    }
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0],
              "The game log " + missing + " cannot be written; the game goes on without it.");
}

} // namespace
} // namespace dorva
