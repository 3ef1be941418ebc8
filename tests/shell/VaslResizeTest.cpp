#include "shell/VaslResize.h"

#include <gtest/gtest.h>

namespace dorva::shell {
namespace {

// Twips: the window's outer width and height and the text box's height before; its size after.
TEST(VaslResizeTest, TextBoxFollowsTheWindow) {
    const int cases[][5] = {
        {9300, 795, 375, 9200, 375},                                  // designed window: the height stays
        {9300, 800, 375, 9200, 375},                                  // the edge: 800 keeps the height,
        {9300, 801, 375, 9200, 51},                                   // 801 sets it to 51
        {5000, 2000, 375, 4900, 1250}, {5000, 700, 1250, 4900, 1250}, // shrinking back keeps the grown height
        {101, 390, 375, 1, 375}, // narrow windows: the allowance and below give no width
        {100, 390, 375, 0, 375},       {30, 390, 375, 0, 375},
    };
    for (const auto& c : cases) {
        const TextBoxSize size = VaslTextBoxSize(c[0], c[1], c[2]);
        EXPECT_EQ(size.width, c[3]) << c[0] << " x " << c[1];
        EXPECT_EQ(size.height, c[4]) << c[0] << " x " << c[1];
    }
}

} // namespace
} // namespace dorva::shell
