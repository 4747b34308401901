#pragma once
// The program's built-in texts, addressed by number.

#include <string>

namespace platform {

class IStringTable {
public:
    virtual ~IStringTable() = default;
    // The built-in text `id`, or the empty string when there is none.
    virtual std::string Load(unsigned id) const = 0;
};

} // namespace platform
