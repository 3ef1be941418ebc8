#include "activation/gui/ActivationScreen.h"
#include "activation/State.h"
#include "support/WindowTest.h"
#include "ui/TableViewer.h"

#include <QCheckBox>
#include <QComboBox>

namespace dorva {
namespace {

class ActivationScreen : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        platform::SetActivationWindow(&vasl);
        test::LoadScenario();
        data::gTableA1[9] = "S";
        SpeakOn();
    }
};

TEST_F(ActivationScreen, ControlsCarryTheirNamesAndCaptions) {
    Form2& form = ui::Window<Form2>();
    EXPECT_EQ(form.windowTitle(), "Activation");
    // clang-format off
    test::ExpectCaptions(form, {
             {"ActiviondrBtn", "&Activation dr*"}, {"ManualActivation", "&Manual Activation*"},
             {"ClearModifiersBtn", "&Clear Modifiers*"}, {"UnitsNearByCB", "-1: >0 units &w/i 2 hexes"},
             {"StoneBuildingCB", "-1: in &stone builiding"}, {"AdjVpoCB", "-1: in/ADJ to &VPO"},
             {"Check1", "&Just roll AC dr for me."}, {"AutoClearCB", "A&uto clear after AC dr"},
             {"Label2", "DR"}, {"Label3", "Modifiers"}, {"Label4", "Final DR"}, {"Label5", "AC#"}, {"Label6", "+"},
             {"Label7", "="}, {"Label14", "Special Force Usage"}, {"Label9", " 0"}, {"Label10", "0"},
             {"Frame1", "AC drms"}, {"Combo1", "2|3|4|5"},
             {"AttitudeDL", "Hold Attitude|Advance Attitude"},
             {"HeightDL", "Same level|One Level|Two Levels|Three Levels|Four Levels"},
             {"TerrainDL", "Open|Village (19-49 buildings)|City (=>50 buildings)"},
             {"mnuTables", "&Tables"}});
    // clang-format on
}

TEST_F(ActivationScreen, LoadingTakesTheProgramWideValuesAndTheListsSetThem) {
    std::tie(setup::gACNumber, setup::gAttitude, activation::gShowActivation, activation::gAutoClear,
             activation::specialForceClass, activation::acDieRoll) =
        std::tuple{4, 1, 1, true, activation::kSpecialForces, 3};
    Form2& form = ui::ShowWindow<Form2>();
    EXPECT_EQ(QStringList({form.Combo1->currentText(), form.AttitudeDL->currentText(),
                           form.SpecialForcesDL->currentText()}),
              QStringList({"4", "Advance Attitude", "All Unit Classes"}));
    EXPECT_TRUE(form.Check1->isChecked() && form.AutoClearCB->isChecked());
    EXPECT_EQ(activation::specialForceClass, activation::kAllUnitClasses);
    EXPECT_FALSE(activation::acDieRoll.has_value());

    form.Combo1->setCurrentIndex(3);
    form.AttitudeDL->setCurrentIndex(0);
    form.SpecialForcesDL->setCurrentIndex(1);
    EXPECT_EQ(std::vector<int>({setup::gACNumber, setup::gAttitude, activation::specialForceClass}),
              std::vector<int>({5, 0, activation::kSecondLineOnly}));
}

TEST_F(ActivationScreen, ModifierControlsFillTheTableAndTheDisplays) {
    Form2& form = ui::Window<Form2>();
    form.HeightDL->setCurrentIndex(4);
    for (QCheckBox* box : {form.AdjVpoCB, form.StoneBuildingCB, form.UnitsNearByCB}) {
        box->setChecked(true);
    }
    EXPECT_EQ(form.Label9->text() + form.Label10->text(), "-7-7");
    EXPECT_EQ(data::gModifierTable, (std::array<std::int16_t, 6>{0, -1, -1, -1, -4, 0}));
    form.ClearModifiersBtn_Click();
    form.TerrainDL->setCurrentIndex(2);
    EXPECT_EQ(form.Label9->text() + form.Label10->text(), " 22");
    EXPECT_TRUE(form.Label11->text().isEmpty()) << "no outcome before the first roll";
}

// Where the outcome goes besides the screen is ActivationTest's; the units of a removed counter, the next
// test's. A roll in the unit text is held together by a no-break space.
TEST_F(ActivationScreen, ARollShowsTheOutcomeInItsColour) {
    const QColor red(255, 0, 0), blue(0, 0, 255), black(0, 0, 0);
    const char* squad = "Sq8 (x2\u00a0DR=8/8)\n\n";
    // clang-format off
    for (const auto& [die, terrain, acNumber, justRoll, final, result, colour, units, a1Line] : {
             std::tuple{6, 0, 5, 0, "6", "Suspect Counter Automatically Removed", red, "", ""},
             {1, 2, 2, 0, "3", "Suspect Counter Automatically Activated", blue, squad, "A1 DR = 7/7"},
             {2, 2, 3, 0, "4", "Suspect Counter Removed", black, "", ""},
             {3, 0, 3, 1, "3", "Suspect Counter Activated", black, "", ""}}) {
        // clang-format on
        std::tie(setup::gACNumber, activation::gShowActivation) = std::tuple{acNumber, justRoll};
        Form2& form = ui::Window<Form2>();
        form.TerrainDL->setCurrentIndex(terrain);
        form.Label1->setText("earlier units");
        dice.Script({die, 3, 4, 1, 1, 4, 4});
        form.ActiviondrBtn->click();
        EXPECT_EQ(QStringList({form.Label8->text(), form.Label10->text(), form.Label11->text(),
                               form.Label1->text(), form.Label12->text()}),
                  QStringList({QString::number(die), final, result, units, a1Line}));
        EXPECT_EQ(form.Label11->palette().color(QPalette::WindowText), colour) << result;
        EXPECT_EQ(data::gDRStats[static_cast<std::size_t>(die)], 1) << "the activation die is recorded";
        ui::DestroyAllWindows();
    }
}

// The manual activation's log is GameLogTest's, and what the VASL window shows, AppWindowsTest's.
TEST_F(ActivationScreen, AfterARollModifiersAndManualActivationChangeOnlyTheScreen) {
    setup::gACNumber = 3;
    Form2& form = ui::Window<Form2>();
    vasl.visible = true;
    data::gKeepLogFile = 1;
    dice.Script({4, 3, 4, 1, 1, 4, 4});
    form.ActiviondrBtn_Click(); // 4 against AC# 3: removed
    const std::string logged = Log();

    form.StoneBuildingCB->setChecked(true);
    EXPECT_EQ(
        QStringList({form.Label11->text(), form.Label1->text(), form.Label12->text(), form.Label10->text()}),
        QStringList({"Suspect Counter Activated", "Sq8 (x2\u00a0DR=8/8)\n\n", "A1 DR = 7/7", "3"}));
    form.StoneBuildingCB->setChecked(false);
    EXPECT_EQ(form.Label11->text() + form.Label1->text(), "Suspect Counter Removed");
    EXPECT_EQ(Log(), logged);
    EXPECT_EQ(vasl.text, "(S? removed)");

    dice.Script({3, 4, 1, 1, 2, 2});
    form.ManualActivation->click();
    EXPECT_EQ(QStringList({form.Label1->text(), form.Label8->text(), form.Label11->text()}),
              QStringList({"Sq4 (x2\u00a0DR=4/4)\n\n", "4", "Suspect Counter Removed"}));
    EXPECT_EQ(speech.spoken.size(), 1u) << "only the roll was spoken";
}

TEST_F(ActivationScreen, AutoClearKeepsTheAnnouncedResultAndTheTerrain) {
    setup::gACNumber = 3;
    Form2& form = ui::Window<Form2>();
    form.AutoClearCB->setChecked(true);
    data::gKeepLogFile = 1;
    // Just rolling or not: with village terrain and -5 a 5 activates; cleared, 5 + 1 = 6 would remove it.
    for (const auto& [justRoll, units] : {std::pair{false, "Sq8 (x2\u00a0DR=8/8)\n\n"}, {true, ""}}) {
        form.Check1->setChecked(justRoll);
        form.TerrainDL->setCurrentIndex(1);
        form.HeightDL->setCurrentIndex(2);
        for (QCheckBox* box : {form.AdjVpoCB, form.StoneBuildingCB, form.UnitsNearByCB}) {
            box->setChecked(true);
        }
        dice.Script({5, 3, 4, 1, 1, 4, 4});
        form.ActiviondrBtn_Click();
        EXPECT_FALSE(form.AdjVpoCB->isChecked() || form.StoneBuildingCB->isChecked() ||
                     form.UnitsNearByCB->isChecked());
        EXPECT_EQ(std::pair(form.HeightDL->currentIndex(), form.TerrainDL->currentIndex()), std::pair(0, 1));
        EXPECT_EQ(form.Label9->text(), " 1");
        EXPECT_EQ(form.Label11->text() + "|" + form.Label1->text(),
                  QString("Suspect Counter Activated|") + units)
            << justRoll;
    }
    EXPECT_EQ(Log(), "stamp: Sq8 (x2 DR=8/8)\r\nstamp: Sq8 (x2 DR=8/8)\r\n");
}

TEST_F(ActivationScreen, ANewNationalityRefreshesNotesClassListAndSpecialForceLine) {
    data::gSquadTable[14][3] = "1"; // a second special force (squad DR 13): the line names the last
    Form2& form = ui::Window<Form2>();
    form.Form_Activate();
    EXPECT_EQ(form.Label13->text(), "First note\nSecond note\n");
    EXPECT_EQ(form.Label14->text(), "Special Force unit is the Sq13");
    EXPECT_EQ(test::Shown(form.SpecialForcesDL),
              "Conscript/Green Only|2nd Line Only|1st Line Only|Elite Only|"
              "All Unit Classes|Any Class But Special Forces|Special Forces");
    EXPECT_EQ(activation::specialForceClass, activation::kClassUndecided);
    dice.Script({3, 4, 1, 1, 6, 6}); // the first squad is the special force
    form.ManualActivation_Click();
    EXPECT_EQ(form.Label14->text(), "Special Forces are being used.");
    EXPECT_EQ(form.SpecialForcesDL->currentText(), "Special Forces");

    form.Label13->setText("kept");
    form.Form_Activate();
    EXPECT_EQ(form.Label13->text(), "kept");
    EXPECT_EQ(activation::specialForceClass, activation::kSpecialForces);

    // Another nationality without special forces takes the two entries away.
    for (auto& row : data::gSquadTable) {
        row[3] = "0";
    }
    data::gScenarioNotes = test::kNotFoundList;
    data::gSdfTag = "RU";
    form.Form_Activate();
    EXPECT_EQ(form.SpecialForcesDL->count(), 5);
    EXPECT_EQ(form.Label14->text() + form.Label13->text(),
              "This nationality does not have any special forces.Table not found\n");
    EXPECT_EQ(activation::specialForceClass, activation::kClassUndecided);
}

TEST_F(ActivationScreen, TablesMenuShowsListingsInTheTableViewer) {
    data::gSquadTable.resize(3);
    data::gSquadTable[2][3] = "1";
    data::gLeaderTable = {"", "8-0", "9-1"};
    data::gAFVTable = test::kNotFoundList;
    Form2& form = ui::Window<Form2>();
    // clang-format off
    for (const auto& [item, caption, title, listing] : {
             std::tuple{form.mneSquad, "&Squad/Half Squad", "Squad/Half Squad Table", "\n   0    Sq0     Hs0  1\n   1    Sq1     Hs1  1 S12.22\n"},
             {form.mneLeader, "&Leader", "Infantry Leaders", "\n   0  8-0\n   1  9-1\n"},
             {form.mneAFV, "&AFVs", "AFVs", "AFVs info not available"}, {form.mneSW, "Support &Weapons", "Support Table", ""},
             {form.mneGunsInside, "Guns &Inside", "Guns (Inside)", ""}, {form.mneGunsOutside, "Guns &Outside", "Guns (Outside)", ""},
             {form.mneSPG, "SP&Gs", "SPGs", ""}}) {
        // clang-format on
        EXPECT_EQ(item->text(), caption);
        item->trigger();
        Form3* viewer = ui::ExistingWindow<Form3>();
        ASSERT_TRUE(viewer && viewer->isVisible());
        EXPECT_EQ(viewer->windowTitle(), title);
        EXPECT_TRUE(!*listing || viewer->Label1->text() == listing) << title;
    }
}

} // namespace
} // namespace dorva
