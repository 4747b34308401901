#pragma once
#include "platform/StringTable.h"
#include "platform/ErrorTexts.h"

namespace platform {

// The system's message texts; for a code without one, the program's built-in text for it.
class Win32SystemErrors final : public ISystemErrors {
public:
    explicit Win32SystemErrors(const IStringTable& strings) : m_strings(strings) {}
    std::string Describe(unsigned long code) const override { return Describe(code, m_strings); }
    std::string Describe(unsigned long code, const IStringTable& strings) const override;

private:
    const IStringTable& m_strings;
};

} // namespace platform
