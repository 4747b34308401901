#pragma once
#include "platform/DriverStore.h"

namespace platform {

// Driver packages through the setup services (SetupCopyOEMInfA).
class Win32DriverStore final : public IDriverStore {
public:
    Outcome RegisterPackage(const std::string& infPath) override;
};

} // namespace platform
