#include "framework/StoredPicture.h"

#include <zlib.h>

namespace pictures {

namespace {

// A bitmap file starts with "BM" and a 14-byte file header; a bitmap resource holds what
// follows it.
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kLengthBytes = 4;
// The smallest information header a bitmap can have (BITMAPCOREHEADER).
constexpr std::size_t kSmallestInfoHeader = 12;

} // namespace

std::optional<std::vector<unsigned char>> Encode(std::string_view file) {
    if (file.size() < kFileHeaderBytes + kSmallestInfoHeader || file.substr(0, 2) != "BM" ||
        file.size() - kFileHeaderBytes > kMostBitmapBytes) {
        return std::nullopt;
    }
    const std::string_view bitmap = file.substr(kFileHeaderBytes);
    uLongf packedSize = compressBound(static_cast<uLong>(bitmap.size()));
    std::vector<unsigned char> stored(kLengthBytes + packedSize);
    for (std::size_t i = 0; i < kLengthBytes; ++i) {
        stored[i] = static_cast<unsigned char>(bitmap.size() >> (8 * i));
    }
    if (compress2(stored.data() + kLengthBytes, &packedSize,
                  reinterpret_cast<const Bytef*>(bitmap.data()), static_cast<uLong>(bitmap.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        return std::nullopt;
    }
    stored.resize(kLengthBytes + packedSize);
    return stored;
}

} // namespace pictures
