#include "platform/win32/Win32ProfileFile.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace platform {

std::string Win32ProfileFile::GetString(const std::string& file, const std::string& section,
                                        const std::string& key, const std::string& def,
                                        std::size_t bufferSize) const {
    // A buffer the call cannot describe is one it cannot fill either.
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bufferSize, MAXDWORD));
    if (size == 0) {
        return {};
    }
    std::vector<char> buffer(size);
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(),
                                                  buffer.data(), size, file.c_str());
    return std::string(buffer.data(), std::min<DWORD>(length, size - 1));
}

int Win32ProfileFile::GetInt(const std::string& file, const std::string& section,
                             const std::string& key, int def) const {
    return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key.c_str(), def, file.c_str()));
}

} // namespace platform
