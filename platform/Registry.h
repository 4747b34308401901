#pragma once
// Read-only access to values under HKEY_LOCAL_MACHINE.

#include "platform/SystemError.h"

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

struct RegistryValue {
    bool isString = false;   // REG_SZ or REG_EXPAND_SZ
    std::string text;        // the value up to its first zero byte, as UTF-8; a REG_EXPAND_SZ
                             // value with its environment variables expanded
    bool expandable = false; // REG_EXPAND_SZ: stored to be expanded
};

class IRegistry {
public:
    virtual ~IRegistry() = default;

    // Whether `key` under HKEY_LOCAL_MACHINE opens for reading.
    virtual bool KeyExists(const std::string& key) const = 0;

    // Reads value `name` of `key` into a buffer of `bufferSize` bytes. Fails when the key does
    // not open, the value is missing, or the value with its terminating zero does not fit
    // (errors::kInsufficientBuffer).
    virtual Result<RegistryValue> ReadValue(const std::string& key, const std::string& name,
                                            std::size_t bufferSize) const = 0;
};

} // namespace platform
