#include "platform/process_events.h"

#include <atomic>

namespace platform {
namespace {
// A plain function pointer is the one trampoline the toolkit needs; atomic so that worker
// threads may read it while the window thread installs it.
std::atomic<ProcessEventsHook> installed_hook{nullptr};
}  // namespace

ProcessEventsHook SetProcessEventsHook(ProcessEventsHook hook) { return installed_hook.exchange(hook); }

void RunProcessEvents() {
    if (ProcessEventsHook hook = installed_hook.load()) hook();
}

}  // namespace platform
