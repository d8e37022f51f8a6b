#pragma once

#include <string>

// Where the local store lies: everything sits beside the program.
namespace catalogue {

// The directory that holds the program file (GBK, no trailing separator). Tests hand their
// own directory to the pieces that need one instead of calling this.
std::string ProgramDirectory();

// program directory + "/tmp.ini": the settings file.
std::string SettingsPath(const std::string& program_directory);

// program directory + "/data": one directory per province.
std::string DataDirectory(const std::string& program_directory);

// program directory + "/data/" + province + "/" + city: the file of one city.
std::string CityFilePath(const std::string& program_directory, const std::string& province,
                         const std::string& city);

// program directory + "/tmp.dat": the downloaded city scripts, present only during an update.
std::string CatalogueDownloadPath(const std::string& program_directory);

// The settings file's one section and its keys.
inline constexpr const char* kSettingsSection = "Config";
inline constexpr const char* kUpdateKey = "Update";

}  // namespace catalogue
