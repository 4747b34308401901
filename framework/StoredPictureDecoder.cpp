#include "framework/StoredPicture.h"

#include <zlib.h>

namespace pictures {

namespace {
constexpr std::size_t kLengthBytes = 4;
} // namespace

std::optional<std::vector<unsigned char>> Decode(const void* stored, std::size_t size) {
    if (stored == nullptr || size <= kLengthBytes) {
        return std::nullopt;
    }
    const auto* bytes = static_cast<const unsigned char*>(stored);
    std::size_t length = 0;
    for (std::size_t i = 0; i < kLengthBytes; ++i) {
        length |= std::size_t{bytes[i]} << (8 * i);
    }
    if (length == 0 || length > kMostBitmapBytes) {
        return std::nullopt;
    }
    std::vector<unsigned char> bitmap(length);
    uLongf decoded = static_cast<uLongf>(length);
    // uncompress checks the stream's own checksum, and fails on a stream that holds more than
    // `length` bytes or ends early.
    if (uncompress(bitmap.data(), &decoded, bytes + kLengthBytes,
                   static_cast<uLong>(size - kLengthBytes)) != Z_OK ||
        decoded != length) {
        return std::nullopt;
    }
    return bitmap;
}

} // namespace pictures
