#include "check/win32/Win32DiscFiles.h"

#include "check/FolderTree.h"
#include "framework/win32/WideText.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace check {

Win32DiscFiles::Win32DiscFiles(const std::string& root) : m_root(root) {
    if (m_root.empty() || (m_root.back() != '\\' && m_root.back() != '/')) {
        m_root += '\\';
    }
}

bool Win32DiscFiles::Exists(const std::string& pattern) const {
    // The menu joins the disc's folder and the disc id so, and searches for the result.
    return m_files.Exists(m_root + pattern);
}

std::optional<std::string> Win32DiscFiles::Locate(const std::string& path) const {
    const std::string full = m_root + path;
    if (GetFileAttributesW(text::Wide(full).c_str()) == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return full;
}

std::optional<std::string> Win32DiscFiles::Read(const std::string& path) const {
    const auto located = Locate(path);
    if (!located) {
        return std::nullopt;
    }
    std::ifstream file(std::filesystem::u8path(*located), std::ios::binary);
    if (!file) {
        return std::nullopt; // a folder, or no permission
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<DiscEntry> Win32DiscFiles::Tree() const {
    return WalkFolder(std::filesystem::u8path(m_root));
}

} // namespace check
