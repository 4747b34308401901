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

Outcome CreateDetachedProcess(const std::string& commandLine, BOOL inheritHandles,
                              STARTUPINFOW& startup) {
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::wstring line = text::Wide(commandLine);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, inheritHandles,
                        NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process)) {
        return Outcome::Failure(GetLastError());
    }
    // Nobody waits for the new process.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return Outcome::Success();
}

} // namespace

Outcome Win32Processes::Start(const std::string& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateDetachedProcess(commandLine, TRUE, startup);
}

Outcome Win32Processes::StartShown(const std::string& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    return CreateDetachedProcess(commandLine, FALSE, startup);
}

} // namespace platform
