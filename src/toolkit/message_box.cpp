#include "toolkit/message_box.h"

#include <QMessageBox>

#include "toolkit/gbk_text.h"
#include "toolkit/window.h"
#include "toolkit/window_thread.h"

namespace toolkit {

bool MessageBox::AskYesNo(const std::string& title, const std::string& text, Window* owner) {
    if (answerer) return answerer(title, text);
    return CallOnWindowThread([&] {
        QMessageBox box(QMessageBox::Question, FromGbk(title), FromGbk(text),
                        QMessageBox::Yes | QMessageBox::No, owner ? owner->widget() : nullptr);
        box.setWindowModality(Qt::ApplicationModal);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        return box.exec() == QMessageBox::Yes;
    });
}

}  // namespace toolkit
