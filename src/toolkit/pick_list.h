#pragma once

#include <functional>
#include <string>

#include "toolkit/control.h"

class QComboBox;

namespace toolkit {

// A drop-down list the user can only pick from. Entries have a text and an integer value
// (0 when none is given); the current entry is its 0-based index, -1 for none.
class PickList : public Control {
public:
    explicit PickList(QWidget* parent);

    // Runs when the user picks an entry (not when the program selects one).
    std::function<void()> on_entry_chosen;

    void AddEntry(const std::string& text, int value = 0);
    void Clear();
    int Count() const;
    int CurrentIndex() const;
    void SetCurrentIndex(int index);  // -1 or out of range selects nothing
    std::string EntryText(int index) const;
    int EntryValue(int index) const;
    std::string Text() const;  // of the current entry; empty when none

    // Picks the entry as a user would, raising on_entry_chosen (tests use it).
    void ChooseEntry(int index);

private:
    QComboBox* box_;
};

}  // namespace toolkit
