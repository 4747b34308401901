#pragma once
// This process's identity and the starting of other programs.

#include "platform/SystemError.h"

#include <string>

namespace platform {

class IProcesses {
public:
    virtual ~IProcesses() = default;

    // The whole command line of this process, the program's path first.
    virtual std::string CommandLine() const = 0;

    // The full path of this process's program file.
    virtual std::string ModulePath() const = 0;

    // Starts `commandLine` as a new process with the current environment and directory, at
    // normal priority, inheriting this process's handles; nobody waits for it.
    virtual Outcome Start(const std::string& commandLine) = 0;

    // Starts `commandLine` with its window shown (SW_SHOW), inheriting no handles.
    virtual Outcome StartShown(const std::string& commandLine) = 0;
};

} // namespace platform
