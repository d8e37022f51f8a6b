#pragma once

// Inside the toolkit only: Windows RGB values to Qt colours and back.
#include <QColor>

namespace toolkit {

inline QColor ColourFromRgb(int rgb) {
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

inline int RgbFromColour(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

}  // namespace toolkit
