#pragma once
#include "platform/Locale.h"

namespace platform {

class Win32Locale final : public ILocale {
public:
    Result<std::string> GetAbbreviatedLanguageName(std::size_t bufferSize) const override;
};

} // namespace platform
