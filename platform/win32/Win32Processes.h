#pragma once
#include "platform/Processes.h"

namespace platform {

class Win32Processes final : public IProcesses {
public:
    std::string CommandLine() const override;
    std::string ModulePath() const override;
    Outcome Start(const std::string& commandLine) override;
    Outcome StartShown(const std::string& commandLine) override;
};

} // namespace platform
