#pragma once
#include "platform/Processes.h"

namespace platform {

class Win32Processes final : public IProcesses {
public:
    std::string CommandLine() const override;
    std::string ModulePath() const override;
    bool Start(const std::string& commandLine) override;
    bool StartShown(const std::string& commandLine, unsigned long* error) override;
};

} // namespace platform
