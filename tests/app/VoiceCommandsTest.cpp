#include "app/gui/VoiceCommands.h"
#include "actions/gui/ActionsScreen.h"
#include "actions/gui/CloseCombatScreen.h"
#include "random/gui/RandomNumbersScreen.h"
#include "setup/gui/SetupScreen.h"
#include "support/WindowTest.h"
#include "voice/Grammar.h"

#include <QCheckBox>

namespace dorva {
namespace {

class VoiceCommands : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        voice::gRecognize = 1;
    }
};

// The grammar the build ships, through which a test says a phrase as the recogniser hands it over.
class SpokenTurn : public VoiceCommands {
protected:
    void SetUp() override {
        VoiceCommands::SetUp();
        test::LoadActionTables();
        platform::SetActivationWindow(&vasl);
        vasl.visible = true;
        SpeakOn();
        const char* binary = std::getenv("DORVA_TEST_BINARY_DIR");
        reading = voice::ReadGrammarFile(std::filesystem::path(binary ? binary : ".") / "bin" /
                                         "DORVA_Support" / "dorva.cfg");
        ASSERT_TRUE(reading.grammar) << reading.error;
    }
    void Say(const std::string& phrase) {
        const std::optional<voice::GrammarMatch> match = reading.grammar->Find(phrase);
        ASSERT_TRUE(match) << "not in the grammar: " << phrase;
        app::DeliverRecognition({match->rule->name, match->phrase->properties, phrase});
    }
    voice::GrammarReading reading;
};

TEST_F(VoiceCommands, ACommandBeforeTheFirstOkWorksOnTheScreenItCreates) {
    dice.Script({5, 2});
    app::DeliverRecognition({"rolldice", {}, ""});
    Form6* screen = ui::ExistingWindow<Form6>();
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(screen->ColorDieLB->text() + screen->WhiteDieLB->text(), "52");
}

TEST_F(VoiceCommands, TheSwitchesSetTheSetUpScreensBoxes) {
    Form1& setup = ui::Window<Form1>();
    voice::gSpeak = 1;
    setup.SpeechCB->setChecked(true);
    app::DeliverRecognition({"stoptalking", {}, ""});
    app::DeliverRecognition({"stoplistening", {}, ""});
    EXPECT_FALSE(setup.SpeechCB->isChecked() || setup.RecognizeCB->isChecked());
    EXPECT_EQ(voice::gSpeak + voice::gRecognize, 0);
    app::DeliverRecognition({"startlistening", {}, ""});
    EXPECT_TRUE(setup.RecognizeCB->isChecked() && voice::gRecognize == 1);
}

// A whole turn in its order: the pending movement DRs carry over.
TEST_F(SpokenTurn, EveryActionsAndCloseCombatCommandShowsAndSaysItsResult) {
    using Case =
        std::tuple<const char*, std::vector<int>, bool, const char*, const char*, const char*, const char*>;
    // clang-format off
    const Case cases[] = {
        {"hold movement odd hex", {}, false, "HoldLB", "", "No infantry movement has been rolled yet", nullptr},
        {"infantry movement roll", {1, 1, 6, 6, 3, 4}, false, "HoldEvenBtn", "12", "Infantry movement DRs: Hold odd hex 2, Hold even hex 12, Advance 7", nullptr},
        {"roll infantry movement", {}, false, "HoldOddBtn", "2", "Infantry Move waits until Activate Move Button is unchecked. Infantry movement DRs: Hold odd hex 2, Hold even hex 12, Advance 7", nullptr},
        {"hold movement odd hex", {}, false, "Label10", "4A-1", "Hold movement, odd hexes: 4A-1", nullptr},
        {"hold movement even hex", {}, false, "Label11", "4A-11", "Hold movement, even hexes: 4A-11", nullptr},
        {"advance movement command", {}, false, "Label10", "4B-6", "Advance movement: 4B-6", nullptr},
        {"vehicle movement roll", {2, 3}, false, "Label10", "4C-4", "Vehicle movement: 4C-4", nullptr},
        {"movement direction roll", {4}, false, "DirectionLB", "Dir = 4", "Direction 4", nullptr},
        {"infantry action roll", {3, 4, 2, 2}, false, "Label10", "Unit attacks\n3A-3",
         "Infantry action DR 7, No units panic; Hold: Unit attacks, 3A-3; Advance: Unit moves. Mark with a MOVE counter.", nullptr},
        {"vehicle action roll", {1, 1, 6, 6}, false, "Label3", "Units Panic:\n   Conscript/Green",
         "Infantry action DR 2, Units Panic: Conscript/Green; Hold: Unit attacks, 3A-11; Advance: Unit moves. Mark with a MOVE counter.",
         "Infantry action DR 2, Units Panic: Conscript or Green; Hold: Unit attacks, 3A-11; Advance: Unit moves. Mark with a MOVE counter."},
        {"infantry fire table attack", {5, 5}, false, "Label10", "Unit attacks\n3A-9", "IFT Attack Command: Unit attacks, 3A-9", nullptr},
        {"light anti tank weapon attack", {1, 2}, false, "HoldLB", "LATW Attack Command", "LATW Attack Command: Unit attacks, 3B-2",
         "L A T W Attack Command: Unit attacks, 3B-2"},
        {"ordnance versus vehicle attack", {6, 5}, false, "Label10", "Unit attacks\n3C-10", "Ordance vs. Vehicle Attack Command: Unit attacks, 3C-10",
         "Ordnance versus Vehicle Attack Command: Unit attacks, 3C-10"},
        {"ordnance versus infantry attack", {1, 1}, false, "Label10", "Unit attacks\n3D-1", "Ordance vs. Infantry Attack Command: Unit attacks, 3D-1",
         "Ordnance versus Infantry Attack Command: Unit attacks, 3D-1"},
        {"infantry fire table seven", {}, false, "Label10", "Unit attacks\n3A-6", "IFT Attack Command, DR 7: Unit attacks, 3A-6", nullptr},
        {"light anti tank table twelve", {}, false, "HoldLB", "LATW Attack Command", "LATW Attack Command, DR 12: Unit attacks, 3B-11",
         "L A T W Attack Command, DR 12: Unit attacks, 3B-11"},
        {"ordnance versus vehicle table two", {}, false, "Label10", "Unit attacks\n3C-1", "Ordance vs. Vehicle Attack Command, DR 2: Unit attacks, 3C-1",
         "Ordnance versus Vehicle Attack Command, DR 2: Unit attacks, 3C-1"},
        {"ordnance versus infantry table eleven", {}, false, "Label10", "Unit attacks\n3D-10", "Ordance vs. Infantry Attack Command, DR 11: Unit attacks, 3D-10",
         "Ordnance versus Infantry Attack Command, DR 11: Unit attacks, 3D-10"},
        {"close combat advance direction", {6}, true, "AdvanceLB", "Dir = 6", "Advance Direction 6", nullptr},
        {"close combat task check", {4, 4}, true, "Label1", "Take an NTC\nPass: advance", "CC NTC DR 8: Take an NTC, Pass: advance", nullptr},
        {"close combat pairing", {6}, true, "AdvanceLB", "CC Pairings dr = 6", "CC Pairings dr 6: 3E-6", "CC Pairings D R 6: 3E-6"},
        {"close combat attack roll", {5, 4}, true, "Label1", "", "CC attack DR 9", nullptr},
    };
    // clang-format on
    for (const auto& [phrase, rolled, melee, control, shown, sentence, spoken] : cases) {
        SCOPED_TRACE(phrase);
        speech.spoken.clear();
        dice.Script(rolled);
        Say(phrase);
        QWidget* screen = melee ? static_cast<QWidget*>(ui::ExistingWindow<Form10>())
                                : static_cast<QWidget*>(ui::ExistingWindow<Form9>());
        ASSERT_NE(screen, nullptr);
        EXPECT_FALSE(screen->isVisible());
        test::ExpectCaptions(*screen, {{control, shown}});
        EXPECT_EQ(vasl.text, sentence);
        EXPECT_EQ(speech.SpokenTexts(), std::vector<std::string>{spoken ? spoken : sentence});
    }
    // The look-ups leave the manual die-roll mode as it was.
    EXPECT_FALSE(ui::Window<Form9>().ManualDieRollCB->isChecked());
}

// A command shows its result over VASL also while the voice is off; "repeat that" says the last again.
TEST_F(SpokenTurn, ButtonsSpeakOnlyWhileSpeakingIsOn) {
    Form10& melee = ui::Window<Form10>();
    dice.Script({2, 3, 5});
    Press(melee, "Command4");
    EXPECT_EQ(speech.SpokenTexts(), std::vector<std::string>{"CC attack DR 5"});
    voice::gSpeak = 0;
    vasl.text.clear();
    Press(melee, "AdvanceBtn");
    EXPECT_EQ(vasl.text, "");
    dice.Script({3});
    Say("close combat advance direction");
    EXPECT_EQ(vasl.text, "Advance Direction 3");
    voice::gSpeak = 1;
    Say("repeat that");
    EXPECT_EQ(speech.SpokenTexts(), std::vector<std::string>({"CC attack DR 5", "CC attack DR 5"}));
}

} // namespace
} // namespace dorva
