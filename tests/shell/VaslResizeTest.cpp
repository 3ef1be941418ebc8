#include "shell/VaslResize.h"

#include <gtest/gtest.h>

namespace dorva::shell {
namespace {

struct ResizeCase {
    int outerWidth, outerHeight, currentHeight;
    int width, height;
};

class VaslResizeTest : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(VaslResizeTest, TextBoxFollowsTheWindow) {
    const ResizeCase& c = GetParam();
    const TextBoxSize size = VaslTextBoxSize(c.outerWidth, c.outerHeight, c.currentHeight);
    EXPECT_EQ(size.width, c.width);
    EXPECT_EQ(size.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(Rule, VaslResizeTest,
                         ::testing::Values(
                             // designed window: the height stays
                             ResizeCase{9300, 795, 375, 9200, 375},
                             // the edge: 800 keeps the height, 801 sets it to 51
                             ResizeCase{9300, 800, 375, 9200, 375}, ResizeCase{9300, 801, 375, 9200, 51},
                             ResizeCase{5000, 2000, 375, 4900, 1250},
                             // shrinking back keeps whatever height the text box had grown to
                             ResizeCase{5000, 700, 1250, 4900, 1250},
                             // narrow windows: exactly the allowance and below it give no width
                             ResizeCase{101, 390, 375, 1, 375}, ResizeCase{100, 390, 375, 0, 375},
                             ResizeCase{30, 390, 375, 0, 375}));

} // namespace
} // namespace dorva::shell
