#include "toolkit/popup_menu.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include "toolkit/gbk_text.h"
#include "toolkit/window_thread.h"

namespace toolkit {

PopupMenu::PopupMenu() {
    RunOnWindowThread([&] { menu_ = std::make_unique<QMenu>(); });
}

PopupMenu::~PopupMenu() {
    RunOnWindowThread([&] { menu_.reset(); });
}

int PopupMenu::AddItem(const std::string& caption, std::function<void()> handler) {
    return CallOnWindowThread([&] {
        QAction* action = menu_->addAction(FromGbk(caption));
        QObject::connect(action, &QAction::triggered, menu_.get(),
                         [handler = std::move(handler)] {
                             if (handler) handler();
                         });
        return static_cast<int>(menu_->actions().size()) - 1;
    });
}

int PopupMenu::ItemCount() const {
    return CallOnWindowThread([&] { return static_cast<int>(menu_->actions().size()); });
}

std::string PopupMenu::ItemCaption(int item) const {
    return CallOnWindowThread([&] {
        const auto actions = menu_->actions();
        return item >= 0 && item < actions.size() ? ToGbk(actions[item]->text()) : std::string();
    });
}

bool PopupMenu::ItemVisible(int item) const {
    return CallOnWindowThread([&] {
        const auto actions = menu_->actions();
        return item >= 0 && item < actions.size() && actions[item]->isVisible();
    });
}

void PopupMenu::SetItemVisible(int item, bool visible) {
    RunOnWindowThread([&] {
        const auto actions = menu_->actions();
        if (item >= 0 && item < actions.size()) actions[item]->setVisible(visible);
    });
}

void PopupMenu::PopUpAtMouse() {
    RunOnWindowThread([&] { menu_->popup(QCursor::pos()); });
}

bool PopupMenu::IsShown() const {
    return CallOnWindowThread([&] { return menu_->isVisible(); });
}

void PopupMenu::Close() {
    RunOnWindowThread([&] { menu_->hide(); });
}

void PopupMenu::Choose(int item) {
    RunOnWindowThread([&] {
        const auto actions = menu_->actions();
        if (item >= 0 && item < actions.size() && actions[item]->isVisible()) {
            menu_->hide();
            actions[item]->trigger();
        }
    });
}

}  // namespace toolkit
