#include "platform/win32/Win32Shell.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace platform {

Outcome Win32Shell::Open(WindowRef owner, const std::string& file,
                         const std::optional<std::string>& parameters) {
    const HINSTANCE result =
        ShellExecuteA(static_cast<HWND>(owner), "open", file.c_str(),
                      parameters ? parameters->c_str() : nullptr, nullptr, SW_SHOWNORMAL);
    // The shell's result: above 32 is success, anything else names the failure.
    const auto number = reinterpret_cast<INT_PTR>(result);
    return number > 32 ? Outcome::Success() : Outcome::Failure(static_cast<unsigned long>(number));
}

std::optional<std::string> Win32Shell::FindAssociatedProgram(const std::string& file) const {
    // The interface fixes the result buffer at MAX_PATH characters.
    char program[MAX_PATH] = {};
    const auto result = reinterpret_cast<INT_PTR>(FindExecutableA(file.c_str(), "", program));
    if (result <= 32) {
        return std::nullopt;
    }
    return std::string(program);
}

} // namespace platform
