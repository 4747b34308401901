#pragma once
#include "platform/Registry.h"

namespace platform {

// Values under HKEY_LOCAL_MACHINE, read only, through the wide-character functions; in a view
// named, on 64-bit Windows.
class Win32Registry final : public IRegistry {
public:
    bool KeyExists(const std::string& key) const override;
    Result<RegistryValue> ReadValue(const std::string& key, const std::string& name,
                                    std::size_t bufferSize) const override;
    bool HasTwoViews() const override;
    bool KeyExistsIn(RegistryView view, const std::string& key) const override;
    Result<RegistryValue> ReadValueIn(RegistryView view, const std::string& key,
                                      const std::string& name,
                                      std::size_t bufferSize) const override;
};

} // namespace platform
