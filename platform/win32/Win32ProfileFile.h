#pragma once
#include "platform/ProfileFile.h"

namespace platform {

// The system's private-profile functions.
class Win32ProfileFile final : public IProfileFile {
public:
    std::string GetString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& def,
                          std::size_t bufferSize) const override;
    int GetInt(const std::string& file, const std::string& section, const std::string& key,
               int def) const override;
};

} // namespace platform
