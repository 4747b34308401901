#include "check/FolderTree.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <system_error>

namespace check {

namespace fs = std::filesystem;

std::vector<DiscEntry> WalkFolder(const fs::path& root) {
    std::vector<DiscEntry> entries;
    std::vector<std::string> parts; // of the entry the walk is at
    std::error_code error;
    fs::recursive_directory_iterator walk(root, fs::directory_options::skip_permission_denied,
                                          error);
    for (; walk != fs::recursive_directory_iterator(); walk.increment(error)) {
        if (error) {
            break;
        }
        parts.resize(static_cast<std::size_t>(walk.depth()));
        parts.push_back(walk->path().filename().u8string());
        DiscEntry entry;
        entry.parts = parts;
        entry.folder = walk->is_directory(error);
        if (!entry.folder && walk->is_regular_file(error)) {
            const std::uintmax_t size = walk->file_size(error);
            entry.size = error ? 0 : size;
        }
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const DiscEntry& a, const DiscEntry& b) { return a.parts < b.parts; });
    return entries;
}

} // namespace check
