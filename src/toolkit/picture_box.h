#pragma once

#include <functional>
#include <string>

#include "toolkit/control.h"
#include "toolkit/mouse_events.h"

class QImage;

namespace toolkit {

// Shows one picture, scaled to the box. Mouse activity it does not handle goes on to its
// window, so a drag-anywhere window moves when dragged by its picture.
class PictureBox : public Control {
public:
    explicit PictureBox(QWidget* parent);

    std::function<void(const MouseEvent&)> on_mouse;

    void SetPicture(const QImage& picture);
    // From a picture file or a compiled-in resource (":/..."); false when it cannot be read.
    bool SetPictureFile(const std::string& path);
    bool HasPicture() const;
};

}  // namespace toolkit
