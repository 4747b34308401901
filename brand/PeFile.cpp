#include "brand/PeFile.h"

#include <cstdint>

namespace brand {

namespace {

constexpr std::size_t kNewHeaderOffset = 0x3C;
constexpr std::size_t kFileHeaderBytes = 20;
constexpr unsigned kMagic32 = 0x10B;
constexpr unsigned kMagic64 = 0x20B;
constexpr std::size_t kChecksumOffset = 64; // in the optional header, either kind
constexpr std::size_t kCertificateEntry = 4;
// A signer pads the certificate table to 8 bytes.
constexpr std::size_t kCertificateAlignment = 8;

std::uint32_t Little32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    }
    return value;
}

void Set32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// Where the optional header and its data directories lie.
struct Layout {
    std::size_t optional = 0;
    std::size_t directories = 0;
    std::uint32_t directoryCount = 0;
};

std::optional<Layout> Read(const std::string& file) {
    if (file.size() < kNewHeaderOffset + 4 || file.compare(0, 2, "MZ") != 0) {
        return std::nullopt;
    }
    const std::size_t pe = Little32(file, kNewHeaderOffset);
    if (pe > file.size() || file.size() - pe < 4 + kFileHeaderBytes + 2 ||
        file.compare(pe, 4, std::string("PE\0\0", 4)) != 0) {
        return std::nullopt;
    }
    Layout layout;
    layout.optional = pe + 4 + kFileHeaderBytes;
    const unsigned magic = static_cast<unsigned char>(file[layout.optional]) |
                           (unsigned{static_cast<unsigned char>(file[layout.optional + 1])} << 8);
    if (magic != kMagic32 && magic != kMagic64) {
        return std::nullopt;
    }
    layout.directories = layout.optional + (magic == kMagic32 ? 96 : 112);
    if (file.size() < layout.directories) {
        return std::nullopt;
    }
    layout.directoryCount = Little32(file, layout.directories - 4);
    if (layout.directoryCount > 16 ||
        file.size() < layout.directories + 8 * std::size_t{layout.directoryCount}) {
        return std::nullopt;
    }
    return layout;
}

} // namespace

std::optional<Signature> RemoveSignature(std::string& file) {
    const auto layout = Read(file);
    if (!layout) {
        return std::nullopt;
    }
    if (layout->directoryCount <= kCertificateEntry) {
        return Signature::None;
    }
    const std::size_t entry = layout->directories + 8 * kCertificateEntry;
    const std::uint32_t offset = Little32(file, entry);
    const std::uint32_t size = Little32(file, entry + 4);
    if (offset == 0 && size == 0) {
        return Signature::None;
    }
    const std::size_t padded = (std::size_t{size} + kCertificateAlignment - 1) /
                               kCertificateAlignment * kCertificateAlignment;
    const bool atEnd =
        offset <= file.size() && (file.size() - offset == size || file.size() - offset == padded);
    if (!atEnd || offset == 0) {
        return std::nullopt;
    }
    file.resize(offset);
    Set32(file, entry, 0);
    Set32(file, entry + 4, 0);
    return Signature::Removed;
}

bool UpdateChecksum(std::string& file) {
    const auto layout = Read(file);
    if (!layout) {
        return false;
    }
    const std::size_t at = layout->optional + kChecksumOffset;
    Set32(file, at, 0);
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < file.size(); i += 2) {
        unsigned word = static_cast<unsigned char>(file[i]);
        if (i + 1 < file.size()) {
            word |= unsigned{static_cast<unsigned char>(file[i + 1])} << 8;
        }
        sum += word;
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    Set32(file, at, static_cast<std::uint32_t>(sum + file.size()));
    return true;
}

} // namespace brand
