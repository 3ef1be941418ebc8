// What each recognised command does, in the command table's order.
#include "voice/Dispatcher.h"

#include "support/ProgramTest.h"
#include "voice/Speak.h"

#include <numeric>

namespace dorva {
namespace {

using voice::Operation;

// The operations run, each with its DR (0: none), and what the switches did to their boxes.
class RecordingTarget final : public voice::CommandTarget {
public:
    void Run(Operation operation) override { Record(operation, 0); }
    void RunLookUp(Operation lookUp, int dr) override { Record(lookUp, dr); }
    void SetSpeakBox(bool on) override {
        done.push_back(std::string("speak box ") + (on ? "on" : "off") + " while speaking " +
                       std::to_string(voice::gSpeak));
    }
    void SetRecognizeBox(bool on) override {
        done.push_back(std::string("listen box ") + (on ? "on" : "off"));
    }
    void Record(Operation operation, int dr) {
        EXPECT_TRUE(voice::gVoiceCommandRunning) << "an operation run without the voice command's mark";
        ran.emplace_back(operation, dr);
    }
    std::vector<std::pair<Operation, int>> ran;
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

// Commands of every screen reach their operations; names are compared exactly. A look-up carries its DR;
// a DR no list has an entry for, or none at all, looks nothing up.
TEST_F(Dispatcher, CommandsRunTheirOperationsAndLookUpsCarryTheirDR) {
    for (const char* rule :
         {"activationroll", "table6d", "location", "actionsinfantrymove", "actionsordvsinf",
          "closecombatadvance", "closecombatattack", "RollDice", "nothing we know"}) {
        Say(rule);
    }
    // clang-format off
    for (const auto& [rule, dr] : {std::pair{"actionsiftlookup", "7"}, {"actionslatwlookup", "2"}, {"actionsordvsvehlookup", "12"},
             {"actionsordvsinflookup", "11"}, {"actionsiftlookup", "1"}, {"actionsiftlookup", "13"}, {"actionsiftlookup", "x"},
             {"actionsiftlookup", "-7"}}) {
        // clang-format on
        Say(rule, {dr});
    }
    Say("actionsiftlookup");
    using enum Operation;
    // clang-format off
    EXPECT_EQ(target.ran, (std::vector<std::pair<Operation, int>>{{ActivationRoll, 0}, {Table6d, 0}, {Location, 0},
                  {InfantryMove, 0}, {OrdVsInfAttack, 0}, {CCAdvance, 0}, {CCAttack, 0}, {IFTLookUp, 7}, {LATWLookUp, 2},
                  {OrdVsVehLookUp, 12}, {OrdVsInfLookUp, 11}}));
    // clang-format on
    EXPECT_FALSE(voice::gVoiceCommandRunning);
}

TEST_F(Dispatcher, WhileNotListeningOnlyStartListeningIsObeyed) {
    voice::gRecognize = 0;
    for (const char* rule : {"rolldice", "repeat", "stoptalking", "stoplistening", "AttackWithoutDRM"}) {
        Say(rule, {"0403"});
    }
    EXPECT_TRUE(target.done.empty() && target.ran.empty() && speech.spoken.empty() && dice.Rolled() == 0);
    // Of these only the stop is shown: it is mostly the start said without its "r".
    EXPECT_EQ(vasl.text, "(Listening is off already: say \"resume listening\" to switch it on.)");
    Say("startlistening");
    EXPECT_EQ(target.done, std::vector<std::string>({"listen box on"}));
    EXPECT_EQ(vasl.text, "I will start listening");
    Say("rolldice"); // obeyed now
    EXPECT_EQ(target.ran.size(), 1u);
}

TEST_F(Dispatcher, TheSwitchesAnnounceThemselvesInTheirOrder) {
    voice::gRecoAvailable = voice::InitReco();
    Say("stoptalking");
    // A stop heard while silent changes nothing and names the wording that is told apart from it.
    Say("stoptalking");
    EXPECT_EQ(vasl.text, "(Speech is off already: say \"resume talking\" to switch it on.)");
    for (const char* rule : {"starttalking", "stoplistening"}) {
        Say(rule);
    }
    EXPECT_EQ(std::vector<int>({voice::gSpeak, voice::gRecognize}), std::vector<int>({1, 0}));
    // Each box is set before the switch itself: stopping is said while speech is still on.
    EXPECT_EQ(target.done, std::vector<std::string>({"speak box off while speaking 1",
                                                     "speak box on while speaking 0", "listen box off"}));
    EXPECT_EQ(speech.SpokenTexts(), std::vector<std::string>({"I will stop talking", "I will start talking",
                                                              "I will stop listening"}));
    EXPECT_EQ(vasl.text, "I will stop listening");
}

TEST_F(Dispatcher, RepeatSaysTheLastSpokenTextAgain) {
    Say("repeat");
    EXPECT_EQ(vasl.text, ""); // nothing spoken yet
    const std::string said = "On <spell>A</spell> through G G you rolled C";
    voice::SpeakText(said, voice::kSpeakAsyncMarkup);
    Say("repeat");
    EXPECT_EQ(vasl.text, said);
    EXPECT_EQ(speech.spoken.back(), std::pair(said, 1));
}

TEST_F(Dispatcher, AttacksRollADrAndTwoDiceAndReadTheIfTable) {
    // the rule, its properties, the dice (the DR that only counts, then the two dice), the sentence
    // (empty: nothing shown or spoken)
    using Case = std::tuple<const char*, std::vector<std::string>, std::vector<int>, const char*>;
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
    for (const auto& [rule, properties, rolled, sentence] : cases) {
        SCOPED_TRACE(sentence);
        data::gDRStats.fill(0);
        speech.spoken.clear();
        vasl.text = "before";
        dice.Script(rolled);
        Say(rule, properties);
        EXPECT_EQ(dice.Remaining(), 0u);
        if (*sentence == '\0') {
            EXPECT_TRUE(speech.spoken.empty() && vasl.text == "before");
            continue;
        }
        EXPECT_EQ(vasl.text, sentence);
        EXPECT_EQ(speech.SpokenTexts(), std::vector<std::string>{sentence});
        // One DR and two drs in the statistics.
        EXPECT_EQ(std::accumulate(data::gDRStats.begin() + 1, data::gDRStats.begin() + 7, 0), 2);
        EXPECT_EQ(std::accumulate(data::gDRStats.begin() + 7, data::gDRStats.end(), 0), 1);
    }
}

} // namespace
} // namespace dorva
