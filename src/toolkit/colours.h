#pragma once

namespace toolkit {

// Colours are Windows RGB values: red in the low byte, then green, then blue.
inline constexpr int kBlack = 0;
inline constexpr int kRed = 255;
inline constexpr int kGrey = 8421504;  // RGB 128, 128, 128

}  // namespace toolkit
