// A game of a few operations on every screen, with scripted dice, and the game log it leaves: the
// header, the entries and their line ends, with "Log every roll" on and off.
#include "actions/gui/ActionsScreen.h"
#include "actions/gui/CloseCombatScreen.h"
#include "activation/gui/ActivationScreen.h"
#include "random/gui/LocationsScreen.h"
#include "random/gui/RandomNumbersScreen.h"
#include "setup/gui/SetupScreen.h"
#include "support/WindowTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>

namespace dorva {
namespace {

// The file's lines, each with its line end.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

class GameLog : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("DORVA2")).clear();
        test::TableFileBuilder tables;
        for (const std::string code : data::kTableCodes) {
            code == "IF" || code == "9E" ? tables.Grid(code, {{"a"}}) : tables.List(code, {"a"});
        }
        folder.Write("config.sco", tables.bytes);
        folder.Write("German.sdf", test::NationalityFileBuilder("GE").bytes);
    }

    // Start-up and the set-up screen's OK for June 1943 with the log kept, then the tables of the
    // test scenario in place of the file's.
    void StartGame(bool everyRoll) {
        Form1& setup = ui::Window<Form1>();
        setup.LoadGameData();
        data::gLogFileName = folder.Root().string() + "/game.txt"; // the first run's name is the test's own
        setup.show();
        setup.KeepLogFileCB->click();
        EXPECT_TRUE(setup.LogEveryRollCB->isChecked()) << "on for a new player";
        if (!everyRoll) {
            setup.LogEveryRollCB->click();
        }
        setup.YearComboList->setCurrentIndex(5);
        setup.MonthComboList->setCurrentIndex(5);
        setup.OKBtn_Click();
        test::LoadScenario();
        data::gTableA1[9] = "S"; // an A1 DR of 7 activates a squad
        test::LoadActionTables();
        data::gTable9E.Create(7, 2);
        for (int row = 0; row < 7; ++row) {
            data::gTable9E.CellRef(row, 0) = "at " + std::to_string(row);
            data::gTable9E.CellRef(row, 1) = "say " + std::to_string(row);
        }
    }

    void PlayEveryScreen() {
        Form2& activation = ui::Window<Form2>();
        dice.Script({4, 3, 4, 1, 1, 4, 4}); // 4 against AC# 3: removed
        activation.ActiviondrBtn->click();
        dice.Script({3, 4, 1, 1, 2, 2});
        activation.ManualActivation->click();

        Form9& actions = ui::ShowWindow<Form9>();
        dice.Script({3, 4, 2, 3}); // the action DR, then the IFT attack of its "Fire"
        actions.InfActionBtn->click();
        dice.Script({2});
        actions.DirectionBtn->click();
        dice.Script({1, 2, 3, 4, 5, 6});
        actions.InfantryMoveBtn->click();
        actions.HoldOddBtn->click();
        actions.ManualDieRollCB->click();
        actions.LATWAttackBtn->click();
        actions.DR8Btn->click();

        Form10& melee = ui::ShowWindow<Form10>();
        dice.Script({5, 5});
        melee.CCNTCDrmsBtn->click();
        dice.Script({6, 1});
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
    const std::vector<std::string> expected = {
        kHeader,
        "stamp: Activation: DR = 4, Modifiers = 0, Final DR = 4, AC# = 3, Suspect Counter Removed\r\n",
        "       (S? removed)\r\n",
        "stamp: Activation: Manual Activation: Sq4 (x2 DR=4/4)\r\n",
        "stamp: Actions: Infantry Actions\r\n",
        "       Infantry action DR = 7 (3, 4)\r\n",
        "       (No units panic)\r\n",
        "       Hold Attitude Unit's Actions\r\n",
        "       Unit attacks\r\n",
        "       3A-4\r\n",
        "       Advance Attitude Unit's Actions\r\n",
        "       Unit moves. Mark with a MOVE counter.\r\n",
        "stamp: Actions: Direction\r\n",
        "       Dir = 2\r\n",
        "stamp: Actions: Infantry Move\r\n",
        "       Advance DR = 11, Hold Odd DR = 3, Hold Even DR = 7\r\n",
        "stamp: Actions: Hold Odd DR = 3\r\n",
        "       Hold Movement Command (Odd hexes)\r\n",
        "       4A-2\r\n",
        "stamp: Actions: Manual Die Roll, LATW Attack Command, DR = 8\r\n",
        "       Unit attacks\r\n",
        "       3B-7\r\n",
        "stamp: CC/Melee: CC NTC DR = 10\r\n",
        "       Take an NTC\r\n",
        "       Pass: advance\r\n",
        "stamp: CC/Melee: CC attack DR = 7\r\n",
        "stamp: Random Numbers: dr Result, Colored dr = 5\r\n",
        "stamp: Random Numbers: DR Result, Colored dr = 3, White dr = 4, Result = 7\r\n",
        "stamp: Random Numbers: Table 6a, dr = 2, Result = 3\r\n",
        "stamp: Random Numbers: X-Y Result, From = 1, To = 10, Result = 7\r\n",
        "stamp: S? Locations: dr = at 3\r\n",
        "stamp: S? Locations: Save to File: 2 locations to " + *dialogs.answer + "\r\n",
    };
    EXPECT_EQ(Lines(Log()), expected);
    std::ifstream file(*dialogs.answer, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "dr = at 4\r\ndr = at 5\r\n");
}

TEST_F(GameLog, WithoutEveryRollOnlyActivationsWithTheManualOneMarked) {
    StartGame(false);
    PlayEveryScreen();
    EXPECT_EQ(Lines(Log()), std::vector<std::string>({kHeader, "stamp: (S? removed)\r\n",
                                                      "stamp: Manual Activation: Sq4 (x2 DR=4/4)\r\n"}));
}

} // namespace
} // namespace dorva
