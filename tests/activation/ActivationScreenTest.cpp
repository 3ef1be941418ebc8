#include "activation/ActivationScreen.h"
#include "activation/ActivationState.h"
#include "data/TableStore.h"
#include "setup/Params.h"
#include "shell/ProgramState.h"
#include "shell/Windows.h"

#include <QComboBox>
#include <QLabel>
#include <gtest/gtest.h>

namespace dorva {
namespace {

class ActivationScreen : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override {
        gui::DestroyAllWindows();
        ResetProgramState();
    }
};

TEST_F(ActivationScreen, LoadingTakesTheAcNumberWithoutChangingIt) {
    setup::gACNumber = 4;
    Form2& form = gui::Window<Form2>();
    EXPECT_EQ(form.Combo1->currentText(), "4");
    EXPECT_EQ(setup::gACNumber, 4);
    EXPECT_EQ(form.Label9->text(), " 0");
    EXPECT_EQ(form.Label10->text(), "0");
    EXPECT_EQ(activation::specialForceClass, activation::kAllUnitClasses);
}

} // namespace
} // namespace dorva
