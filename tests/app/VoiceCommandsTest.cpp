// Voice commands reach the screens through the app layer, one command at a time.
#include "app/gui/VoiceCommands.h"
#include "random/gui/RandomNumbersScreen.h"
#include "setup/gui/SetupScreen.h"
#include "support/WindowTest.h"

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

} // namespace
} // namespace dorva
