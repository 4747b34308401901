#include "check/linux/FileTreeDiscFiles.h"

#include "check/FolderTree.h"
#include "framework/text/Unicode.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace check {

namespace fs = std::filesystem;

namespace {

// Letters folded to upper case as the file system compares names: ASCII and Latin-1 letters
// (other scripts of the disc's languages have no case, or none that a disc uses).
char16_t Fold(char16_t c) {
    const bool lower = (c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7);
    return lower ? static_cast<char16_t>(c - 0x20) : c;
}

std::u16string Folded(const std::string& utf8) {
    std::u16string folded = text::Utf8ToUtf16(utf8);
    for (char16_t& c : folded) {
        c = Fold(c);
    }
    return folded;
}

bool Matches(std::u16string_view pattern, std::u16string_view name) {
    // Backtracks to the last '*' only: enough for patterns of file names.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::u16string_view::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (star != std::u16string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}

// The parts of a disc path: '\' and '/' separate them; "." stays and ".." goes up.
std::vector<std::string> Parts(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '\\' && path[i] != '/') {
            part += path[i];
            continue;
        }
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
    }
    return parts;
}

// The entry of `folder` named `name` in any letter case, the one of exactly that name first;
// only folders when `folders` is set.
std::optional<fs::path> Find(const fs::path& folder, const std::string& name, bool folders) {
    std::error_code error;
    if (fs::exists(folder / name, error) && (!folders || fs::is_directory(folder / name, error))) {
        return folder / name;
    }
    const std::u16string wanted = Folded(name);
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if ((!folders || entry.is_directory(error)) &&
            Folded(entry.path().filename().string()) == wanted) {
            return entry.path();
        }
    }
    return std::nullopt;
}

} // namespace

bool MatchesName(const std::string& pattern, const std::string& name) {
    const std::u16string folded = Folded(pattern);
    return Matches(folded == u"*.*" ? u"*" : folded, Folded(name));
}

FileTreeDiscFiles::FileTreeDiscFiles(const std::string& root) : m_root(root) {}

std::optional<std::pair<fs::path, std::string>>
FileTreeDiscFiles::Folder(const std::string& path) const {
    std::vector<std::string> parts = Parts(path);
    if (parts.empty()) {
        return std::nullopt;
    }
    fs::path folder = m_root;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const auto found = Find(folder, parts[i], true);
        if (!found) {
            return std::nullopt;
        }
        folder = *found;
    }
    return std::make_pair(folder, parts.back());
}

bool FileTreeDiscFiles::Exists(const std::string& pattern) const {
    const auto folder = Folder(pattern);
    if (!folder) {
        return false;
    }
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder->first, error)) {
        if (MatchesName(folder->second, entry.path().filename().string())) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> FileTreeDiscFiles::Locate(const std::string& path) const {
    const auto folder = Folder(path);
    if (!folder) {
        return std::nullopt;
    }
    const auto found = Find(folder->first, folder->second, false);
    return found ? std::optional<std::string>(found->string()) : std::nullopt;
}

std::optional<std::string> FileTreeDiscFiles::Read(const std::string& path) const {
    const auto located = Locate(path);
    std::error_code error;
    if (!located || !fs::is_regular_file(*located, error)) {
        return std::nullopt;
    }
    std::ifstream file(*located, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (!file) {
        return std::nullopt;
    }
    return bytes.str();
}

std::vector<DiscEntry> FileTreeDiscFiles::Tree() const {
    return WalkFolder(m_root);
}

} // namespace check
