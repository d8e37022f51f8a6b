// Main of the widget suites: one real application object for the whole run. Listing the
// tests (as CTest does at build time) needs no display, so no application is made for it.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "support/widget_test.h"
#include "toolkit/application.h"

namespace testsupport {
namespace {
toolkit::Application* running_application = nullptr;
}
toolkit::Application& App() { return *running_application; }
}  // namespace testsupport

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    toolkit::Application app(argc, argv);
    testsupport::running_application = &app;
    const int result = RUN_ALL_TESTS();
    testsupport::running_application = nullptr;
    return result;
}
