#pragma once
#include "platform/Registry.h"

namespace platform {

// Values under HKEY_LOCAL_MACHINE, read only.
class Win32Registry final : public IRegistry {
public:
    bool KeyExists(const std::string& key) const override;
    Result<RegistryValue> ReadValue(const std::string& key, const std::string& name,
                                    std::size_t bufferSize) const override;
};

} // namespace platform
