// Driver packages registered through the setup services, against Wine's implementation.

#include "DriverTestSupport.h"
#include "platform/win32/Win32DriverStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::Outcome;
using platform::Win32DriverStore;
using winetest::CopyPackage;
using winetest::SystemInfFolderHolds;

TEST(Win32DriverStore, RegistersTheRkvaPackage) {
    const std::string folder = winetest::MakeScratchFolder("drivers-rkva");
    const std::string inf = CopyPackage(folder, "RKVU021", "ser2pl.inf", "ser2pl.cat").infPath;
    const std::string content = winetest::ReadFile(inf);
    ASSERT_FALSE(SystemInfFolderHolds("ser2pl.inf", content));

    const Outcome result = Win32DriverStore().RegisterPackage(inf);
    EXPECT_TRUE(result) << result.error.code;
    EXPECT_TRUE(SystemInfFolderHolds("ser2pl.inf", content)) << "the INF is in the system's store";
}

TEST(Win32DriverStore, RegistersTheRkvbPackageFromAPathWithADoubledBackslash) {
    const std::string folder = winetest::MakeScratchFolder("drivers-rkvb"); // ends in '\'
    const std::string inf = CopyPackage(folder, "RKVU031", "RKVU031.inf", "RKVU031.cat").infPath;
    const std::string content = winetest::ReadFile(inf);
    ASSERT_FALSE(SystemInfFolderHolds("RKVU031.inf", content));

    const Outcome result = Win32DriverStore().RegisterPackage(folder + "\\RKVU031\\RKVU031.inf");
    EXPECT_TRUE(result) << result.error.code;
    EXPECT_TRUE(SystemInfFolderHolds("RKVU031.inf", content));
}

TEST(Win32DriverStore, AMissingInfFailsWithTheSystemsErrorCode) {
    const std::string folder = winetest::MakeScratchFolder("drivers-missing");
    CreateDirectoryA((folder + "RKVU021").c_str(), nullptr);

    SetLastError(0);
    const Outcome missingFile = Win32DriverStore().RegisterPackage(folder + "RKVU021\\ser2pl.inf");
    EXPECT_FALSE(missingFile);
    EXPECT_TRUE(missingFile.error.code == ERROR_FILE_NOT_FOUND ||
                missingFile.error.code == ERROR_PATH_NOT_FOUND)
        << missingFile.error.code;

    SetLastError(0);
    const Outcome missingFolder =
        Win32DriverStore().RegisterPackage(folder + "RKVU031\\RKVU031.inf");
    EXPECT_FALSE(missingFolder);
    EXPECT_TRUE(missingFolder.error.code == ERROR_FILE_NOT_FOUND ||
                missingFolder.error.code == ERROR_PATH_NOT_FOUND)
        << missingFolder.error.code;
}

TEST(Win32DriverStore, APackageWithoutItsCatalogFails) {
    const std::string folder = winetest::MakeScratchFolder("drivers-nocat");
    const std::string inf = CopyPackage(folder, "RKVU021", "ser2pl.inf", "ser2pl.cat").infPath;
    DeleteFileA((folder + "RKVU021\\ser2pl.cat").c_str());

    const Outcome result = Win32DriverStore().RegisterPackage(inf);
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.code, 0u);
}

} // namespace
