#include "catalogue/store_paths.h"

#include <unistd.h>

#include <climits>

#include "platform/files.h"
#include "platform/gbk_names.h"

namespace catalogue {
namespace {
std::string Join(const std::string& directory, const std::string& name) {
    return directory + platform::kPathSeparator + name;
}
}  // namespace

std::string ProgramDirectory() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return ".";
    std::string path(buffer, static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    path = slash == 0 ? "/" : path.substr(0, slash);
    return platform::Utf8ToGbk(path);
}

std::string SettingsPath(const std::string& program_directory) {
    return Join(program_directory, "tmp.ini");
}

std::string DataDirectory(const std::string& program_directory) {
    return Join(program_directory, "data");
}

std::string CityFilePath(const std::string& program_directory, const std::string& province,
                         const std::string& city) {
    return Join(Join(DataDirectory(program_directory), province), city);
}

std::string CatalogueDownloadPath(const std::string& program_directory) {
    return Join(program_directory, "tmp.dat");
}

}  // namespace catalogue
