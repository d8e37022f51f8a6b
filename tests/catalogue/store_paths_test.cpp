#include "catalogue/store_paths.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(StorePaths, ProgramDirectoryHoldsTheRunningProgram) {
    const std::string dir = catalogue::ProgramDirectory();
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir) / "catalogue_tests"));
}

TEST(StorePaths, EverythingLiesBesideTheProgram) {
    EXPECT_EQ(catalogue::SettingsPath("/opt/t"), "/opt/t/tmp.ini");
    EXPECT_EQ(catalogue::CityFilePath("/opt/t", "河北", "石家庄"), "/opt/t/data/河北/石家庄");
    EXPECT_EQ(catalogue::CatalogueDownloadPath("/opt/t"), "/opt/t/tmp.dat");
}

}  // namespace
