#pragma once

#include <string>
#include <vector>

#include "toolkit/control.h"

class QImage;

namespace toolkit {

// A drawing surface that keeps what was drawn on it (it is repainted from its own picture).
class Canvas : public Control {
public:
    explicit Canvas(QWidget* parent);

    struct DrawnText {
        int x;
        int y;
        std::string text;
        int colour;
    };

    // Writes the text with its top-left corner at (x, y) in the current text colour.
    void DrawText(int x, int y, const std::string& text);
    int TextColour() const;
    void SetTextColour(int rgb);
    void Clear();

    // The latest texts drawn since the last Clear (up to 32), oldest first; tests read it.
    std::vector<DrawnText> DrawnTexts() const;
    QImage Picture() const;
};

}  // namespace toolkit
