#include "brand/IconFile.h"

#include <cstdint>

namespace brand {

namespace {

constexpr std::size_t kDirectoryBytes = 6;   // reserved, type (1: icons), count
constexpr std::size_t kFileEntryBytes = 16;  // an image's entry in the file
constexpr std::size_t kGroupEntryBytes = 14; // the same in the group, with its id for an offset
constexpr unsigned kIconType = 1;

unsigned Little16(std::string_view bytes, std::size_t at) {
    return unsigned{static_cast<unsigned char>(bytes[at])} |
           (unsigned{static_cast<unsigned char>(bytes[at + 1])} << 8);
}

std::uint32_t Little32(std::string_view bytes, std::size_t at) {
    return Little16(bytes, at) | (std::uint32_t{Little16(bytes, at + 2)} << 16);
}

void Put16(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

} // namespace

std::optional<IconResources> ReadIcon(std::string_view file) {
    if (file.size() < kDirectoryBytes || Little16(file, 0) != 0 || Little16(file, 2) != kIconType) {
        return std::nullopt;
    }
    const unsigned count = Little16(file, 4);
    if (count == 0 || file.size() < kDirectoryBytes + kFileEntryBytes * count) {
        return std::nullopt;
    }
    IconResources icon;
    icon.group = std::string(file.substr(0, kDirectoryBytes));
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t entry = kDirectoryBytes + kFileEntryBytes * i;
        const std::uint32_t size = Little32(file, entry + 8);
        const std::uint32_t offset = Little32(file, entry + 12);
        if (offset > file.size() || size > file.size() - offset) {
            return std::nullopt;
        }
        icon.images.emplace_back(file.substr(offset, size));
        const unsigned colours = static_cast<unsigned char>(file[entry + 2]);
        unsigned planes = Little16(file, entry + 4);
        unsigned bits = Little16(file, entry + 6);
        // Entries that give neither take one plane and the bits their colour count needs.
        if (planes == 0) {
            planes = 1;
        }
        if (bits == 0) {
            while ((1u << bits) < colours) {
                ++bits;
            }
        }
        icon.group.append(file.substr(entry, 3)); // width, height, colours
        icon.group.push_back('\0');
        Put16(icon.group, planes);
        Put16(icon.group, bits);
        icon.group.append(file.substr(entry + 8, 4)); // the image's size
        Put16(icon.group, i + 1);
    }
    return icon;
}

std::vector<unsigned> IconIds(std::string_view group) {
    if (group.size() < kDirectoryBytes || Little16(group, 2) != kIconType) {
        return {};
    }
    const unsigned count = Little16(group, 4);
    if (group.size() < kDirectoryBytes + kGroupEntryBytes * count) {
        return {};
    }
    std::vector<unsigned> ids;
    for (unsigned i = 0; i < count; ++i) {
        ids.push_back(Little16(group, kDirectoryBytes + kGroupEntryBytes * i + 12));
    }
    return ids;
}

} // namespace brand
