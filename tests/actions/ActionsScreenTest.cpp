// Texts that fit: ShippedTextsFitTest; the windows' titles: tests/e2e/shortcuts.sh.
#include "actions/gui/ActionsScreen.h"
#include "actions/gui/CloseCombatScreen.h"
#include "support/WindowTest.h"

#include <QCheckBox>
#include <QRegularExpression>
#include <QTest>

namespace dorva {
namespace {

using test::ExpectCaptions;

class Screens : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        test::LoadActionTables();
    }
    static QStringList Enabled(const QWidget& window, const QString& nameEnd) {
        QStringList names;
        for (const QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->isEnabled() && button->objectName().endsWith(nameEnd)) {
                names << button->objectName();
            }
        }
        return names;
    }
};

TEST_F(Screens, ControlsCarryTheirNamesAndCaptions) {
    Form9& form = ui::Window<Form9>();
    // clang-format off
    ExpectCaptions(form, {
        {"HoldLB", ""}, {"Label10", ""}, {"AdvanceLB", ""}, {"Label11", ""},
        {"InfActionBtn", "I&nfantry Actions"}, {"AFVGunBtn", "A&FV Actions"}, {"Label2", ""},
        {"Label3", "(Possible unit Panic)"}, {"Frame3", "Fire Commands"},
        {"Label6", ""}, {"Label7", ""}, {"Label8", ""}, {"Label9", ""},
        {"IFTAttackBtn", "IF&T Attack"}, {"LATWAttackBtn", "&LATW Attack"},
        {"OrdVsVehAttackBtn", "Ord. vs. &Veh."}, {"OrdVsInfAttackBtn", "&Ord. vs. Inf."},
        {"DR2Btn", "&2"}, {"DR3Btn", "&3"}, {"DR4Btn", "&4"}, {"DR5Btn", "&5"}, {"DR6Btn", "&6"}, {"DR7Btn", "&7"},
        {"DR8Btn", "&8"}, {"DR9Btn", "&9"}, {"DR10Btn", "1&0"}, {"DR11Btn", "1&1"}, {"DR12Btn", "12"},
        {"ManualDieRollCB", "&Manual Die Roll"}, {"AssumeIFTAttackCB", "Assume IFT Attac&k"},
        {"Frame2", "Movement Commands"}, {"Command4", "&AFV Move"}, {"InfantryMoveBtn", "&Infantry Move"},
        {"Label1", "Hold"}, {"Label4", "Odd"}, {"Label5", "Even"}, {"Label12", "Advance"},
        {"AdvanceBtn", ""}, {"HoldOddBtn", ""}, {"HoldEvenBtn", ""},
        {"ActivateMoveButtonCB", "A&ctivate Move Button"}, {"Frame1", "Movement Direction"},
        {"DirectionBtn", "&Direction"}, {"DirectionLB", ""}});
    // clang-format on
    EXPECT_FALSE(form.ActivateMoveButtonCB->isChecked());

    Form10& melee = ui::Window<Form10>();
    // clang-format off
    ExpectCaptions(melee, {{"AdvanceBtn", "Advance dr"}, {"Command4", "CC Attack DR"}, {"CCNTCDrmsBtn", "CC NTC"},
                           {"AdvanceLB", "(DR/dr results displayed here)"}, {"CCPairingsBtn", "CC Pairings"}, {"Label1", ""}});
    // clang-format on
}

// The next infantry movement roll waits until the player unchecks the box. The DRs and the entries they
// read with these dice are pinned by the spoken turn (VoiceCommandsTest).
TEST_F(Screens, InfantryMovementKeepsItsDRsOnTheButtons) {
    Form9& form = ui::Window<Form9>();
    EXPECT_EQ(Enabled(form, "Btn"),
              QStringList({"InfActionBtn", "AFVGunBtn", "IFTAttackBtn", "LATWAttackBtn", "OrdVsVehAttackBtn",
                           "OrdVsInfAttackBtn", "InfantryMoveBtn", "DirectionBtn"}));
    dice.Script({1, 1, 6, 6, 3, 4});
    Press(form, "InfantryMoveBtn");
    EXPECT_EQ(Enabled(form, "Btn").filter(QRegularExpression("^(Hold|Advance|Infantry)")),
              QStringList({"AdvanceBtn", "HoldOddBtn", "HoldEvenBtn"}));
    EXPECT_TRUE(form.ActivateMoveButtonCB->isChecked());

    Press(form, "HoldOddBtn");
    Press(form, "HoldEvenBtn");
    ExpectCaptions(form, {{"HoldLB", "Hold Movement Command (Odd hexes)"},
                          {"AdvanceLB", "Hold Movement Command (Even hexes)"}});
    Press(form, "AdvanceBtn");
    ExpectCaptions(form, {{"HoldLB", "Advance Movement Command"}, {"AdvanceLB", ""}});

    form.ActivateMoveButtonCB->click();
    EXPECT_TRUE(form.InfantryMoveBtn->isEnabled());
    form.ActivateMoveButtonCB->click();
    EXPECT_FALSE(form.InfantryMoveBtn->isEnabled());
}

// A rolled command reads its list at DR - 1 into the upper pair and blanks the lower one. The other labels
// and buttons are pinned by the spoken turn (VoiceCommandsTest) and the game log.
TEST_F(Screens, ResultsReachTheirLabels) {
    Form9& form = ui::Window<Form9>();
    dice.Script({2, 2, 3, 4, 1, 2});
    Press(form, "AFVGunBtn");
    ExpectCaptions(form, {{"Label3", "Units Panic:\n   Partisan/2nd Line\n   Conscript/Green"},
                          {"AdvanceLB", "Advance Attitude Unit's Actions"}});
    form.AssumeIFTAttackCB->click();
    Press(form, "InfActionBtn");
    ExpectCaptions(form, {{"Label3", "(No units panic)"},
                          {"Label10", "Unit Fires. Select attack type from selection to the right."}});
    // clang-format off
    for (const auto& [button, die1, die2, heading, text] : {
             std::tuple{"Command4", 6, 6, "Vehicle Movement Command", "4C-11"}, {"IFTAttackBtn", 1, 2, "IFT Attack Command", "Unit attacks\n3A-2"},
             {"OrdVsVehAttackBtn", 3, 4, "Ordance vs. Vehicle Attack Command", "Unit attacks\n3C-6"}}) {
        // clang-format on
        dice.Script({die1, die2});
        Press(form, button);
        ExpectCaptions(form, {{"HoldLB", heading}, {"Label10", text}, {"AdvanceLB", ""}, {"Label11", ""}});
    }

    Form10& melee = ui::Window<Form10>();
    dice.Script({6});
    Press(melee, "CCPairingsBtn");
    ExpectCaptions(melee, {{"AdvanceLB", "CC Pairings dr = 6"}, {"Label1", "3E-6"}});
}

// Leaving the manual mode keeps the texts; entering it again selects the IFT attack.
TEST_F(Screens, ManualDieRollMarksTheSelectedFireButton) {
    const char* const prompt = "(Choose a specific DR to display)";
    Form9& form = ui::ShowWindow<Form9>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form)); // keys reach the active window only
    QTest::keyClick(&form, Qt::Key_Equal, Qt::AltModifier);
    QTest::qWait(200);
    EXPECT_EQ(form.Label10->text(), "") << "the DR keys wait for the mode";
    form.ManualDieRollCB->click();
    EXPECT_EQ(Enabled(form, "Btn").filter("DR").size(), 11);
    ExpectCaptions(form, {{"Label6", "->"}, {"Label10", prompt}});
    EXPECT_EQ(form.Label6->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(form.Label6->font().bold() && form.Label6->font().pointSize() == 12);
    Press(form, "OrdVsInfAttackBtn");
    // A key presses its button as a click would, for a moment the player sees.
    const auto key = [&form](Qt::Key k, const char* shown) {
        QTest::keyClick(&form, k, Qt::AltModifier);
        return QTest::qWaitFor([&] { return form.Label10->text() == shown; }, 1000);
    };
    EXPECT_TRUE(key(Qt::Key_1, "Unit attacks\n3D-10"));
    EXPECT_TRUE(key(Qt::Key_Equal, "Unit attacks\n3D-11"));
    ExpectCaptions(form, {{"Label6", ""}, {"Label9", "->"}});
    EXPECT_EQ(form.DR12Btn->toolTip(), "Alt+=");
    Press(form, "LATWAttackBtn");
    ExpectCaptions(form, {{"Label7", "->"}, {"Label9", ""}, {"Label10", prompt}});
    Press(form, "DR12Btn");
    form.ManualDieRollCB->click();
    EXPECT_EQ(Enabled(form, "Btn").filter("DR").size(), 0);
    ExpectCaptions(form, {{"Label7", ""}, {"Label10", "Unit attacks\n3B-11"}});
    form.ManualDieRollCB->click();
    ExpectCaptions(form, {{"Label6", "->"}, {"Label10", prompt}});
    EXPECT_EQ(dice.Rolled(), 0);
}

void ExpectPicture(const QLabel* image, int picture, const char* description) {
    EXPECT_EQ(image->property("picture").toInt(), picture);
    EXPECT_EQ(image->accessibleDescription(), description);
    const QSize shown = image->pixmap().deviceIndependentSize().toSize();
    EXPECT_TRUE((shown.width() == image->width() && shown.height() <= image->height()) ||
                (shown.height() == image->height() && shown.width() <= image->width()));
    EXPECT_NEAR(double(shown.width()) / shown.height(), picture < 300 ? 92.0 / 58.0 : 88.0 / 91.0, 0.03);
}

TEST_F(Screens, BothScreensShowTheDirectionWithItsPicture) {
    setup::gAttitude = 1;
    setup::gHexGrain = 1;
    dice.Script({5, 2, 4});
    Form9& actions = ui::Window<Form9>();
    Form10& melee = ui::Window<Form10>();
    ExpectPicture(
        actions.Image1, 200,
        "No direction rolled yet. The unit's hex and the two hexes in front of it: 1 to 3 front left, "
        "4 to 6 front right");
    Press(actions, "DirectionBtn");
    EXPECT_EQ(actions.DirectionLB->text(), "Dir = 5");
    ExpectPicture(actions.Image1, 202, "Direction front right (dr 4 or more)");
    Press(melee, "AdvanceBtn");
    EXPECT_EQ(melee.AdvanceLB->text(), "Dir = 2");
    ExpectPicture(melee.Image1, 201, "Direction front left (dr 3 or less)");
    EXPECT_EQ(melee.Image1->accessibleName(), "Movement direction picture");

    setup::gAttitude = 3; // a damaged setting: no picture, but the direction all the same
    melee.Form_Load();
    Press(melee, "AdvanceBtn");
    EXPECT_EQ(melee.AdvanceLB->text(), "Dir = 4");
    EXPECT_TRUE(melee.Image1->pixmap().isNull());
}

} // namespace
} // namespace dorva
