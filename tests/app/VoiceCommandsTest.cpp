// Voice commands reach the screens through the app layer, one command at a time.
#include "app/gui/VoiceCommands.h"
#include "random/gui/RandomNumbersScreen.h"
#include "setup/gui/SetupScreen.h"
#include "support/WindowTest.h"

#include <QCheckBox>

namespace dorva {
namespace {

// A message box during whose event loop the next spoken command arrives.
struct DialogsHearingACommand final : platform::Dialogs {
    void Message(const std::string& text) override {
        shownWhileOpen = ui::Window<Form6>().ColorDieLB->text().toStdString();
        messages.push_back(text);
        app::DeliverRecognition({"rolladie", {}, ""});
        EXPECT_EQ(ui::Window<Form6>().ColorDieLB->text().toStdString(), shownWhileOpen)
            << "the next command ran inside the one before";
    }
    std::optional<std::string> SaveFileName(const std::string&, const std::string&,
                                            const std::string&) override {
        return std::nullopt;
    }
    int RunModal(platform::ModalWindow&) override { return 0; }
    std::vector<std::string> messages;
    std::string shownWhileOpen;
};

class VoiceCommands : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        voice::gRecognize = 1;
    }
};

TEST_F(VoiceCommands, ACommandBeforeTheFirstOkWorksOnTheScreenItCreates) {
    dice.Script({5, 2});
    app::DeliverRecognition({"rolldice", {}, ""});
    Form6* screen = ui::ExistingWindow<Form6>();
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(screen->ColorDieLB->text() + screen->WhiteDieLB->text(), "52");
}

TEST_F(VoiceCommands, ACommandArrivingDuringAMessageWaitsForTheOneBefore) {
    DialogsHearingACommand heard;
    platform::SetDialogs(&heard);
    Form6& screen = ui::Window<Form6>();
    screen.FromValueLB->setText("B"); // a letter against a number: a message, no roll
    screen.ToValueLB->setText("12");
    dice.Script({4});
    app::DeliverRecognition({"xthroughy", {}, ""});
    ASSERT_EQ(heard.messages.size(), 1u);
    EXPECT_EQ(screen.ColorDieLB->text(), "4"); // the single die, after the message closed
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

} // namespace
} // namespace dorva
