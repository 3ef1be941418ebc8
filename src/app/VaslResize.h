#pragma once
// How the VASL activation window's text box follows the window's size, in twips.

namespace dorva::app {

struct TextBoxSize {
    int width;
    int height;
};

inline constexpr int kVaslWidthAllowance = 100;  // twips of outer width the text box leaves free
inline constexpr int kVaslHeightAllowance = 750; // twips of outer height the text box leaves free
inline constexpr int kVaslGrowHeight = 800;      // above this outer height the text box grows

// The text box's size for a window of the given outer size, with the text box currently
// currentHeight high. Up to kVaslGrowHeight the text box keeps its height, whatever it is.
constexpr TextBoxSize VaslTextBoxSize(int outerWidth, int outerHeight, int currentHeight) {
    // A window narrower than the allowance would ask for a negative width; the text box then
    // shrinks to nothing rather than failing, and comes back when the window is widened.
    const int width = outerWidth > kVaslWidthAllowance ? outerWidth - kVaslWidthAllowance : 0;
    const int height = outerHeight > kVaslGrowHeight ? outerHeight - kVaslHeightAllowance : currentHeight;
    return {width, height};
}

} // namespace dorva::app
