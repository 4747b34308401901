#pragma once
// The files the program touches: its copy in the temporary folder, files on the medium.

#include "platform/SystemError.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

// The folders that the program makes in the temporary folder, for its own copy and for the
// runtime installer's: this prefix, then IFileSystem::kRandomNameDigits random digits.
inline constexpr char kProgramFolderPrefix[] = "discmenu.";

class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    // The user's temporary folder, ending in a backslash.
    virtual Result<std::string> GetTempFolder() const = 0;

    // Makes a new folder in `parent` (a path ending in a backslash) named `prefix` followed by
    // kRandomNameDigits random hexadecimal digits, which nobody can foresee; its path, ending
    // in a backslash.
    virtual Result<std::string> CreateUniqueFolder(const std::string& parent,
                                                   const std::string& prefix) = 0;
    static constexpr std::size_t kRandomNameDigits = 16;

    // The names of the folders in `parent` (ending in a backslash) whose names start with
    // `prefix`, in any letter case.
    virtual std::vector<std::string> FoldersIn(const std::string& parent,
                                               const std::string& prefix) const = 0;

    // Removes the folder `path` with everything in it. A link in it (a junction, say) is
    // removed itself, never followed. Fails at the first thing that cannot go (a program that
    // still runs from it, say); what went before is gone.
    virtual Outcome RemoveFolder(const std::string& path) = 0;

    // Copies `from` to `to`, replacing an existing file.
    virtual Outcome Copy(const std::string& from, const std::string& to) = 0;

    // Copies `from` to the new file `to`, reading `from` only once: the bytes read are written,
    // and the written file is read back and compared with them. A copy cut short (a full disk)
    // or changed on the way fails and is removed; so does a source larger than
    // kMostCheckedCopyBytes, which is held in memory.
    virtual Outcome CopyChecked(const std::string& from, const std::string& to) = 0;
    static constexpr unsigned long long kMostCheckedCopyBytes = 256ull << 20;

    // Whether the two files hold the same bytes; false when either cannot be read.
    virtual bool SameContents(const std::string& first, const std::string& second) const = 0;

    // Whether at least one file or folder matches `pattern` (wildcards in its last component).
    virtual bool Exists(const std::string& pattern) const = 0;
};

} // namespace platform
