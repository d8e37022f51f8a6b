#pragma once

namespace platform {

// A routine that runs the pending window messages of the calling thread. The GUI toolkit
// installs it; this layer only calls it (it knows nothing of any GUI). The hook itself
// decides what to do on threads that have no windows.
using ProcessEventsHook = void (*)();

// Installs the hook (nullptr removes it) and returns the one installed before.
ProcessEventsHook SetProcessEventsHook(ProcessEventsHook hook);

// Runs the installed hook, if any.
void RunProcessEvents();

}  // namespace platform
