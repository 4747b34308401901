#pragma once
#include "platform/FileSystem.h"

namespace platform {

class Win32FileSystem final : public IFileSystem {
public:
    Result<std::string> GetTempFolder() const override;
    Result<std::string> CreateUniqueFolder(const std::string& parent,
                                           const std::string& prefix) override;
    std::vector<std::string> FoldersIn(const std::string& parent,
                                       const std::string& prefix) const override;
    Result<FolderFacts> InspectFolder(const std::string& path) const override;
    Outcome RemoveFolder(const std::string& path) override;
    Outcome Copy(const std::string& from, const std::string& to) override;
    Outcome CopyChecked(const std::string& from, const std::string& to) override;
    bool SameContents(const std::string& first, const std::string& second) const override;
    Result<std::shared_ptr<IHeldFile>> Hold(const std::string& trusted,
                                            const std::string& path) override;
    bool Exists(const std::string& pattern) const override;
};

} // namespace platform
