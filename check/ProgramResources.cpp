#include "check/ProgramResources.h"

#include "framework/StoredPicture.h"

#include <cstdint>

namespace check::resources {

namespace {

constexpr std::uint32_t kBitmapType = 2;
constexpr std::uint32_t kRawDataType = 10; // RT_RCDATA
constexpr std::uint64_t kResourceDirectoryIndex = 2;
constexpr std::uint32_t kSubdirectory = 0x80000000u;

// A little-endian number of `size` bytes at `at`; 0 beyond the end.
std::uint32_t Little(std::string_view bytes, std::uint64_t at, int size) {
    if (at + static_cast<std::uint64_t>(size) > bytes.size()) {
        return 0;
    }
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

// The optional header of a PE file: where it starts and how long it is, and the number of its
// sections; nothing for bytes that are no PE file.
struct Headers {
    std::uint64_t optional;
    std::uint64_t optionalSize;
    std::uint64_t sections;
};

std::optional<Headers> PeHeaders(std::string_view bytes) {
    if (bytes.size() < 0x40 || bytes.substr(0, 2) != "MZ") {
        return std::nullopt;
    }
    const std::uint64_t header = Little(bytes, 0x3C, 4);
    if (header + 24 > bytes.size() || bytes.substr(header, 4) != std::string_view("PE\0\0", 4)) {
        return std::nullopt;
    }
    return Headers{header + 24, Little(bytes, header + 20, 2), Little(bytes, header + 6, 2)};
}

// The file offset of the relative virtual address `address`: the section that holds it gives
// its place in the file.
std::optional<std::uint64_t> FileOffset(std::string_view bytes, const Headers& headers,
                                        std::uint64_t address) {
    const std::uint64_t table = headers.optional + headers.optionalSize;
    for (std::uint64_t i = 0; i < headers.sections; ++i) {
        const std::uint64_t entry = table + 40 * i;
        const std::uint64_t virtualSize = Little(bytes, entry + 8, 4);
        const std::uint64_t virtualAddress = Little(bytes, entry + 12, 4);
        const std::uint64_t rawOffset = Little(bytes, entry + 20, 4);
        if (address >= virtualAddress && address < virtualAddress + virtualSize) {
            return rawOffset + (address - virtualAddress);
        }
    }
    return std::nullopt;
}

// The file offset of the resource section's root directory.
std::optional<std::uint64_t> ResourceSection(std::string_view bytes) {
    const auto headers = PeHeaders(bytes);
    if (!headers) {
        return std::nullopt;
    }
    const std::uint64_t optional = headers->optional;
    const std::uint32_t magic = Little(bytes, optional, 2);
    // The number of data directories, then the directories, after the fields of PE32 or PE32+.
    const std::uint64_t count = magic == 0x10B ? 92 : magic == 0x20B ? 108 : 0;
    if (count == 0 || headers->optionalSize < count + 4 + 8 * (kResourceDirectoryIndex + 1) ||
        Little(bytes, optional + count, 4) <= kResourceDirectoryIndex) {
        return std::nullopt;
    }
    const std::uint64_t address =
        Little(bytes, optional + count + 4 + 8 * kResourceDirectoryIndex, 4);
    if (address == 0) {
        return std::nullopt;
    }
    return FileOffset(bytes, *headers, address);
}

// Whether the name at `at` (a length of 2 bytes, then as many UTF-16 units) is `expected`, an
// ASCII name.
bool NameIs(std::string_view bytes, std::uint64_t at, std::string_view expected) {
    if (Little(bytes, at, 2) != expected.size()) {
        return false;
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (Little(bytes, at + 2 + 2 * std::uint64_t{i}, 2) !=
            static_cast<unsigned char>(expected[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<std::vector<unsigned>> BitmapIds(std::string_view bytes) {
    const auto section = ResourceSection(bytes);
    if (!section) {
        return std::nullopt;
    }
    // A directory: 16 bytes of header with the numbers of named and of numbered entries, then
    // 8-byte entries (name or id, and the offset of the data or of a subdirectory).
    const auto entries = [&](std::uint64_t directory) {
        return Little(bytes, directory + 12, 2) + Little(bytes, directory + 14, 2);
    };
    const std::uint64_t root = *section;
    if (root + 16 > bytes.size()) {
        return std::nullopt;
    }
    // The pictures are stored compressed under a type of their own name; a program may carry
    // plain bitmaps as well.
    const auto isPictureType = [&](std::uint32_t type) {
        return (type & kSubdirectory) != 0
                   ? NameIs(bytes, root + (type & ~kSubdirectory), pictures::kResourceType)
                   : type == kBitmapType;
    };
    std::vector<unsigned> ids;
    for (std::uint32_t i = 0; i < entries(root); ++i) {
        const std::uint64_t entry = root + 16 + 8 * std::uint64_t{i};
        const std::uint32_t offset = Little(bytes, entry + 4, 4);
        if (!isPictureType(Little(bytes, entry, 4)) || (offset & kSubdirectory) == 0) {
            continue;
        }
        const std::uint64_t bitmaps = root + (offset & ~kSubdirectory);
        if (bitmaps + 16 > bytes.size()) {
            return std::nullopt;
        }
        for (std::uint32_t j = 0; j < entries(bitmaps); ++j) {
            const std::uint32_t name = Little(bytes, bitmaps + 16 + 8 * std::uint64_t{j}, 4);
            // Bitmaps named by strings are no bitmaps the program draws.
            if ((name & kSubdirectory) == 0) {
                ids.push_back(name);
            }
        }
    }
    return ids;
}

std::optional<std::string> BrandIni(std::string_view bytes) {
    const auto section = ResourceSection(bytes);
    const auto headers = PeHeaders(bytes);
    if (!section || !headers || *section + 16 > bytes.size()) {
        return std::nullopt;
    }
    const std::uint64_t root = *section;
    // The first entry of `directory` whose name or id `matches`: its offset, a subdirectory's
    // (flagged) or a data entry's.
    const auto find = [&](std::uint64_t directory, auto matches) -> std::optional<std::uint32_t> {
        const std::uint32_t count =
            Little(bytes, directory + 12, 2) + Little(bytes, directory + 14, 2);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint64_t entry = directory + 16 + 8 * std::uint64_t{i};
            if (matches(Little(bytes, entry, 4))) {
                return Little(bytes, entry + 4, 4);
            }
        }
        return std::nullopt;
    };
    const auto any = [](std::uint32_t) { return true; };
    const auto types = find(root, [](std::uint32_t type) { return type == kRawDataType; });
    if (!types || (*types & kSubdirectory) == 0) {
        return std::string(); // a program without a brand of its own: the sample's
    }
    const auto names = find(root + (*types & ~kSubdirectory), [&](std::uint32_t name) {
        return (name & kSubdirectory) != 0 &&
               NameIs(bytes, root + (name & ~kSubdirectory), "BRAND");
    });
    if (!names || (*names & kSubdirectory) == 0) {
        return std::string();
    }
    const auto language = find(root + (*names & ~kSubdirectory), any);
    if (!language || (*language & kSubdirectory) != 0) {
        return std::nullopt;
    }
    const std::uint64_t data = root + *language;
    const auto at = FileOffset(bytes, *headers, Little(bytes, data, 4));
    const std::uint64_t size = Little(bytes, data + 4, 4);
    if (data + 8 > bytes.size() || !at || *at + size > bytes.size()) {
        return std::nullopt;
    }
    return std::string(bytes.substr(*at, size));
}

} // namespace check::resources
