#include "actions/gui/ActionsScreen.h"
#include "actions/gui/CloseCombatScreen.h"
#include "activation/gui/ActivationScreen.h"
#include "random/gui/LocationsScreen.h"
#include "random/gui/RandomNumbersScreen.h"
#include "setup/gui/SetupScreen.h"
#include "support/WindowTest.h"
#include "ui/TableViewer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>

namespace dorva {
namespace {

// An entry as the log holds it under the fake clock's stamp: its further lines indented under its first.
std::string Entry(std::initializer_list<std::string> lines) {
    std::string entry;
    for (const std::string& line : lines) {
        entry += (entry.empty() ? "stamp: " : "       ") + line + "\r\n";
    }
    return entry;
}

class GameLog : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("DORVA2")).clear();
        folder.Write("config.sco", test::EveryTableFile());
        folder.Write("German.sdf", test::NationalityFileBuilder("GE").bytes);
    }

    // OK for June 1943 with the log kept, then the test scenario's tables in place of the file's.
    void StartGame(bool everyRoll) {
        Form1& setup = ui::Window<Form1>();
        setup.LoadGameData();
        data::gLogFileName = folder.Root().string() + "/game.txt"; // the first run's name is the test's own
        setup.show();
        setup.KeepLogFileCB->click();
        if (!everyRoll) { // on for a new player (SetupScreenTest)
            setup.LogEveryRollCB->click();
        }
        setup.YearComboList->setCurrentIndex(5);
        setup.MonthComboList->setCurrentIndex(5);
        setup.OKBtn_Click();
        test::LoadScenario();
        data::gTableA1[9] = "S"; // an A1 DR of 7 activates a squad
        test::LoadActionTables();
        test::LoadLocations();
    }

    void PlayEveryScreen() {
        Form2& activation = ui::Window<Form2>();
        // 4 against AC# 3: removed; a manual squad; the squad listing's DR and dr
        dice.Script({4, 3, 4, 1, 1, 4, 4, 3, 4, 1, 1, 2, 2, 6, 6, 1});
        activation.ActiviondrBtn->click();
        activation.ManualActivation->click();
        activation.mneSquad_Click();
        ui::Window<Form3>().Command2->click();

        Form9& actions = ui::ShowWindow<Form9>();
        // The action DR and the IFT attack of its "Fire", the direction, the three movement DRs.
        dice.Script({3, 4, 2, 3, 2, 1, 2, 3, 4, 5, 6});
        actions.InfActionBtn->click();
        actions.DirectionBtn->click();
        actions.InfantryMoveBtn->click();
        actions.HoldOddBtn->click();
        actions.ManualDieRollCB->click();
        actions.LATWAttackBtn->click();
        actions.DR8Btn->click();

        Form10& melee = ui::ShowWindow<Form10>();
        dice.Script({5, 5, 6, 1});
        melee.CCNTCDrmsBtn->click();
        melee.Command4->click();

        Form6& random = ui::ShowWindow<Form6>();
        dice.Script({5, 3, 4, 2, 7});
        random.SingleDR->click();
        random.TwoDR->click();
        random.Table6aBtn->click();
        random.DieXThroughY->click(); // 1 to 10

        Form11& locations = ui::ShowWindow<Form11>();
        dice.Script({3, 4, 5});
        locations.SLocationBtn->click();
        locations.Text1->setText(QStringLiteral("2"));
        dialogs.answer = folder.Root().string() + "/locations.txt";
        locations.SaveToFileBtn->click();
        EXPECT_EQ(dice.Remaining(), 0u);
    }

    const std::string kHeader =
        "stamp: === vs. German: June, 1943 | AC# = 3 | Hold Attitude | No A1 Modifier | "
        "No A5 Modifier | Forts not special | Long grain | See roll outcomes ===\r\n";
};

TEST_F(GameLog, EveryRollOnEveryScreenInItsScreensWords) {
    StartGame(true);
    PlayEveryScreen();
    // clang-format off
    const std::string expected = kHeader +
        Entry({"Activation: DR = 4, Modifiers = 0, Final DR = 4, AC# = 3, Suspect Counter Removed", "(S? removed)"}) +
        Entry({"Activation: Manual Activation: Sq4 (x2 DR=4/4)"}) + Entry({"Squad/Half Squad Table: DR = 12 dr = 1"}) +
        Entry({"Actions: Infantry Actions", "Infantry action DR = 7 (3, 4)", "(No units panic)",
               "Hold Attitude Unit's Actions", "Unit attacks", "3A-4", "Advance Attitude Unit's Actions",
               "Unit moves. Mark with a MOVE counter."}) +
        Entry({"Actions: Direction", "Dir = 2"}) +
        Entry({"Actions: Infantry Move", "Advance DR = 11, Hold Odd DR = 3, Hold Even DR = 7"}) +
        Entry({"Actions: Hold Odd DR = 3", "Hold Movement Command (Odd hexes)", "4A-2"}) +
        Entry({"Actions: Manual Die Roll, LATW Attack Command, DR = 8", "Unit attacks", "3B-7"}) +
        Entry({"CC/Melee: CC NTC DR = 10", "Take an NTC", "Pass: advance"}) + Entry({"CC/Melee: CC attack DR = 7"}) +
        Entry({"Random Numbers: dr Result, Colored dr = 5"}) +
        Entry({"Random Numbers: DR Result, Colored dr = 3, White dr = 4, Result = 7"}) +
        Entry({"Random Numbers: Table 6a, dr = 2, Result = 3"}) +
        Entry({"Random Numbers: X-Y Result, From = 1, To = 10, Result = 7"}) + Entry({"S? Locations: dr = at 3"}) +
        Entry({"S? Locations: Save to File: 2 locations to " + *dialogs.answer});
    // clang-format on
    EXPECT_EQ(Log(), expected); // a failure shows the lines that differ
}

TEST_F(GameLog, WithoutEveryRollOnlyActivationsWithTheManualOneMarked) {
    StartGame(false);
    PlayEveryScreen();
    EXPECT_EQ(Log(), kHeader + Entry({"(S? removed)"}) + Entry({"Manual Activation: Sq4 (x2 DR=4/4)"}));
}

} // namespace
} // namespace dorva
