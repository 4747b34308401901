#pragma once
// This process's identity and the starting of other programs.

#include "platform/Outcome.h"
#include "platform/UserInterface.h"

#include <string>

namespace platform {

// This process's standing: whether it holds its full administrator token, and whether the
// system has user account control at all (not before Vista, nor when it is switched off).
struct Elevation {
    bool elevated = false;
    bool userAccountControl = false;
};

class IProcesses {
public:
    virtual ~IProcesses() = default;

    // The whole command line of this process, the program's path first.
    virtual std::string CommandLine() const = 0;

    // The full path of this process's program file.
    virtual std::string ModulePath() const = 0;

    // Starts `commandLine` as a new process in the working directory `directory`, with the
    // current environment, at normal priority, inheriting this process's inheritable handles,
    // and waits until it is ready for input (its first window waits for the user), for a few
    // seconds at most.
    virtual Outcome StartAndWaitUntilReady(const std::string& commandLine,
                                           const std::string& directory) = 0;

    // Starts `commandLine` in the working directory `directory` with its window shown
    // (SW_SHOW), inheriting no handles; nobody waits for it. The start goes through the
    // shell, so that a program that needs administrator rights gets the system's prompt
    // instead of failing.
    virtual Outcome StartShown(const std::string& commandLine, const std::string& directory) = 0;

    // Makes `directory` this process's current directory, which the programs it starts inherit.
    virtual Outcome SetWorkingDirectory(const std::string& directory) = 0;

    // Whether this process runs elevated, and whether the system has user account control.
    virtual Elevation ElevationState() const = 0;

    // Starts the program `program` with `parameters` through the shell with the verb "runas",
    // which asks the user for administrator rights where the system has user account control,
    // and waits until it ends. Its exit code; a failure carries the system's reason, "cancelled"
    // when the user declined.
    virtual Result<unsigned long> RunElevatedAndWait(WindowRef owner, const std::string& program,
                                                     const std::string& parameters) = 0;

    // The system's folder (System32), ending in a backslash.
    virtual Result<std::string> SystemFolder() const = 0;
};

} // namespace platform
