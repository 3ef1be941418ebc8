// What each recognised command does, in the command table's order.
#include "voice/Dispatcher.h"

#include "support/ProgramTest.h"
#include "voice/Speak.h"

#include <numeric>

namespace dorva {
namespace {

using voice::Operation;

class RecordingTarget final : public voice::CommandTarget {
public:
    void Run(Operation operation) override {
        done.push_back("run " + std::to_string(static_cast<int>(operation)) +
                       (voice::gVoiceCommandRunning ? "" : " unmarked"));
    }
    void RunLookUp(Operation lookUp, int dr) override {
        done.push_back("look up " + std::to_string(static_cast<int>(lookUp)) + " " + std::to_string(dr) +
                       (voice::gVoiceCommandRunning ? "" : " unmarked"));
    }
    void SetSpeakBox(bool on) override {
        done.push_back(std::string("speak box ") + (on ? "on" : "off") + " while speaking " +
                       std::to_string(voice::gSpeak));
    }
    void SetRecognizeBox(bool on) override {
        done.push_back(std::string("listen box ") + (on ? "on" : "off"));
    }
    std::vector<std::string> done;
};

class Dispatcher : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        SpeakOn();
        voice::gRecognize = 1;
        vasl.visible = true;
        // Row r, column c of the IF table reads "r<r>c<c>"; 17 rows, as the totals 0 to 15 need.
        data::gTableIF.Create(17, 12);
        for (int r = 0; r < 17; ++r) {
            for (int c = 0; c < 12; ++c) {
                data::gTableIF.CellRef(r, c) = "r" + std::to_string(r) + "c" + std::to_string(c);
            }
        }
    }
    void Say(const std::string& rule, std::vector<std::string> properties = {}) {
        voice::RecoContext_Recognition({rule, std::move(properties), ""}, target);
    }
    RecordingTarget target;
};

// Commands of every screen reach their operations; names are compared exactly.
TEST_F(Dispatcher, ScreenCommandsRunTheirOperations) {
    for (const char* rule : {"activationroll", "table6d", "location", "actionsinfantrymove", "actionsordvsinf",
                             "closecombatadvance", "closecombatattack", "RollDice", "nothing we know"}) {
        Say(rule);
    }
    EXPECT_EQ(target.done,
              (std::vector<std::string>{"run 0", "run 8", "run 16", "run 17", "run 28", "run 33", "run 36"}));
    EXPECT_FALSE(voice::gVoiceCommandRunning);
}

TEST_F(Dispatcher, LookUpsCarryTheirDR) {
    const int ift = static_cast<int>(Operation::IFTLookUp);
    Say("actionsiftlookup", {"7"});
    Say("actionslatwlookup", {"2"});
    Say("actionsordvsvehlookup", {"12"});
    Say("actionsordvsinflookup", {"11"});
    // A DR no list has an entry for, or none at all, looks nothing up.
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"1"}, {"13"}, {"x"}, {"-7"}, {}}) {
        Say("actionsiftlookup", bad);
    }
    EXPECT_EQ(target.done, std::vector<std::string>({"look up " + std::to_string(ift) + " 7",
                                                     "look up " + std::to_string(ift + 1) + " 2",
                                                     "look up " + std::to_string(ift + 2) + " 12",
                                                     "look up " + std::to_string(ift + 3) + " 11"}));
}

TEST_F(Dispatcher, WhileNotListeningOnlyStartListeningIsObeyed) {
    voice::gRecognize = 0;
    for (const char* rule : {"rolldice", "repeat", "stoptalking", "stoplistening", "AttackWithoutDRM"}) {
        Say(rule, {"0403"});
    }
    EXPECT_TRUE(target.done.empty() && speech.spoken.empty() && dice.Rolled() == 0);
    Say("startlistening");
    EXPECT_EQ(target.done, std::vector<std::string>({"listen box on"}));
    EXPECT_EQ(voice::gRecognize, 1);
    EXPECT_EQ(vasl.text, "I will start listening");
    Say("rolldice");
    EXPECT_EQ(target.done.size(), 2u);
}

TEST_F(Dispatcher, TheSwitchesAnnounceThemselvesInTheirOrder) {
    Say("stoptalking"); // spoken while speech is still on, then switched off
    EXPECT_EQ(voice::gSpeak, 0);
    Say("starttalking");
    EXPECT_EQ(voice::gSpeak, 1);
    Say("stoplistening");
    EXPECT_EQ(voice::gRecognize, 0);
    EXPECT_EQ(target.done, std::vector<std::string>({"speak box off while speaking 1",
                                                     "speak box on while speaking 0", "listen box off"}));
    EXPECT_EQ(speech.SpokenTexts(), std::vector<std::string>({"I will stop talking", "I will start talking",
                                                              "I will stop listening"}));
    EXPECT_EQ(vasl.text, "I will stop listening");
}

TEST_F(Dispatcher, RepeatSaysTheLastSpokenTextAgain) {
    Say("repeat");
    EXPECT_EQ(vasl.text, ""); // nothing spoken yet
    voice::SpeakText("On <spell>A</spell> through G G you rolled C", voice::kSpeakAsyncMarkup);
    Say("repeat");
    EXPECT_EQ(vasl.text, "On <spell>A</spell> through G G you rolled C");
    EXPECT_EQ(speech.spoken.back(),
              std::pair(std::string("On <spell>A</spell> through G G you rolled C"), 1));
}

TEST_F(Dispatcher, AttacksRollADrAndTwoDiceAndReadTheIfTable) {
    struct Case {
        const char* rule;
        std::vector<std::string> properties;
        std::vector<int> dice; // the DR that only counts, then the two dice
        const char* sentence;  // empty: nothing shown or spoken
    };
    // clang-format off
    const Case cases[] = {
        {"AttackWithoutDRM", {"0403"}, {2, 2, 3, 5}, "You attacked at 4 even rolled a 3 and a 5 totalling 8 for a r9c3"},
        {"AttackWithDRM", {"0403", "-1", "3"}, {6, 6, 1, 1}, "You attacked at 4 minus 3 rolled a 1 and a 1 totalling -1 for a r1c3"},
        {"AttackWithDRM", {"3611", "1", "4"}, {1, 1, 6, 6}, "You attacked at 36 plus 4 rolled a 6 and a 6 totalling 16 for a r16c11"},
        {"AttackWithDRM", {"1206", "1", "0"}, {1, 1, 2, 3}, "You attacked at 12 plus 0 rolled a 2 and a 3 totalling 5 for a r6c6"},
        {"AttackWithoutDRM", {"0412"}, {}, ""}, // a column outside the table
        {"AttackWithoutDRM", {"403"}, {}, ""},  // malformed properties
        {"AttackWithDRM", {"0403", "2", "3"}, {}, ""}, {"AttackWithDRM", {"0403", "1"}, {}, ""},
        {"AttackWithoutDRM", {"04x3"}, {}, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sentence);
        data::gDRStats.fill(0);
        speech.spoken.clear();
        vasl.text = "before";
        dice.Script(c.dice);
        Say(c.rule, c.properties);
        EXPECT_EQ(dice.Remaining(), 0u);
        if (*c.sentence == '\0') {
            EXPECT_TRUE(speech.spoken.empty() && vasl.text == "before");
            continue;
        }
        EXPECT_EQ(vasl.text, c.sentence);
        EXPECT_EQ(speech.SpokenTexts(), std::vector<std::string>{c.sentence});
        // One DR and two drs in the statistics.
        EXPECT_EQ(std::accumulate(data::gDRStats.begin() + 1, data::gDRStats.begin() + 7, 0), 2);
        EXPECT_EQ(std::accumulate(data::gDRStats.begin() + 7, data::gDRStats.end(), 0), 1);
    }
}

} // namespace
} // namespace dorva
