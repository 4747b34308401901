#pragma once
#include "platform/SystemErrors.h"

namespace platform {

class Win32SystemErrors final : public ISystemErrors {
public:
    unsigned long LastError() const override;
    std::string Describe(unsigned long code) const override;
};

} // namespace platform
