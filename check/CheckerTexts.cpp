#include "check/CheckerTexts.h"

#include "framework/text/CodePages.h"
#include "res/resource.h"

namespace check {

BuiltinTexts::BuiltinTexts()
    : m_texts{
// The list is written in code page 1252.
#define DISCMENU_BUILTIN_TEXT(id, value) {id, text::Decode(value, text::kWesternEuropean)},
#include "res/BuiltinTexts.inc"
#undef DISCMENU_BUILTIN_TEXT
      } {
}

std::string BuiltinTexts::Load(unsigned id) const {
    const auto found = m_texts.find(id);
    return found == m_texts.end() ? std::string() : found->second;
}

} // namespace check
