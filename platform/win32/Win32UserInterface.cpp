#include "platform/win32/Win32UserInterface.h"

#include "framework/win32/ModuleInfo.h"
#include "framework/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace platform {

static_assert(mb::kOk == MB_OK && mb::kRetryCancel == MB_RETRYCANCEL &&
              mb::kIconHand == MB_ICONHAND && mb::kIconExclamation == MB_ICONEXCLAMATION &&
              mb::kSetForeground == MB_SETFOREGROUND && mb::kIdOk == IDOK &&
              mb::kIdCancel == IDCANCEL && mb::kIdRetry == IDRETRY);

Win32UserInterface::Win32UserInterface() : Win32UserInterface(GetModuleBaseName()) {}

Win32UserInterface::Win32UserInterface(std::string appName) : m_appName(std::move(appName)) {}

int Win32UserInterface::ShowMessage(WindowRef owner, const std::string& text,
                                    const std::optional<std::string>& caption, unsigned style) {
    // Without a caption of its own a box carries the application's name.
    const std::string& title = caption ? *caption : m_appName;
    return MessageBoxW(static_cast<HWND>(owner), text::Wide(text).c_str(),
                       text::Wide(title).c_str(), style);
}

void Win32UserInterface::BeginWaitCursor() {
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    if (m_waitCount++ == 0) {
        m_beforeWait = previous;
    }
}

void Win32UserInterface::EndWaitCursor() {
    if (m_waitCount == 0) {
        return;
    }
    if (--m_waitCount == 0) {
        SetCursor(m_beforeWait != nullptr ? m_beforeWait : LoadCursor(nullptr, IDC_ARROW));
        m_beforeWait = nullptr;
    }
}

namespace {

// How long a start waits for the running menu's page, which may still be coming up (its copy
// was started a moment ago, on a slow machine), before it takes the lock for somebody else's.
constexpr DWORD kMenuWaitMs = 15000;
constexpr DWORD kMenuPollMs = 100;

// The program file of process `process`; empty when it cannot be told.
std::wstring ImagePathOf(DWORD process) {
    // PROCESS_QUERY_LIMITED_INFORMATION and its function came with Vista; XP has the older
    // right and the process-status library's function.
    using QueryFn = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
    static const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW")));
    const DWORD access = query != nullptr ? PROCESS_QUERY_LIMITED_INFORMATION
                                          : PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;
    HANDLE handle = OpenProcess(access, FALSE, process);
    if (handle == nullptr) {
        return {};
    }
    std::vector<wchar_t> path(32768);
    auto size = static_cast<DWORD>(path.size());
    BOOL found = FALSE;
    if (query != nullptr) {
        found = query(handle, 0, path.data(), &size);
    } else {
        using ModuleNameFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPWSTR, DWORD);
        wchar_t system[MAX_PATH + 1] = {}; // GetSystemDirectoryW's limit
        const UINT length = GetSystemDirectoryW(system, MAX_PATH);
        const HMODULE library =
            length != 0 && length < MAX_PATH
                ? LoadLibraryW((std::wstring(system, length) + L"\\psapi.dll").c_str())
                : nullptr;
        const auto moduleName = library != nullptr
                                    ? reinterpret_cast<ModuleNameFn>(reinterpret_cast<void*>(
                                          GetProcAddress(library, "GetModuleFileNameExW")))
                                    : nullptr;
        size = moduleName != nullptr ? moduleName(handle, nullptr, path.data(), size) : 0;
        found = size != 0;
    }
    CloseHandle(handle);
    return found ? std::wstring(path.data(), size) : std::wstring();
}

struct MarkedWindowSearch {
    std::wstring mark;
    std::string ownImage;
    HWND found = nullptr;
};

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<MarkedWindowSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() || GetPropW(window, search.mark.c_str()) == nullptr) {
        return TRUE;
    }
    // Any program can set the property: only a page of a process that runs this program is
    // the running menu.
    const std::wstring image = ImagePathOf(process);
    if (image.empty() ||
        !Win32FileSystem().SameContents(text::FromWide(image.c_str()), search.ownImage)) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

HWND FindRunningMenu(const std::string& windowMark) {
    MarkedWindowSearch search{text::Wide(windowMark), GetModulePath()};
    EnumWindows(&FindMarkedWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

bool Win32UserInterface::BringForward(const std::string& windowMark) {
    const DWORD start = GetTickCount();
    HWND found = FindRunningMenu(windowMark);
    while (found == nullptr && GetTickCount() - start < kMenuWaitMs) {
        Sleep(kMenuPollMs);
        found = FindRunningMenu(windowMark);
    }
    if (found == nullptr) {
        return false;
    }
    if (IsIconic(found)) {
        ShowWindow(found, SW_RESTORE);
    }
    // A message box or a sub-page over the page is what the user must see.
    SetForegroundWindow(GetLastActivePopup(found));
    return true;
}

} // namespace platform
