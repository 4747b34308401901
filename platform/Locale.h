#pragma once
// The user's locale.

#include "platform/Outcome.h"

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

class ILocale {
public:
    virtual ~ILocale() = default;

    // The abbreviated language name of the user's default locale (for example "DEU"), read
    // into a buffer of `bufferSize` bytes.
    virtual Result<std::string> GetAbbreviatedLanguageName(std::size_t bufferSize) const = 0;
};

} // namespace platform
