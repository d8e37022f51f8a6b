#include "toolkit/canvas.h"

#include <QWidget>

#include <QImage>
#include <QPainter>
#include <QPaintEvent>

#include "toolkit/colours.h"
#include "toolkit/qt_colour.h"
#include "toolkit/gbk_text.h"
#include "toolkit/window_thread.h"

namespace toolkit {
namespace {

constexpr std::size_t kDrawnLogSize = 32;

class CanvasWidget : public QWidget {
public:
    explicit CanvasWidget(QWidget* parent) : QWidget(parent) {}

    QImage picture;
    int colour = kBlack;
    std::vector<Canvas::DrawnText> drawn;

    void EnsureSize() {
        if (picture.size() == size()) return;
        QImage grown(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        grown.fill(Qt::transparent);
        QPainter painter(&grown);
        painter.drawImage(0, 0, picture);
        picture = grown;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, picture);
    }
    void resizeEvent(QResizeEvent*) override { EnsureSize(); }
};

CanvasWidget* Surface(QWidget* widget) { return static_cast<CanvasWidget*>(widget); }

}  // namespace

Canvas::Canvas(QWidget* parent) : Control(new CanvasWidget(parent)) {}

void Canvas::DrawText(int x, int y, const std::string& text) {
    RunOnWindowThread([&] {
        CanvasWidget* surface = Surface(widget());
        surface->EnsureSize();
        QPainter painter(&surface->picture);
        painter.setFont(surface->font());
        painter.setPen(ColourFromRgb(surface->colour));
        const QFontMetrics metrics(surface->font());
        painter.drawText(x, y + metrics.ascent(), FromGbk(text));
        surface->drawn.push_back(DrawnText{x, y, text, surface->colour});
        // The picture keeps everything; the log only the latest draws, so redrawing a caption
        // on every tick never grows it.
        if (surface->drawn.size() > kDrawnLogSize) surface->drawn.erase(surface->drawn.begin());
        surface->update();
    });
}

int Canvas::TextColour() const {
    return CallOnWindowThread([&] { return Surface(widget())->colour; });
}

void Canvas::SetTextColour(int rgb) {
    RunOnWindowThread([&] { Surface(widget())->colour = rgb; });
}

void Canvas::Clear() {
    RunOnWindowThread([&] {
        CanvasWidget* surface = Surface(widget());
        surface->picture.fill(Qt::transparent);
        surface->drawn.clear();
        surface->update();
    });
}

std::vector<Canvas::DrawnText> Canvas::DrawnTexts() const {
    return CallOnWindowThread([&] { return Surface(widget())->drawn; });
}

QImage Canvas::Picture() const {
    return CallOnWindowThread([&] { return Surface(widget())->picture; });
}

}  // namespace toolkit
