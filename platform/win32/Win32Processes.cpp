#include "platform/win32/Win32Processes.h"

#include "framework/win32/WideText.h"

#include "framework/win32/ModuleInfo.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <vector>

namespace platform {

std::string Win32Processes::CommandLine() const {
    return text::FromWide(GetCommandLineW());
}

std::string Win32Processes::ModulePath() const {
    return GetModulePath();
}

namespace {

// How long a start waits for the new program to be ready for input: long enough for a menu
// that comes up on a slow machine, short enough that a program that never waits for input
// costs little.
constexpr DWORD kReadyTimeoutMs = 20000;

// Starts `commandLine` in `directory` (the current one when empty); nobody keeps its handles.
Outcome CreateProcessIn(const std::string& commandLine, const std::string& directory,
                        BOOL inheritHandles, STARTUPINFOW& startup, bool waitUntilReady) {
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::wstring line = text::Wide(commandLine);
    const std::wstring folder = text::Wide(directory);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, inheritHandles,
                        NORMAL_PRIORITY_CLASS, nullptr, folder.empty() ? nullptr : folder.c_str(),
                        &startup, &process)) {
        return Outcome::Failure(GetLastError());
    }
    if (waitUntilReady) {
        WaitForInputIdle(process.hProcess, kReadyTimeoutMs);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return Outcome::Success();
}

// A command line split into its program, without the quotes around it, and the parameters
// after it.
struct ProgramAndParameters {
    std::wstring program;
    std::wstring parameters;
};

ProgramAndParameters SplitCommandLine(const std::wstring& line) {
    std::size_t end = 0;
    ProgramAndParameters split;
    if (!line.empty() && line.front() == L'"') {
        end = line.find(L'"', 1);
        end = end == std::wstring::npos ? line.size() : end;
        split.program = line.substr(1, end - 1);
        end = end < line.size() ? end + 1 : end;
    } else {
        end = std::min(line.find(L' '), line.size());
        split.program = line.substr(0, end);
    }
    const std::size_t parameters = line.find_first_not_of(L' ', end);
    if (parameters != std::wstring::npos) {
        split.parameters = line.substr(parameters);
    }
    return split;
}

// Whether the system has user account control switched on. Systems before Vista have no
// token elevation at all, which the caller tells by the token's answer; on later ones the
// policy value is missing when nobody changed it, and then user account control is on.
bool UserAccountControlOn() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return true;
    }
    DWORD value = 1;
    DWORD size = sizeof value;
    DWORD type = 0;
    const LONG read =
        RegQueryValueExA(key, "EnableLUA", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return read != ERROR_SUCCESS || type != REG_DWORD || value != 0;
}

} // namespace

Outcome Win32Processes::StartAndWaitUntilReady(const std::string& commandLine,
                                               const std::string& directory) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessIn(commandLine, directory, TRUE, startup, true);
}

Outcome Win32Processes::StartShown(const std::string& commandLine, const std::string& directory) {
    // CreateProcess refuses a program that asks for administrator rights, or that the system's
    // installer detection marks as one, with "elevation required"; the shell asks the user.
    const ProgramAndParameters split = SplitCommandLine(text::Wide(commandLine));
    const std::wstring folder = text::Wide(directory);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = split.program.c_str();
    info.lpParameters = split.parameters.empty() ? nullptr : split.parameters.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOW;
    if (!ShellExecuteExW(&info)) {
        return Outcome::Failure(GetLastError());
    }
    return Outcome::Success();
}

Elevation Win32Processes::ElevationState() const {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return {};
    }
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const BOOL known =
        GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    CloseHandle(token);
    if (!known) {
        // No token elevation: a system without user account control.
        return {};
    }
    return {elevation.TokenIsElevated != 0, UserAccountControlOn()};
}

Result<unsigned long> Win32Processes::RunElevatedAndWait(WindowRef owner,
                                                         const std::string& program,
                                                         const std::string& parameters) {
    const std::wstring file = text::Wide(program);
    const std::wstring arguments = text::Wide(parameters);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = static_cast<HWND>(owner);
    info.lpVerb = L"runas";
    info.lpFile = file.c_str();
    info.lpParameters = arguments.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info)) {
        return Result<unsigned long>::Failure(GetLastError());
    }
    if (info.hProcess == nullptr) {
        return Result<unsigned long>::Failure(errors::kInvalidData);
    }
    // The copy only registers the packages: the menu waits for it as it waits for an
    // in-process registration.
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD exitCode = 0;
    const BOOL ended = GetExitCodeProcess(info.hProcess, &exitCode);
    const DWORD error = GetLastError();
    CloseHandle(info.hProcess);
    if (!ended) {
        return Result<unsigned long>::Failure(error);
    }
    return Result<unsigned long>::Success(exitCode);
}

Outcome Win32Processes::SetWorkingDirectory(const std::string& directory) {
    return SetCurrentDirectoryW(text::Wide(directory).c_str()) ? Outcome::Success()
                                                               : Outcome::Failure(GetLastError());
}

Result<std::string> Win32Processes::SystemFolder() const {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    const UINT length = GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length == 0 || length >= buffer.size()) {
        return Result<std::string>::Failure(length == 0 ? GetLastError()
                                                        : errors::kInsufficientBuffer);
    }
    return Result<std::string>::Success(text::FromWide(buffer.data(), length) + "\\");
}

} // namespace platform
