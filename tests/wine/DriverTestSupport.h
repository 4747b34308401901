#pragma once
// Helpers for the tests that register driver packages with Wine's setup services: copies of
// the test packages that only this run can have made, and a look into the system's INF folder.

#include "WineTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace winetest {

inline const std::string kTestDrivers = FromLinuxPath(DISCMENU_SOURCE_DIR "/disc/testdata/drivers");

struct CopiedPackage {
    std::string infPath;
    std::string infContent;
};

// Copies the INF and catalog of test package folder `package` into `folder`. The copy of the
// INF ends in a comment unique to this run, so that finding its content in the system's INF
// folder proves that this run registered it.
inline CopiedPackage CopyPackage(const std::string& folder, const std::string& package,
                                 const std::string& inf, const std::string& cat) {
    const std::string from = kTestDrivers + "\\" + package + "\\";
    const std::string to = folder + package + "\\";
    CreateDirectoryA(to.c_str(), nullptr);
    const std::string content = ReadFile(from + inf) + "; copy " +
                                std::to_string(GetCurrentProcessId()) + " " +
                                std::to_string(GetTickCount()) + " " + package + "\r\n";
    EXPECT_TRUE(WriteFile(to + inf, content));
    EXPECT_TRUE(CopyFileA((from + cat).c_str(), (to + cat).c_str(), FALSE)) << from + cat;
    return {to + inf, content};
}

// Whether the system's INF folder holds a file named `name` or oem<n>.inf with `content`.
inline bool SystemInfFolderHolds(const std::string& name, const std::string& content) {
    char windows[MAX_PATH + 1] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string infFolder = std::string(windows) + "\\inf\\";
    if (ReadFile(infFolder + name) == content) {
        return true;
    }
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((infFolder + "oem*.inf").c_str(), &found);
    bool holds = false;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            holds = holds || ReadFile(infFolder + found.cFileName) == content;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return holds;
}

} // namespace winetest
