#include "activation/ActivationScreen.h"
#include "ScenarioFixture.h"
#include "activation/ActivationState.h"
#include "data/Announce.h"
#include "data/Dice.h"
#include "shell/MiniControls.h"
#include "shell/TableViewer.h"
#include "shell/Windows.h"
#include "support/ScriptedDice.h"
#include "voice/SpeechState.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

// Failures show texts, not bytes.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace dorva {
namespace {

using test::ScriptedDice;

class RecordingVoice : public voice::Voice {
public:
    std::vector<std::string> spoken;
    long Speak(const std::string& text, int) override {
        spoken.push_back(text);
        return 1;
    }
};

class FakeVaslWindow : public data::ActivationWindowChannel {
public:
    bool visible = false;
    std::string text = "hint";
    bool IsVisible() override { return visible; }
    void SetText(const std::string& t) override { text = t; }
};

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) {
        entries << list->itemText(i);
    }
    return entries;
}

class ActivationScreen : public ::testing::Test {
protected:
    void SetUp() override {
        test::LoadScenario();
        data::gTableA1[9] = "S";
        auto v = std::make_unique<RecordingVoice>();
        voice_ = v.get();
        voice::gVoice = std::move(v);
        data::gSpeak = 1;
        data::gVoiceAvailable = 1;
        data::SetActivationWindowChannel(&vasl_);
        data::SetLogClock([] { return std::string("stamp"); });
        log_ = std::filesystem::temp_directory_path() / ("dorva-screen-log-" + std::to_string(::getpid()));
        std::filesystem::remove(log_);
        data::gLogFileName = log_.string();
    }
    void TearDown() override {
        gui::DestroyAllWindows();
        ResetProgramState();
        std::filesystem::remove(log_);
    }

    std::string Log() const {
        std::ifstream in(log_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static QColor ResultColour(const Form2& form) {
        return form.Label11->palette().color(QPalette::WindowText);
    }

    // A form shown on the screen, as the player has it.
    static Form2& ShownForm() {
        Form2& form = gui::Window<Form2>();
        form.show();
        return form;
    }

    RecordingVoice* voice_ = nullptr;
    FakeVaslWindow vasl_;
    std::filesystem::path log_;
};

TEST_F(ActivationScreen, ControlsCarryTheirNamesAndCaptions) {
    Form2& form = gui::Window<Form2>();
    struct Caption {
        const char* name;
        const char* text;
    };
    for (const Caption c :
         {Caption{"ActiviondrBtn", "&Activation dr*"}, Caption{"ManualActivation", "&Manual Activation*"},
          Caption{"ClearModifiersBtn", "&Clear Modifiers*"}}) {
        auto* button = form.findChild<QPushButton*>(c.name);
        ASSERT_NE(button, nullptr) << c.name;
        EXPECT_EQ(button->text(), c.text);
    }
    for (const Caption c :
         {Caption{"UnitsNearByCB", "-1: >0 units &w/i 2 hexes"},
          Caption{"StoneBuildingCB", "-1: in &stone builiding"}, Caption{"AdjVpoCB", "-1: in/ADJ to &VPO"},
          Caption{"Check1", "&Just roll AC dr for me."}, Caption{"AutoClearCB", "A&uto clear after AC dr"}}) {
        auto* box = form.findChild<QCheckBox*>(c.name);
        ASSERT_NE(box, nullptr) << c.name;
        EXPECT_EQ(box->text(), c.text);
    }
    for (const Caption c :
         {Caption{"Label2", "DR"}, Caption{"Label3", "Modifiers"}, Caption{"Label4", "Final DR"},
          Caption{"Label5", "AC#"}, Caption{"Label6", "+"}, Caption{"Label7", "="},
          Caption{"Label14", "Special Force Usage"}, Caption{"Label8", ""}, Caption{"Label9", " 0"},
          Caption{"Label10", "0"}, Caption{"Label11", ""}, Caption{"Label12", ""}, Caption{"Label1", ""},
          Caption{"Label13", ""}, Caption{"MissionParametersTB", ""}}) {
        auto* label = form.findChild<QLabel*>(c.name);
        ASSERT_NE(label, nullptr) << c.name;
        EXPECT_EQ(label->text(), c.text) << c.name;
    }
    EXPECT_EQ(form.findChild<QGroupBox*>("Frame1")->title(), "AC drms");
    EXPECT_EQ(Entries(form.findChild<QComboBox*>("Combo1")), QStringList({"2", "3", "4", "5"}));
    EXPECT_EQ(Entries(form.findChild<QComboBox*>("AttitudeDL")),
              QStringList({"Hold Attitude", "Advance Attitude"}));
    EXPECT_EQ(Entries(form.findChild<QComboBox*>("HeightDL")),
              QStringList({"Same level", "One Level", "Two Levels", "Three Levels", "Four Levels"}));
    EXPECT_EQ(Entries(form.findChild<QComboBox*>("TerrainDL")),
              QStringList({"Open", "Village (19-49 buildings)", "City (=>50 buildings)"}));
    EXPECT_EQ(Entries(form.findChild<QComboBox*>("SpecialForcesDL")),
              QStringList({"Conscript/Green Only", "2nd Line Only", "1st Line Only", "Elite Only",
                           "All Unit Classes"}));
    EXPECT_EQ(form.SpecialForcesDL->currentText(), "All Unit Classes");

    auto* menu = form.findChild<QMenu*>("mnuTables");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "&Tables");
    QStringList items;
    for (QAction* action : menu->actions()) {
        items << action->objectName() + "=" + action->text();
    }
    EXPECT_EQ(items, QStringList({"mneSquad=&Squad/Half Squad", "mneLeader=&Leader", "mneSW=Support &Weapons",
                                  "mneAFV=&AFVs", "mneGunsInside=Guns &Inside",
                                  "mneGunsOutside=Guns &Outside", "mneSPG=SP&Gs"}));

    EXPECT_EQ(form.windowTitle(), "Activation");
    EXPECT_EQ(form.centralWidget()->size(), QSize(542, 438));
    for (QLabel* display : {form.Label8, form.Label9, form.Label10, form.Label11}) {
        EXPECT_TRUE(display->font().bold()) << display->objectName().toStdString();
        EXPECT_EQ(display->font().pointSize(), 12) << display->objectName().toStdString();
    }
    EXPECT_FALSE(form.Label1->whatsThis().isEmpty());
    EXPECT_TRUE(form.testAttribute(Qt::WA_DeleteOnClose));
}

TEST_F(ActivationScreen, LoadingTakesTheProgramWideValues) {
    setup::gACNumber = 4;
    setup::gAttitude = 1;
    activation::gShowActivation = 1;
    activation::gAutoClear = true;
    activation::specialForceClass = activation::kSpecialForces;
    activation::acDieRoll = 3;
    Form2& form = gui::Window<Form2>();
    EXPECT_EQ(form.Combo1->currentText(), "4");
    EXPECT_EQ(setup::gACNumber, 4);
    EXPECT_EQ(form.AttitudeDL->currentIndex(), 1);
    EXPECT_TRUE(form.Check1->isChecked());
    EXPECT_TRUE(form.AutoClearCB->isChecked());
    EXPECT_EQ(activation::specialForceClass, activation::kAllUnitClasses);
    EXPECT_FALSE(activation::acDieRoll.has_value());
    EXPECT_EQ(data::gModifierTable, (std::array<std::int16_t, 6>{}));
}

TEST_F(ActivationScreen, TheAcNumberAndTheAttitudeAreProgramWide) {
    Form2& form = ShownForm();
    form.Combo1->setCurrentIndex(3);
    EXPECT_EQ(setup::gACNumber, 5);
    form.AttitudeDL->setCurrentIndex(1);
    EXPECT_EQ(setup::gAttitude, 1);
    form.SpecialForcesDL->setCurrentIndex(1);
    EXPECT_EQ(activation::specialForceClass, activation::kSecondLineOnly);
}

TEST_F(ActivationScreen, ModifierControlsFillTheTableAndTheDisplays) {
    Form2& form = gui::Window<Form2>();
    form.HeightDL->setCurrentIndex(4);
    form.AdjVpoCB->setChecked(true);
    form.StoneBuildingCB->setChecked(true);
    form.UnitsNearByCB->setChecked(true);
    EXPECT_EQ(form.Label9->text(), "-7");
    EXPECT_EQ(form.Label10->text(), "-7");
    EXPECT_EQ(data::gModifierTable, (std::array<std::int16_t, 6>{0, -1, -1, -1, -4, 0}));
    form.ClearModifiersBtn_Click();
    form.TerrainDL->setCurrentIndex(2);
    EXPECT_EQ(form.Label9->text(), " 2");
    EXPECT_EQ(form.Label10->text(), "2");
    EXPECT_TRUE(form.Label11->text().isEmpty()) << "no outcome before the first roll";
}

struct RollCase {
    const char* name;
    int die;
    int terrain; // TerrainDL position
    bool stone;  // StoneBuildingCB
    int acNumber;
    int showActivation;
    const char *dr, *final, *result;
    QColor colour;
    const char *units, *a1Line, *vasl, *log;
};

class ActivationRolls : public ActivationScreen, public ::testing::WithParamInterface<RollCase> {};

TEST_P(ActivationRolls, ShowSendLogAndSpeakTheOutcome) {
    const RollCase& c = GetParam();
    setup::gACNumber = c.acNumber;
    activation::gShowActivation = c.showActivation;
    Form2& form = gui::Window<Form2>();
    form.TerrainDL->setCurrentIndex(c.terrain);
    form.StoneBuildingCB->setChecked(c.stone);
    form.Label1->setText("earlier units");
    vasl_.visible = true;
    data::gKeepLogFile = 1;

    ScriptedDice dice{c.die, 3, 4, 1, 1, 4, 4};
    form.ActiviondrBtn->click();

    EXPECT_EQ(form.Label8->text(), c.dr);
    EXPECT_EQ(form.Label10->text(), c.final);
    EXPECT_EQ(form.Label11->text(), c.result);
    EXPECT_EQ(ResultColour(form), c.colour);
    EXPECT_EQ(form.Label1->text(), c.units);
    EXPECT_EQ(form.Label12->text(), c.a1Line);
    EXPECT_EQ(vasl_.text, c.vasl);
    EXPECT_EQ(Log(), std::string("stamp: ") + c.log + "\r\n");
    EXPECT_EQ(voice_->spoken, std::vector<std::string>{c.result});
    EXPECT_EQ(activation::gTempDisplayUnits, "Sq8 (x2 DR=8/8)\r\r");
}

const QColor kRed(255, 0, 0), kBlue(0, 0, 255), kBlack(0, 0, 0);

INSTANTIATE_TEST_SUITE_P(
    Outcomes, ActivationRolls,
    ::testing::Values(RollCase{"NaturalSixAgainstMinusFour", 6, 0, true, 3, 0, "6", "5",
                               "Suspect Counter Automatically Removed", kRed, "", "", "(S? removed)",
                               "Suspect Counter Automatically Removed"},
                      RollCase{"NaturalOneAgainstCity", 1, 2, false, 2, 0, "1", "3",
                               "Suspect Counter Automatically Activated", kBlue, "Sq8 (x2 DR=8/8)\n\n",
                               "A1 DR = 7/7", "Sq8 (x2 DR=8/8)    ", "Sq8 (x2 DR=8/8)"},
                      RollCase{"FinalEqualsTheAcNumber", 3, 0, false, 3, 0, "3", "3",
                               "Suspect Counter Activated", kBlack, "Sq8 (x2 DR=8/8)\n\n", "A1 DR = 7/7",
                               "Sq8 (x2 DR=8/8)    ", "Sq8 (x2 DR=8/8)"},
                      RollCase{"CityTurnsATwoIntoAFour", 2, 2, false, 3, 0, "2", "4",
                               "Suspect Counter Removed", kBlack, "", "", "(S? removed)", "(S? removed)"},
                      RollCase{"JustRollingHidesTheUnits", 2, 0, false, 3, 1, "2", "2",
                               "Suspect Counter Activated", kBlack, "", "", "Sq8 (x2 DR=8/8)    ",
                               "Sq8 (x2 DR=8/8)"},
                      RollCase{"JustRollingANaturalOne", 1, 0, false, 3, 1, "1", "1",
                               "Suspect Counter Automatically Activated", kBlue, "", "",
                               "Sq8 (x2 DR=8/8)    ", "Sq8 (x2 DR=8/8)"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(ActivationScreen, AModifierChangeReevaluatesTheScreenOnly) {
    setup::gACNumber = 3;
    Form2& form = gui::Window<Form2>();
    vasl_.visible = true;
    data::gKeepLogFile = 1;
    ScriptedDice dice{4, 3, 4, 1, 1, 4, 4};
    form.ActiviondrBtn_Click();
    EXPECT_EQ(form.Label11->text(), "Suspect Counter Removed");
    const std::string logged = Log();

    form.StoneBuildingCB->setChecked(true);
    EXPECT_EQ(form.Label11->text(), "Suspect Counter Activated");
    EXPECT_EQ(form.Label1->text(), "Sq8 (x2 DR=8/8)\n\n");
    EXPECT_EQ(form.Label12->text(), "A1 DR = 7/7");
    EXPECT_EQ(form.Label10->text(), "3");
    form.StoneBuildingCB->setChecked(false);
    EXPECT_EQ(form.Label11->text(), "Suspect Counter Removed");
    EXPECT_EQ(form.Label1->text(), "");
    EXPECT_EQ(form.Label12->text(), "");

    EXPECT_EQ(voice_->spoken.size(), 1u);
    EXPECT_EQ(Log(), logged);
    EXPECT_EQ(vasl_.text, "(S? removed)");
}

TEST_F(ActivationScreen, NaturalRollsStandWhatEverTheModifiers) {
    for (int natural : {1, 6}) {
        Form2& form = gui::Window<Form2>();
        ScriptedDice dice{natural, 3, 4, 1, 1, 4, 4};
        form.ActiviondrBtn_Click();
        const QString result = form.Label11->text();
        form.TerrainDL->setCurrentIndex(2);
        form.HeightDL->setCurrentIndex(4);
        EXPECT_EQ(form.Label11->text(), result);
        EXPECT_EQ(form.Label10->text(), QString::number(natural - 2));
        form.TerrainDL->setCurrentIndex(0);
        form.HeightDL->setCurrentIndex(0);
    }
}

TEST_F(ActivationScreen, AutoClearClearsAfterTheAnnouncementButKeepsTheTerrain) {
    setup::gACNumber = 3;
    Form2& form = gui::Window<Form2>();
    form.AutoClearCB->setChecked(true);
    EXPECT_TRUE(activation::gAutoClear);
    form.TerrainDL->setCurrentIndex(1);
    form.HeightDL->setCurrentIndex(2);
    form.AdjVpoCB->setChecked(true);
    form.StoneBuildingCB->setChecked(true);
    form.UnitsNearByCB->setChecked(true);
    data::gKeepLogFile = 1;
    // 5 + 1 - 2 - 3 = 1: activated with the modifiers of the roll.
    ScriptedDice dice{5, 3, 4, 1, 1, 4, 4};
    form.ActiviondrBtn_Click();
    EXPECT_EQ(Log(), "stamp: Sq8 (x2 DR=8/8)\r\n");
    EXPECT_EQ(voice_->spoken, std::vector<std::string>{"Suspect Counter Activated"});
    EXPECT_FALSE(form.AdjVpoCB->isChecked());
    EXPECT_FALSE(form.StoneBuildingCB->isChecked());
    EXPECT_FALSE(form.UnitsNearByCB->isChecked());
    EXPECT_EQ(form.HeightDL->currentIndex(), 0);
    EXPECT_EQ(form.TerrainDL->currentIndex(), 1);
    EXPECT_EQ(form.Label9->text(), " 1");
    EXPECT_EQ(data::gModifierTable, (std::array<std::int16_t, 6>{0, 0, 0, 0, 0, 1}));
    // The cleared modifiers give 6 against AC 3; the screen follows them, the announcement stands.
    EXPECT_EQ(form.Label11->text(), "Suspect Counter Removed");
    EXPECT_EQ(voice_->spoken.size(), 1u);
}

TEST_F(ActivationScreen, ManualActivationChangesOnlyTheUnitText) {
    Form2& form = gui::Window<Form2>();
    ScriptedDice dice{3, 3, 4, 1, 1, 4, 4, 3, 4, 1, 1, 2, 2};
    form.ActiviondrBtn_Click();
    const QString result = form.Label11->text();
    vasl_.visible = true;
    data::gKeepLogFile = 1;
    form.ManualActivation->click();
    EXPECT_EQ(form.Label1->text(), "Sq4 (x2 DR=4/4)\n\n");
    EXPECT_EQ(form.Label8->text(), "3");
    EXPECT_EQ(form.Label11->text(), result);
    EXPECT_EQ(activation::gTempDisplayUnits, "Sq8 (x2 DR=8/8)\r\r");
    EXPECT_EQ(vasl_.text, "Sq4 (x2 DR=4/4)    ");
    EXPECT_EQ(Log(), "stamp: Sq4 (x2 DR=4/4)\r\n");
    EXPECT_EQ(voice_->spoken.size(), 1u) << "only the roll was spoken";
}

TEST_F(ActivationScreen, TheMiniControlsActivateWhileTheScreenIsClosed) {
    data::gKeepLogFile = 1;
    vasl_.visible = true;
    Form12& mini = gui::Window<Form12>();
    ScriptedDice dice{3, 4, 1, 1, 4, 4};
    mini.Command3_Click();
    Form2* form = gui::ExistingWindow<Form2>();
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->Label1->text(), "Sq8 (x2 DR=8/8)\n\n");
    EXPECT_EQ(Log(), "stamp: Sq8 (x2 DR=8/8)\r\n");
    EXPECT_TRUE(voice_->spoken.empty());
}

TEST_F(ActivationScreen, ANewNationalityRefreshesNotesClassListAndSpecialForceLine) {
    Form2& form = gui::Window<Form2>();
    form.Form_Activate();
    EXPECT_EQ(form.Label13->text(), "First note\nSecond note\n");
    EXPECT_EQ(form.Label14->text(), "Special Force unit is the Sq12");
    EXPECT_EQ(form.SpecialForcesDL->count(), 7);
    EXPECT_EQ(form.SpecialForcesDL->itemText(5), "Any Class But Special Forces");
    EXPECT_EQ(form.SpecialForcesDL->itemText(6), "Special Forces");
    EXPECT_EQ(activation::specialForceClass, activation::kClassUndecided);
    EXPECT_EQ(data::gAppliedSdfTag, "GE");

    // The same nationality again changes nothing.
    form.SpecialForcesDL->setCurrentIndex(6);
    form.Label13->setText("kept");
    form.Form_Activate();
    EXPECT_EQ(form.Label13->text(), "kept");
    EXPECT_EQ(activation::specialForceClass, activation::kSpecialForces);

    // Another nationality without special forces takes the two entries away.
    for (auto& row : data::gSquadTable) {
        row[3] = "0";
    }
    data::gScenarioNotes = test::NotFoundList();
    data::gSdfTag = "RU";
    form.Form_Activate();
    EXPECT_EQ(form.SpecialForcesDL->count(), 5);
    EXPECT_EQ(form.Label14->text(), "This nationality does not have any special forces.");
    EXPECT_EQ(form.Label13->text(), "Table not found\n");
    EXPECT_EQ(activation::specialForceClass, activation::kClassUndecided);
}

TEST_F(ActivationScreen, TheFirstSquadSetsTheClassListAndTheSpecialForceLine) {
    struct Case {
        int squadDie;
        const char* line;
        const char* entry;
    };
    for (const Case c : {Case{6, "Special Forces are being used.", "Special Forces"},
                         Case{4, "Special Forces should not be used.", "Any Class But Special Forces"}}) {
        data::gAppliedSdfTag.reset();
        Form2& form = gui::Window<Form2>();
        form.Form_Activate();
        ScriptedDice dice{3, 4, 1, 1, c.squadDie, c.squadDie};
        form.ManualActivation_Click();
        EXPECT_EQ(form.Label14->text(), c.line);
        EXPECT_EQ(form.SpecialForcesDL->currentText(), c.entry);
    }
}

TEST_F(ActivationScreen, ClosingUnloadsAndTheNextUseLoadsAgain) {
    Form2& form = ShownForm();
    form.Form_Activate();
    ScriptedDice dice{3, 3, 4, 1, 1, 4, 4};
    form.ActiviondrBtn_Click();
    form.TerrainDL->setCurrentIndex(2);
    form.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(gui::ExistingWindow<Form2>(), nullptr);

    Form2& again = gui::Window<Form2>();
    EXPECT_EQ(again.SpecialForcesDL->count(), 5);
    EXPECT_EQ(again.SpecialForcesDL->currentText(), "All Unit Classes");
    EXPECT_EQ(again.TerrainDL->currentIndex(), 0);
    EXPECT_EQ(again.Label8->text(), "");
    EXPECT_EQ(again.Label10->text(), "0");
    EXPECT_FALSE(activation::acDieRoll.has_value());
    EXPECT_EQ(activation::gTempDisplayUnits, "Sq8 (x2 DR=8/8)\r\r") << "kept for the whole run";
}

TEST_F(ActivationScreen, TablesMenuShowsListingsInTheTableViewer) {
    data::gSquadTable.resize(3);
    data::gSquadTable[2][3] = "1";
    data::gLeaderTable = {"", "8-0", "9-1"};
    data::gAFVTable = test::NotFoundList();
    Form2& form = gui::Window<Form2>();
    struct Case {
        QAction* item;
        const char* title;
        const char* listing;
    };
    for (const Case& c : {Case{form.mneSquad, "Squad/Half Squad Table",
                               "\n   0    Sq0     Hs0  1\n   1    Sq1     Hs1  1 S12.22\n"},
                          Case{form.mneLeader, "Infantry Leaders", "\n   0  8-0\n   1  9-1\n"},
                          Case{form.mneAFV, "AFVs", "AFVs info not available"},
                          Case{form.mneSW, "Support Table",
                               "\n   2  SW1\n   3  SW2\n   4  SW3\n   5  SW4\n   6  SW5\n   7  SW6\n"
                               "   8  SW7\n   9  SW8\n  10  SW9\n  11  SW10\n  12  SW11\n"}}) {
        c.item->trigger();
        Form3* viewer = gui::ExistingWindow<Form3>();
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_EQ(viewer->windowTitle(), c.title);
        EXPECT_EQ(viewer->Label1->text(), c.listing) << c.title;
    }
    for (const auto& [item, title] :
         {std::pair{form.mneGunsInside, "Guns (Inside)"}, std::pair{form.mneGunsOutside, "Guns (Outside)"},
          std::pair{form.mneSPG, "SPGs"}}) {
        item->trigger();
        EXPECT_EQ(gui::ExistingWindow<Form3>()->windowTitle(), title);
    }
    // The viewer does not block the screen: its dice button works beside it.
    gui::ExistingWindow<Form3>()->Command2_Click();
    EXPECT_TRUE(gui::ExistingWindow<Form3>()->Label2->text().startsWith("DR = "));
}

} // namespace
} // namespace dorva

namespace dorva {
namespace {

TEST_F(ActivationScreen, ARightClickOnTheUnitTextShowsItsHelp) {
    Form2& form = ShownForm();
    const QPoint inside(5, 5);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, form.Label1->mapToGlobal(inside), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form.Label1, &release);
    bool shown = false;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        shown = shown || (widget->isVisible() && QString(widget->metaObject()->className()) == "QWhatsThat");
    }
    EXPECT_TRUE(shown);
}

TEST_F(ActivationScreen, AltARollsTheActivationDie) {
    Form2& form = ShownForm();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ScriptedDice dice{6, 3, 4, 1, 1, 4, 4};
    QTest::keyClick(&form, Qt::Key_A, Qt::AltModifier);
    // An access key presses the button the way a click does, released a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.Label8->text().isEmpty(); }, 2000));
    EXPECT_EQ(form.Label8->text(), "6");
    EXPECT_EQ(form.Label11->text(), "Suspect Counter Automatically Removed");
}

} // namespace
} // namespace dorva
