#include "toolkit/label.h"

#include <QWidget>

#include <QLabel>
#include <QMouseEvent>

#include "toolkit/colours.h"
#include "toolkit/qt_colour.h"
#include "toolkit/gbk_text.h"
#include "toolkit/window_thread.h"

namespace toolkit {
namespace {

class ClickableLabel : public QLabel {
public:
    ClickableLabel(QWidget* parent, Label& owner) : QLabel(parent), owner_(owner) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        Report(event, MouseAction::Press);
        QLabel::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        Report(event, MouseAction::Release);
        QLabel::mouseReleaseEvent(event);
    }

private:
    void Report(QMouseEvent* event, MouseAction action) {
        if (!owner_.on_mouse) return;
        owner_.on_mouse(ToMouseEvent(action, *event));
    }
    Label& owner_;
};

}  // namespace

Label::Label(QWidget* parent, bool transparent)
    : Control(new ClickableLabel(parent, *this)), transparent_(transparent) {
    label_ = static_cast<QLabel*>(widget());
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setTextFormat(Qt::PlainText);  // texts from the network are never markup
    if (transparent) {
        label_->setAttribute(Qt::WA_TranslucentBackground);
        label_->setAutoFillBackground(false);
    }
}

std::string Label::Text() const {
    return CallOnWindowThread([&] {
        QString text = label_->text();
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        return ToGbk(text);
    });
}

void Label::SetText(const std::string& text) {
    RunOnWindowThread([&] {
        QString value = FromGbk(text);
        value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        label_->setText(value);
    });
}

int Label::TextColour() const {
    return CallOnWindowThread(
        [&] { return RgbFromColour(label_->palette().color(QPalette::WindowText)); });
}

void Label::SetTextColour(int rgb) {
    RunOnWindowThread([&] {
        QPalette palette = label_->palette();
        palette.setColor(QPalette::WindowText, ColourFromRgb(rgb));
        label_->setPalette(palette);
    });
}

}  // namespace toolkit
