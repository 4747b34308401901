#pragma once
// Reading of private-profile (INI) files, as the menu's configuration files are read.

#include <cstddef>
#include <string>

namespace platform {

class IProfileFile {
public:
    virtual ~IProfileFile() = default;

    // The value of `key` in `section` of `file` (names match regardless of the letter case of
    // ASCII letters), with surrounding blanks and one pair of enclosing quotes removed, or `def`
    // when the key is absent; at most `bufferSize` - 1 characters. The file is decoded from its
    // byte-order mark or else from `codePage`; names, default and result are UTF-8.
    virtual std::string GetString(const std::string& file, unsigned codePage,
                                  const std::string& section, const std::string& key,
                                  const std::string& def, std::size_t bufferSize) const = 0;

    // The value of `key` read as a decimal integer, or `def` when the key is absent.
    virtual int GetInt(const std::string& file, unsigned codePage, const std::string& section,
                       const std::string& key, int def) const = 0;
};

} // namespace platform
