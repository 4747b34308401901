#pragma once
// The system's texts for its error codes.

#include <string>

namespace platform {

class ISystemErrors {
public:
    virtual ~ISystemErrors() = default;
    // The error code this thread's last system call left.
    virtual unsigned long LastError() const = 0;
    // The system's text for `code`, as it comes (usually ending in a line break); when the
    // system has none, "error <code>".
    virtual std::string Describe(unsigned long code) const = 0;
};

} // namespace platform
