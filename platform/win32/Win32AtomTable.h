#pragma once
#include "platform/AtomTable.h"

namespace platform {

// The system's global atom table.
class Win32AtomTable final : public IAtomTable {
public:
    Result<Atom> Find(const std::string& name) const override;
    Result<Atom> Add(const std::string& name) override;
    void Delete(Atom atom) override;
};

} // namespace platform
