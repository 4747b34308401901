#include "framework/StoredPicture.h"

#include <zlib.h>

namespace pictures {

namespace {

constexpr std::size_t kLengthBytes = 4;

// The length that the stored picture says its bitmap has; 0 when it is no stored picture.
std::size_t StoredLength(const unsigned char* bytes, std::size_t size) {
    if (bytes == nullptr || size <= kLengthBytes) {
        return 0;
    }
    std::size_t length = 0;
    for (std::size_t i = 0; i < kLengthBytes; ++i) {
        length |= std::size_t{bytes[i]} << (8 * i);
    }
    return length <= kMostBitmapBytes ? length : 0;
}

} // namespace

std::optional<std::vector<unsigned char>> Decode(const void* stored, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(stored);
    const std::size_t length = StoredLength(bytes, size);
    if (length == 0) {
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

std::optional<std::vector<unsigned char>> DecodeStart(const void* stored, std::size_t size,
                                                      std::size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(stored);
    const std::size_t length = StoredLength(bytes, size);
    if (length == 0 || count > length) {
        return std::nullopt;
    }
    std::vector<unsigned char> start(count);
    z_stream stream{};
    stream.next_in = const_cast<Bytef*>(bytes + kLengthBytes); // zlib's interface, never written
    stream.avail_in = static_cast<uInt>(size - kLengthBytes);
    stream.next_out = start.data();
    stream.avail_out = static_cast<uInt>(count);
    if (inflateInit(&stream) != Z_OK) {
        return std::nullopt;
    }
    int status = Z_OK;
    while (stream.avail_out > 0 && status == Z_OK) {
        status = inflate(&stream, Z_SYNC_FLUSH);
    }
    inflateEnd(&stream);
    if (stream.avail_out != 0 || (status != Z_OK && status != Z_STREAM_END)) {
        return std::nullopt;
    }
    return start;
}

} // namespace pictures
