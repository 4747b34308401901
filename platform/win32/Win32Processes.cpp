#include "platform/win32/Win32Processes.h"

#include "framework/win32/WideText.h"

#include "framework/win32/ModuleInfo.h"

#include <windows.h>

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

} // namespace

Outcome Win32Processes::StartAndWaitUntilReady(const std::string& commandLine,
                                               const std::string& directory) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessIn(commandLine, directory, TRUE, startup, true);
}

Outcome Win32Processes::StartShown(const std::string& commandLine, const std::string& directory) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    return CreateProcessIn(commandLine, directory, FALSE, startup, false);
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
