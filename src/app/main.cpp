#include <cstdio>
#include <cstdlib>

#include "app/program.h"
#include "toolkit/application.h"

int main(int argc, char** argv) {
    toolkit::Application application(argc, argv);
    app::Program program(application, app::ProgramSetup{});
    const int exit_code = program.ProgramStart();
    // Query and update threads are detached and never waited for: the process ends here
    // without running destructors that such a thread might still rely on.
    std::fflush(nullptr);
    std::_Exit(exit_code);
}
