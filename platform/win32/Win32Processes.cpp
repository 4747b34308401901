#include "platform/win32/Win32Processes.h"

#include "framework/win32/ModuleInfo.h"

#include <windows.h>

#include <vector>

namespace platform {

std::string Win32Processes::CommandLine() const { return GetCommandLineA(); }

std::string Win32Processes::ModulePath() const { return GetModulePath(); }

bool Win32Processes::Start(const std::string& commandLine)
{
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process)) {
        return false;
    }
    // Nobody waits for the new process.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace platform
