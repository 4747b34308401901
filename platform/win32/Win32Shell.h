#pragma once
#include "platform/Shell.h"

namespace platform {

class Win32Shell final : public IShell {
public:
    Outcome Open(WindowRef owner, const std::string& file,
                 const std::optional<std::string>& parameters) override;
    Result<std::string> FindAssociatedProgram(const std::string& file) const override;
};

} // namespace platform
