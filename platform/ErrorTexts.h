#pragma once
// The system's texts for its error codes.

#include "platform/StringTable.h"

#include <string>

namespace platform {

class ISystemErrors {
public:
    virtual ~ISystemErrors() = default;
    // The system's text for `code`, as it comes (usually ending in a line break); when the
    // system has none, the built-in "error <code>".
    virtual std::string Describe(unsigned long code) const = 0;
    // The same, with the "error <code>" of `strings` (the texts of the page's language) when the
    // system has no text.
    virtual std::string Describe(unsigned long code, const IStringTable& strings) const = 0;
};

} // namespace platform
