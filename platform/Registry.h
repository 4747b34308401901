#pragma once
// Read-only access to values under HKEY_LOCAL_MACHINE, in the program's own view of it or in
// one view named: 64-bit Windows keeps HKLM\SOFTWARE twice, once for 64-bit programs and once
// for 32-bit ones (SOFTWARE\WOW6432Node), and shows each program its own unless it asks.

#include "platform/Outcome.h"

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

enum class RegistryView {
    Own,    // the view of the program's own architecture (the only one on 32-bit Windows)
    Bits64, // the 64-bit programs' view
    Bits32, // the 32-bit programs' view
};

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

    // Whether the system keeps two views (64-bit Windows). Where it keeps one, every view
    // named is that one.
    virtual bool HasTwoViews() const = 0;

    // KeyExists and ReadValue in `view`. A REG_EXPAND_SZ value of the other architecture's
    // view is expanded as its programs see their folders (%ProgramFiles%, say).
    virtual bool KeyExistsIn(RegistryView view, const std::string& key) const = 0;
    virtual Result<RegistryValue> ReadValueIn(RegistryView view, const std::string& key,
                                              const std::string& name,
                                              std::size_t bufferSize) const = 0;
};

} // namespace platform
