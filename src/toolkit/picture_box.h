#pragma once

#include <functional>

#include "toolkit/control.h"
#include "toolkit/mouse_events.h"

class QImage;

namespace toolkit {

// Shows one picture, scaled to the box.
class PictureBox : public Control {
public:
    explicit PictureBox(QWidget* parent);

    std::function<void(const MouseEvent&)> on_mouse;

    void SetPicture(const QImage& picture);
    bool HasPicture() const;
};

}  // namespace toolkit
