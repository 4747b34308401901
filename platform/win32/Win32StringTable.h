#pragma once
#include "platform/StringTable.h"

namespace platform {

// The string table of this program's resources.
class Win32StringTable final : public IStringTable {
public:
    std::string Load(unsigned id) const override;
};

} // namespace platform
