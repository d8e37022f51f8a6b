#include "toolkit/picture_box.h"

#include <QWidget>

#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include "toolkit/gbk_text.h"
#include "toolkit/window_thread.h"

namespace toolkit {
namespace {

class PictureWidget : public QLabel {
public:
    PictureWidget(QWidget* parent, PictureBox& owner) : QLabel(parent), owner_(owner) {
        setScaledContents(true);
        setMouseTracking(true);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { Report(event, MouseAction::Press); }
    void mouseReleaseEvent(QMouseEvent* event) override { Report(event, MouseAction::Release); }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        Report(event, MouseAction::DoubleClick);
    }
    void mouseMoveEvent(QMouseEvent* event) override { Report(event, MouseAction::Move); }

private:
    void Report(QMouseEvent* event, MouseAction action) {
        // Unhandled presses go on to the window, so drag-anywhere works over the picture.
        if (!owner_.on_mouse) {
            event->ignore();
            return;
        }
        owner_.on_mouse(ToMouseEvent(action, *event));
        event->ignore();
    }
    PictureBox& owner_;
};

}  // namespace

PictureBox::PictureBox(QWidget* parent) : Control(new PictureWidget(parent, *this)) {}

void PictureBox::SetPicture(const QImage& picture) {
    RunOnWindowThread([&] { static_cast<QLabel*>(widget())->setPixmap(QPixmap::fromImage(picture)); });
}

bool PictureBox::SetPictureFile(const std::string& path) {
    return CallOnWindowThread([&] {
        const QImage picture(FromGbk(path));
        if (picture.isNull()) return false;
        static_cast<QLabel*>(widget())->setPixmap(QPixmap::fromImage(picture));
        return true;
    });
}

bool PictureBox::HasPicture() const {
    return CallOnWindowThread([&] { return !static_cast<QLabel*>(widget())->pixmap().isNull(); });
}

}  // namespace toolkit
