#include "toolkit/status_bar.h"

#include <QWidget>

#include <QEvent>
#include <QFrame>
#include <QLabel>

#include "toolkit/gbk_text.h"
#include "toolkit/window_thread.h"

namespace toolkit {
namespace {

constexpr int kBarHeight = 20;

// Keeps the bar on the bottom edge of its window as the window changes size.
class BottomEdgeKeeper : public QObject {
public:
    BottomEdgeKeeper(QWidget* bar, QWidget* window) : QObject(bar), bar_(bar), window_(window) {
        window->installEventFilter(this);
        Place();
    }
    void Place() { bar_->setGeometry(0, window_->height() - kBarHeight, window_->width(), kBarHeight); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Resize) Place();
        return false;
    }

private:
    QWidget* bar_;
    QWidget* window_;
};

}  // namespace

StatusBar::StatusBar(QWidget* window_client) : Control(new QFrame(window_client)) {
    static_cast<QFrame*>(widget())->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    new BottomEdgeKeeper(widget(), window_client);
}

void StatusBar::AddPane(const std::string& text, int width) {
    RunOnWindowThread([&] {
        auto* pane = new QLabel(widget());
        pane->setTextFormat(Qt::PlainText);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setText(FromGbk(text));
        pane->show();
        panes_.push_back(pane);
        widths_.push_back(width);
        LayOutPanes();
    });
}

int StatusBar::PaneCount() const {
    return CallOnWindowThread([&] { return static_cast<int>(panes_.size()); });
}

std::string StatusBar::PaneText(int pane) const {
    return CallOnWindowThread([&] {
        if (pane < 0 || pane >= static_cast<int>(panes_.size())) return std::string();
        return ToGbk(panes_[pane]->text());
    });
}

void StatusBar::SetPaneText(int pane, const std::string& text) {
    RunOnWindowThread([&] {
        if (pane < 0 || pane >= static_cast<int>(panes_.size())) return;
        // Status texts may hold whole page bodies; one line is what the pane shows.
        QString value = FromGbk(text);
        value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        panes_[pane]->setText(value);
    });
}

int StatusBar::PaneWidth(int pane) const {
    return CallOnWindowThread([&] {
        return pane >= 0 && pane < static_cast<int>(widths_.size()) ? widths_[pane] : 0;
    });
}

void StatusBar::SetPaneWidth(int pane, int width) {
    RunOnWindowThread([&] {
        if (pane < 0 || pane >= static_cast<int>(widths_.size())) return;
        widths_[pane] = width;
        LayOutPanes();
    });
}

void StatusBar::LayOutPanes() {
    int left = 0;
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        panes_[i]->setGeometry(left, 0, widths_[i], kBarHeight);
        left += widths_[i];
    }
}

}  // namespace toolkit
