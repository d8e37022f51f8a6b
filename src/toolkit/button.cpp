#include "toolkit/button.h"

#include <QWidget>

#include <QPushButton>

#include "toolkit/gbk_text.h"
#include "toolkit/window_thread.h"

namespace toolkit {

Button::Button(QWidget* parent) : Control(new QPushButton(parent)) {
    button_ = static_cast<QPushButton*>(widget());
    button_->setAutoDefault(false);  // Enter never presses a button by itself
    QObject::connect(button_, &QPushButton::clicked, button_, [this] {
        if (on_click) on_click();
    });
}

std::string Button::Text() const {
    return CallOnWindowThread([&] { return ToGbk(button_->text()); });
}

void Button::SetText(const std::string& text) {
    RunOnWindowThread([&] { button_->setText(FromGbk(text)); });
}

void Button::Click() {
    RunOnWindowThread([&] { button_->click(); });
}

}  // namespace toolkit
