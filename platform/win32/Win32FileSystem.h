#pragma once
#include "platform/FileSystem.h"

namespace platform {

class Win32FileSystem final : public IFileSystem {
public:
    std::optional<std::string> GetTempFolder() const override;
    Outcome SetNormalAttributes(const std::string& path) override;
    Outcome Copy(const std::string& from, const std::string& to) override;
    bool Exists(const std::string& pattern) const override;
    void CreateFolder(const std::string& path) override;
};

} // namespace platform
