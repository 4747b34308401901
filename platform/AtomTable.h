#pragma once
// The system-wide, reference-counted names of the global atom table.

#include <cstdint>
#include <string>

namespace platform {

using Atom = std::uint16_t; // 0 means no atom

class IAtomTable {
public:
    virtual ~IAtomTable() = default;
    virtual Atom Find(const std::string& name) const = 0;
    virtual Atom Add(const std::string& name) = 0; // creates the name or counts it up
    virtual void Delete(Atom atom) = 0;            // counts it down
};

} // namespace platform
