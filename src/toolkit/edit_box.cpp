#include "toolkit/edit_box.h"

#include <QWidget>

#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>

#include "toolkit/colours.h"
#include "toolkit/qt_colour.h"
#include "toolkit/gbk_text.h"
#include "toolkit/window_thread.h"

namespace toolkit {
namespace {
QWidget* MakeBox(QWidget* parent, bool multi_line) {
    if (multi_line) return new QPlainTextEdit(parent);
    return new QLineEdit(parent);
}
}  // namespace

EditBox::EditBox(QWidget* parent, bool multi_line) : Control(MakeBox(parent, multi_line)) {
    if (multi_line) {
        lines_ = static_cast<QPlainTextEdit*>(widget());
    } else {
        line_ = static_cast<QLineEdit*>(widget());
    }
}

std::string EditBox::Text() const {
    return CallOnWindowThread([&] {
        if (line_) return ToGbk(line_->text());
        QString text = lines_->toPlainText();
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        return ToGbk(text);
    });
}

void EditBox::SetText(const std::string& text) {
    RunOnWindowThread([&] {
        QString value = FromGbk(text);
        if (line_) {
            line_->setText(value);
            line_->setCursorPosition(0);
            return;
        }
        value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        lines_->setPlainText(value);
    });
}

int EditBox::TextColour() const {
    return CallOnWindowThread(
        [&] { return RgbFromColour(widget()->palette().color(QPalette::Text)); });
}

void EditBox::SetTextColour(int rgb) {
    RunOnWindowThread([&] {
        QPalette palette = widget()->palette();
        palette.setColor(QPalette::Text, ColourFromRgb(rgb));
        // A disabled box keeps the colour it was given, as the about page shows.
        palette.setColor(QPalette::Disabled, QPalette::Text, ColourFromRgb(rgb));
        widget()->setPalette(palette);
    });
}

}  // namespace toolkit
