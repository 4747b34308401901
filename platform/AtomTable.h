#pragma once
// The system-wide, reference-counted names of the global atom table.

#include "platform/Outcome.h"

#include <cstdint>
#include <string>

namespace platform {

using Atom = std::uint16_t;

class IAtomTable {
public:
    virtual ~IAtomTable() = default;
    // The atom of `name`; fails with errors::kFileNotFound when there is none.
    virtual Result<Atom> Find(const std::string& name) const = 0;
    // Creates the name or counts it up.
    virtual Result<Atom> Add(const std::string& name) = 0;
    // Counts it down.
    virtual void Delete(Atom atom) = 0;
};

} // namespace platform
