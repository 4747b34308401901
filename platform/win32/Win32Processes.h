#pragma once
#include "platform/Processes.h"

namespace platform {

class Win32Processes final : public IProcesses {
public:
    std::string CommandLine() const override;
    std::string ModulePath() const override;
    Outcome StartAndWaitUntilReady(const std::string& commandLine,
                                   const std::string& directory) override;
    Outcome StartShown(const std::string& commandLine, const std::string& directory) override;
    Outcome SetWorkingDirectory(const std::string& directory) override;
    Elevation ElevationState() const override;
    Result<unsigned long> RunElevatedAndWait(WindowRef owner, const std::string& program,
                                             const std::string& parameters) override;
    Result<std::string> SystemFolder() const override;
};

} // namespace platform
