#pragma once
// The files the program touches: its copy in the temporary folder, files on the medium.

#include "platform/Outcome.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The folders that the program makes in the temporary folder, for its own copy and for the
// runtime installer's: this prefix, then IFileSystem::kRandomNameDigits random digits.
inline constexpr char kProgramFolderPrefix[] = "discmenu.";

// What the system tells of a folder through a handle opened without following a link.
struct FolderFacts {
    bool link = false;            // a reparse point: a junction, a symbolic link, a mount point
    bool ownedByThisUser = false; // owned by this process's user, or by its token's default owner
};

// A file held open, and every folder on its way to it, so that nobody can write, rename or
// delete any of them (and so put something else at its path) until this goes.
class IHeldFile {
public:
    virtual ~IHeldFile() = default;
};

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

    // What the folder `path` is, read without following a link at `path`; a failure when it
    // cannot be opened.
    virtual Result<FolderFacts> InspectFolder(const std::string& path) const = 0;

    // Removes the folder `path` with everything in it. No link is ever followed, the top
    // included: every folder is opened without following links and held while it is emptied,
    // a link in it is removed itself, and a link at `path`, or a folder that this user does not
    // own, is refused (access denied) and left as it is. Fails at the first thing that cannot
    // go (a program that still runs from it, say); what went before is gone.
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

    // Opens the file `path` and holds it, with every folder from `trusted` (a folder at the
    // start of `path`, ending in a backslash; empty for the root of its drive) on, against
    // writing, renaming and deleting. Each step after `trusted` is opened without following a
    // link, and the hold is refused (access denied) when one is a link, when the file is a
    // folder, or when it has other names (hard links) as well.
    virtual Result<std::shared_ptr<IHeldFile>> Hold(const std::string& trusted,
                                                    const std::string& path) = 0;

    // Whether at least one file or folder matches `pattern` (wildcards in its last component).
    virtual bool Exists(const std::string& pattern) const = 0;
};

} // namespace platform
