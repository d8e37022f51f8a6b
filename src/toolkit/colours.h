#pragma once

#include <QColor>

namespace toolkit {

// Colours are Windows RGB values: red in the low byte, then green, then blue.
inline constexpr int kBlack = 0;
inline constexpr int kRed = 255;
inline constexpr int kGrey = 8421504;  // RGB 128, 128, 128

inline QColor ColourFromRgb(int rgb) {
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

inline int RgbFromColour(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

}  // namespace toolkit
