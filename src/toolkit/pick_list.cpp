#include "toolkit/pick_list.h"

#include <QWidget>

#include <QComboBox>

#include "toolkit/gbk_text.h"
#include "toolkit/window_thread.h"

namespace toolkit {

PickList::PickList(QWidget* parent) : Control(new QComboBox(parent)) {
    box_ = static_cast<QComboBox*>(widget());
    box_->setEditable(false);
    QObject::connect(box_, &QComboBox::activated, box_, [this](int) {
        if (on_entry_chosen) on_entry_chosen();
    });
}

void PickList::AddEntry(const std::string& text, int value) {
    RunOnWindowThread([&] { box_->addItem(FromGbk(text), value); });
}

void PickList::Clear() {
    RunOnWindowThread([&] { box_->clear(); });
}

int PickList::Count() const {
    return CallOnWindowThread([&] { return box_->count(); });
}

int PickList::CurrentIndex() const {
    return CallOnWindowThread([&] { return box_->currentIndex(); });
}

void PickList::SetCurrentIndex(int index) {
    RunOnWindowThread([&] { box_->setCurrentIndex(index >= 0 && index < box_->count() ? index : -1); });
}

std::string PickList::EntryText(int index) const {
    return CallOnWindowThread([&] { return ToGbk(box_->itemText(index)); });
}

int PickList::EntryValue(int index) const {
    return CallOnWindowThread([&] { return box_->itemData(index).toInt(); });
}

std::string PickList::Text() const {
    return CallOnWindowThread([&] { return ToGbk(box_->currentText()); });
}

void PickList::ChooseEntry(int index) {
    RunOnWindowThread([&] {
        SetCurrentIndex(index);
        if (on_entry_chosen) on_entry_chosen();
    });
}

}  // namespace toolkit
