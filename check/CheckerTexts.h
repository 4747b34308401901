#pragma once
// The program's built-in texts, from the one list in res/BuiltinTexts.inc: the checker has no
// resources of its own, but needs the language names (they name the manuals folders) and the
// fallback texts, as the menu has them.

#include "platform/StringTable.h"

#include <map>
#include <string>

namespace check {

class BuiltinTexts final : public platform::IStringTable {
public:
    BuiltinTexts();
    std::string Load(unsigned id) const override;

private:
    std::map<unsigned, std::string> m_texts; // UTF-8
};

} // namespace check
