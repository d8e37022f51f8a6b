#include "toolkit/tab_control.h"

#include <QWidget>

#include <QFrame>
#include <QResizeEvent>
#include <QTabBar>

#include "toolkit/gbk_text.h"
#include "toolkit/window_thread.h"

namespace toolkit {
namespace {

// The control's frame; it keeps its tab bar and pages sized to itself.
class TabFrame : public QFrame {
public:
    explicit TabFrame(QWidget* parent) : QFrame(parent) {
        setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QFrame::resizeEvent(event);
        for (QObject* child : children()) {
            auto* widget = qobject_cast<QWidget*>(child);
            if (!widget) continue;
            if (auto* bar = qobject_cast<QTabBar*>(widget)) {
                bar->setGeometry(2, 2, width() - 4, bar->sizeHint().height());
            } else {
                widget->setGeometry(rect());
            }
        }
    }
};

}  // namespace

TabControl::TabControl(QWidget* parent) : Control(new TabFrame(parent)) {
    bar_ = new QTabBar(widget());
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    QObject::connect(bar_, &QTabBar::currentChanged, bar_, [this](int page) { ShowOnly(page); });
}

QWidget* TabControl::AddPage(const std::string& caption) {
    return CallOnWindowThread([&]() -> QWidget* {
        auto* page = new QWidget(widget());
        page->setGeometry(widget()->rect());
        pages_.push_back(page);
        bar_->addTab(FromGbk(caption));
        bar_->raise();
        ShowOnly(bar_->currentIndex());
        return page;
    });
}

void TabControl::ShowOnly(int current) {
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i) pages_[i]->setVisible(i == current);
    bar_->raise();
}

int TabControl::PageCount() const {
    return CallOnWindowThread([&] { return bar_->count(); });
}

std::string TabControl::PageCaption(int page) const {
    return CallOnWindowThread([&] { return ToGbk(bar_->tabText(page)); });
}

int TabControl::CurrentPage() const {
    return CallOnWindowThread([&] { return bar_->currentIndex(); });
}

void TabControl::SetCurrentPage(int page) {
    RunOnWindowThread([&] { bar_->setCurrentIndex(page); });
}

}  // namespace toolkit
