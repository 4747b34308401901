#include "platform/win32/Win32UserInterface.h"

#include "framework/win32/ModuleInfo.h"
#include "framework/win32/WideText.h"

#include <windows.h>

#include <utility>

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

struct MarkedWindowSearch {
    std::wstring mark;
    HWND found = nullptr;
};

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<MarkedWindowSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() && GetPropW(window, search.mark.c_str()) != nullptr) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool Win32UserInterface::BringForward(const std::string& windowMark) {
    MarkedWindowSearch search{text::Wide(windowMark)};
    EnumWindows(&FindMarkedWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) {
        return false;
    }
    if (IsIconic(search.found)) {
        ShowWindow(search.found, SW_RESTORE);
    }
    // A message box or a sub-page over the page is what the user must see.
    SetForegroundWindow(GetLastActivePopup(search.found));
    return true;
}

} // namespace platform
