#include "support/temp_dir.h"

#include "platform/gbk_names.h"

namespace testsupport {

std::string Utf8(const std::string& gbk) { return platform::GbkToUtf8(gbk); }

}  // namespace testsupport
