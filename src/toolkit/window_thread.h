#pragma once

#include <functional>
#include <optional>
#include <type_traits>

// Every toolkit operation may be called from any thread. A call made off the window thread
// runs on the window thread and the caller waits for it, so worker code reads top to bottom
// and each change to a control is complete before the worker goes on.
namespace toolkit {

// True on the thread that created the application object.
bool IsWindowThread();

// Runs `work` on the window thread and waits for it (directly when already there). Once the
// program is ending, calls from other threads no longer run and return false at once, so a
// worker still running then can neither hang nor touch windows that are going away.
bool RunOnWindowThread(const std::function<void()>& work);

// As RunOnWindowThread, for work with a result; a default value when it did not run.
template <typename Work>
auto CallOnWindowThread(Work&& work) -> std::invoke_result_t<Work&> {
    using Result = std::invoke_result_t<Work&>;
    std::optional<Result> result;
    RunOnWindowThread([&] { result.emplace(work()); });
    return result ? std::move(*result) : Result{};
}

// Stops running calls from other threads (see RunOnWindowThread); waiting callers are
// released. Called when the program ends.
void CloseWindowThread();

// True once CloseWindowThread ran: the program is ending. Long work on the window thread
// itself (a download the user no longer waits for) stops early when it sees this.
bool WindowThreadClosed();

// Runs the pending events of the window thread; does nothing on other threads, which have
// no windows.
void ProcessEvents();

}  // namespace toolkit
