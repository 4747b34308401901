#include "platform/win32/Win32Shell.h"

#include "framework/win32/WideText.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace platform {

Outcome Win32Shell::Open(WindowRef owner, const std::string& file,
                         const std::optional<std::string>& parameters) {
    const std::wstring wideParameters = parameters ? text::Wide(*parameters) : std::wstring();
    const HINSTANCE result =
        ShellExecuteW(static_cast<HWND>(owner), L"open", text::Wide(file).c_str(),
                      parameters ? wideParameters.c_str() : nullptr, nullptr, SW_SHOWNORMAL);
    // The shell's result: above 32 is success, anything else names the failure.
    const auto number = reinterpret_cast<INT_PTR>(result);
    return number > 32 ? Outcome::Success() : Outcome::Failure(static_cast<unsigned long>(number));
}

std::optional<std::string> Win32Shell::FindAssociatedProgram(const std::string& file) const {
    // The interface fixes the result buffer at MAX_PATH characters.
    wchar_t program[MAX_PATH] = {};
    const auto result =
        reinterpret_cast<INT_PTR>(FindExecutableW(text::Wide(file).c_str(), L"", program));
    if (result <= 32) {
        return std::nullopt;
    }
    return text::FromWide(std::wstring(program));
}

} // namespace platform
