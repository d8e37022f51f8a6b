#pragma once

#include <string>

#include "toolkit/control.h"

class QLineEdit;
class QPlainTextEdit;

namespace toolkit {

// A text box, single-line or multi-line ("\r\n" separates the lines of a multi-line text).
class EditBox : public Control {
public:
    EditBox(QWidget* parent, bool multi_line = false);

    std::string Text() const;
    void SetText(const std::string& text);
    int TextColour() const;  // Windows RGB value
    void SetTextColour(int rgb);

private:
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* lines_ = nullptr;
};

}  // namespace toolkit
