// Driver packages registered through the setup services, against Wine's implementation.

#include "WineTestSupport.h"
#include "platform/win32/Win32DriverStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::DriverPackageResult;
using platform::Win32DriverStore;

const std::string kDrivers = winetest::FromLinuxPath(DISCMENU_SOURCE_DIR "/disc/testdata/drivers");

// Copies the INF and catalog of package folder `package` into `folder` and returns the INF's
// path. The copy of the INF ends in a comment unique to this run, so that finding its content
// in the system's INF folder proves that this registration put it there.
std::string CopyPackage(const std::string& folder, const std::string& package,
                        const std::string& inf, const std::string& cat) {
    const std::string from = kDrivers + "\\" + package + "\\";
    const std::string to = folder + package + "\\";
    CreateDirectoryA(to.c_str(), nullptr);
    const std::string marker = "; copy " + std::to_string(GetCurrentProcessId()) + " " +
                               std::to_string(GetTickCount()) + " " + package + "\r\n";
    EXPECT_TRUE(winetest::WriteFile(to + inf, winetest::ReadFile(from + inf) + marker));
    EXPECT_TRUE(CopyFileA((from + cat).c_str(), (to + cat).c_str(), FALSE)) << from + cat;
    return to + inf;
}

// Whether the system's INF folder holds a file named `name` or oem<n>.inf with `content`.
bool SystemInfFolderHolds(const std::string& name, const std::string& content) {
    char windows[MAX_PATH + 1] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string infFolder = std::string(windows) + "\\inf\\";
    if (winetest::ReadFile(infFolder + name) == content) {
        return true;
    }
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((infFolder + "oem*.inf").c_str(), &found);
    bool holds = false;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            holds = holds || winetest::ReadFile(infFolder + found.cFileName) == content;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return holds;
}

TEST(Win32DriverStore, RegistersTheRkvaPackage) {
    const std::string folder = winetest::MakeScratchFolder("drivers-rkva");
    const std::string inf = CopyPackage(folder, "RKVU021", "ser2pl.inf", "ser2pl.cat");
    const std::string content = winetest::ReadFile(inf);
    ASSERT_FALSE(SystemInfFolderHolds("ser2pl.inf", content));

    const DriverPackageResult result = Win32DriverStore().RegisterPackage(inf);
    EXPECT_EQ(result.result, 1);
    EXPECT_TRUE(SystemInfFolderHolds("ser2pl.inf", content)) << "the INF is in the system's store";
}

TEST(Win32DriverStore, RegistersTheRkvbPackageFromAPathWithADoubledBackslash) {
    const std::string folder = winetest::MakeScratchFolder("drivers-rkvb"); // ends in '\'
    const std::string inf = CopyPackage(folder, "RKVU031", "RKVU031.inf", "RKVU031.cat");
    const std::string content = winetest::ReadFile(inf);
    ASSERT_FALSE(SystemInfFolderHolds("RKVU031.inf", content));

    const DriverPackageResult result =
        Win32DriverStore().RegisterPackage(folder + "\\RKVU031\\RKVU031.inf");
    EXPECT_EQ(result.result, 1);
    EXPECT_TRUE(SystemInfFolderHolds("RKVU031.inf", content));
}

TEST(Win32DriverStore, AMissingInfFailsWithTheSystemsErrorCode) {
    const std::string folder = winetest::MakeScratchFolder("drivers-missing");
    CreateDirectoryA((folder + "RKVU021").c_str(), nullptr);

    SetLastError(0);
    const DriverPackageResult missingFile =
        Win32DriverStore().RegisterPackage(folder + "RKVU021\\ser2pl.inf");
    EXPECT_EQ(missingFile.result, 0);
    EXPECT_TRUE(missingFile.error == ERROR_FILE_NOT_FOUND ||
                missingFile.error == ERROR_PATH_NOT_FOUND)
        << missingFile.error;

    SetLastError(0);
    const DriverPackageResult missingFolder =
        Win32DriverStore().RegisterPackage(folder + "RKVU031\\RKVU031.inf");
    EXPECT_EQ(missingFolder.result, 0);
    EXPECT_TRUE(missingFolder.error == ERROR_FILE_NOT_FOUND ||
                missingFolder.error == ERROR_PATH_NOT_FOUND)
        << missingFolder.error;
}

TEST(Win32DriverStore, APackageWithoutItsCatalogFails) {
    const std::string folder = winetest::MakeScratchFolder("drivers-nocat");
    const std::string inf = CopyPackage(folder, "RKVU021", "ser2pl.inf", "ser2pl.cat");
    DeleteFileA((folder + "RKVU021\\ser2pl.cat").c_str());

    const DriverPackageResult result = Win32DriverStore().RegisterPackage(inf);
    EXPECT_EQ(result.result, 0);
    EXPECT_NE(result.error, 0u);
}

} // namespace
