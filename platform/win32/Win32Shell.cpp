#include "platform/win32/Win32Shell.h"

#include "framework/win32/WideText.h"
#include "platform/LongPath.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace platform {

namespace {

// The shell opens no path beyond the classic limit; such a file is opened by its short name,
// which the file system keeps for it, when that one fits.
std::wstring OpenablePath(const std::string& file) {
    std::wstring wide = text::Wide(file);
    if (wide.size() < kClassicPathLimit) {
        return wide;
    }
    const std::wstring longForm = text::Wide(LongForm(file));
    std::wstring shortName(longForm.size() + 1, L'\0');
    const DWORD length =
        GetShortPathNameW(longForm.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
    if (length == 0 || length >= shortName.size()) {
        return wide;
    }
    shortName.resize(length);
    const std::wstring prefix = L"\\\\?\\";
    if (shortName.rfind(prefix, 0) == 0) {
        shortName.erase(0, prefix.size());
    }
    return shortName.size() < kClassicPathLimit ? shortName : wide;
}

} // namespace

Outcome Win32Shell::Open(WindowRef owner, const std::string& file,
                         const std::optional<std::string>& parameters) {
    const std::wstring wideParameters = parameters ? text::Wide(*parameters) : std::wstring();
    const HINSTANCE result =
        ShellExecuteW(static_cast<HWND>(owner), L"open", OpenablePath(file).c_str(),
                      parameters ? wideParameters.c_str() : nullptr, nullptr, SW_SHOWNORMAL);
    // The shell's result: above 32 is success, anything else names the failure. A path beyond
    // the classic limit that the shell could not open, even by its short name, failed for its
    // length whatever the shell says.
    const auto number = reinterpret_cast<INT_PTR>(result);
    if (number > 32) {
        return Outcome::Success();
    }
    return Outcome::Failure(text::Wide(file).size() >= kClassicPathLimit
                                ? errors::kFileNameTooLong
                                : static_cast<unsigned long>(number));
}

Result<std::string> Win32Shell::FindAssociatedProgram(const std::string& file) const {
    // The interface fixes the result buffer at MAX_PATH characters.
    wchar_t program[MAX_PATH] = {};
    const auto result =
        reinterpret_cast<INT_PTR>(FindExecutableW(text::Wide(file).c_str(), L"", program));
    if (result <= 32) {
        return Result<std::string>::Failure(static_cast<unsigned long>(result));
    }
    return Result<std::string>::Success(text::FromWide(std::wstring(program)));
}

} // namespace platform
