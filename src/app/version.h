#pragma once

namespace app {

// The program's version: shown on the about page and compared with the one the maker's
// configuration page announces.
inline constexpr const char* kProgramVersion = "1.4.22";

}  // namespace app
