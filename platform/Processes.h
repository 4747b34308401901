#pragma once
// This process's identity and the starting of other programs.

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
    // normal priority; nobody waits for it. False when it could not be started.
    virtual bool Start(const std::string& commandLine) = 0;

    // Starts `commandLine` with its window shown (SW_SHOW). False when it could not be
    // started; `error` then holds the system's reason.
    virtual bool StartShown(const std::string& commandLine, unsigned long* error) = 0;
};

} // namespace platform
