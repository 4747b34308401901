#pragma once
// Helpers for tests that run under Wine: Linux paths as Windows sees them, scratch folders,
// files, message boxes answered from a second thread, and the count of drawing objects.

#include "framework/win32/WideText.h"

#include <windows.h>

#include <string>
#include <vector>

namespace winetest {

// A Linux path as Wine's Z: drive shows it.
inline std::string FromLinuxPath(const std::string& path) {
    std::string windows = "Z:" + path;
    for (char& c : windows) {
        if (c == '/') {
            c = '\\';
        }
    }
    return windows;
}

// A new empty folder under the temporary folder, ending in a backslash.
inline std::string MakeScratchFolder(const std::string& name) {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string folder =
        std::string(temp) + name + "." + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// Paths are UTF-8, as the program's.
inline bool WriteFile(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileW(text::Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == content.size();
}

inline std::string ReadFile(const std::string& path) {
    HANDLE file = CreateFileW(text::Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string content;
    char chunk[4096];
    DWORD read = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) {
        content.append(chunk, read);
    }
    CloseHandle(file);
    return content;
}

// A message box as a second thread found it.
struct AnsweredBox {
    bool found = false;
    std::string text;
    HWND owner = nullptr;
    std::string ownerTitle;
};

// Run on a second thread: finds the message box with `caption` (waiting up to 30 seconds),
// remembers it and presses `button`.
inline void AnswerMessageBox(const std::string& caption, int button, AnsweredBox& box) {
    for (int i = 0; i < 600; ++i) {
        HWND window = FindWindowA("#32770", caption.c_str());
        if (window != nullptr) {
            char buffer[1024] = {}; // the boxes of the tests hold short texts
            GetDlgItemTextA(window, 0xFFFF, buffer, sizeof buffer);
            box.found = true;
            box.text = buffer;
            box.owner = GetWindow(window, GW_OWNER);
            GetWindowTextA(box.owner, buffer, sizeof buffer);
            box.ownerTitle = buffer;
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
            return;
        }
        Sleep(50);
    }
}

// How many drawing objects the process holds. Where the system does not count them (Wine reports
// none), they are counted as the room left: pens are created until no more can be.
inline long GdiObjectsInUse() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0) {
        return static_cast<long>(counted);
    }
    constexpr long kCeiling = 1000000;
    std::vector<HPEN> pens;
    while (static_cast<long>(pens.size()) < kCeiling) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        if (pen == nullptr) {
            break;
        }
        pens.push_back(pen);
    }
    for (HPEN pen : pens) {
        DeleteObject(pen);
    }
    return kCeiling - static_cast<long>(pens.size());
}

} // namespace winetest
