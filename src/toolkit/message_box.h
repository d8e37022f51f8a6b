#pragma once

#include <functional>
#include <string>

namespace toolkit {

class Window;

// The Yes/No question, the one message box the program shows. Tests set `answerer` to
// answer it without a dialog; the question then never blocks.
class MessageBox {
public:
    using Answerer = std::function<bool(const std::string& title, const std::string& text)>;

    Answerer answerer;

    // True for Yes. The question is modal for the whole program (task-modal) and stays on
    // top; `owner`, when given, is the window it belongs to.
    bool AskYesNo(const std::string& title, const std::string& text, Window* owner = nullptr);
};

}  // namespace toolkit
