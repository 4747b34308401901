// The stored form of the program's pictures: sample pictures come back byte for byte as their
// bitmap resources, much smaller; damaged or foreign bytes give no picture.

#include "framework/StoredPicture.h"
#include "tools/artwork/Bitmaps.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace {

std::string AsString(const std::vector<unsigned char>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::optional<std::vector<unsigned char>> DecodeString(const std::string& stored) {
    return pictures::Decode(stored.data(), stored.size());
}

TEST(StoredPicture, SamplePicturesDecodeToTheirBitmapResources) {
    // One of each kind: 24 bits and 256 colours, a background, a face and the strip.
    const std::vector<std::pair<const char*, images::Bytes>> files{
        {"Background.bmp", images::EncodeBmp(images::MainBackground())},
        {"BackgroundLumo.bmp", images::EncodeBmp(images::LumoBackground())},
        {"EntryHot.bmp", images::EncodeBmp(images::EntryFace(true))},
        {"HelpStrip@2x.bmp", images::EncodeBmp(images::HelpStrip(2))},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const std::string bmp = AsString(bytes);
        const auto stored = pictures::Encode(bmp);
        ASSERT_TRUE(stored);
        EXPECT_LT(stored->size(), bmp.size() / 4) << "compressed";
        const auto decoded = pictures::Decode(stored->data(), stored->size());
        ASSERT_TRUE(decoded);
        // What a bitmap resource holds: the file without its 14-byte file header.
        EXPECT_EQ(AsString(*decoded), bmp.substr(14));
        // Its header alone, and all of it, from the start of the stream.
        for (const std::size_t count : {std::size_t{40}, decoded->size()}) {
            const auto start = pictures::DecodeStart(stored->data(), stored->size(), count);
            ASSERT_TRUE(start) << count;
            EXPECT_EQ(AsString(*start), bmp.substr(14, count));
        }
        EXPECT_FALSE(pictures::DecodeStart(stored->data(), stored->size(), decoded->size() + 1));
    }
}

TEST(StoredPicture, EncodesBitmapFilesOnly) {
    const std::string bmp = AsString(images::EncodeBmp(images::EntryFace(false)));
    const std::vector<std::pair<std::string, bool>> rows{
        {bmp, true},
        {"", false},
        {"BM", false},
        {"BM" + std::string(23, '\0'), false}, // shorter than the smallest headers
        {"BM" + std::string(24, '\0'), true},
        {"XX" + bmp.substr(2), false},
        {"\x89PNG\r\n\x1a\n" + std::string(100, '\0'), false},
    };
    for (const auto& [file, encoded] : rows) {
        EXPECT_EQ(pictures::Encode(file).has_value(), encoded) << file.size() << " bytes";
    }
}

TEST(StoredPicture, DamagedBytesGiveNoPicture) {
    const auto good = pictures::Encode(AsString(images::EncodeBmp(images::HelpStrip())));
    ASSERT_TRUE(good);
    const std::string stored = AsString(*good);
    ASSERT_TRUE(DecodeString(stored));

    const auto withLength = [&](std::size_t length) {
        std::string changed = stored;
        for (std::size_t i = 0; i < 4; ++i) {
            changed[i] = static_cast<char>(length >> (8 * i));
        }
        return changed;
    };
    const std::size_t length = DecodeString(stored)->size();
    std::string flipped = stored;
    flipped[stored.size() / 2] = static_cast<char>(flipped[stored.size() / 2] ^ 0x10);
    const std::vector<std::pair<std::string, const char*>> rows{
        {"", "nothing"},
        {stored.substr(0, 4), "a length alone"},
        {withLength(length + 1), "a length larger than the stream"},
        {withLength(length - 1), "a length smaller than the stream"},
        {withLength(0), "a length of 0"},
        {withLength(pictures::kMostBitmapBytes + 1), "a length beyond the largest picture"},
        {flipped, "a changed byte in the stream"},
        {std::string(4, '\x10') + std::string(100, 'x'), "no zlib stream"},
    };
    for (const auto& [bytes, what] : rows) {
        EXPECT_FALSE(DecodeString(bytes)) << what;
    }
    EXPECT_FALSE(pictures::DecodeStart(stored.data(), 20, 40)) << "a stream cut before the header";
    EXPECT_FALSE(pictures::DecodeStart("\x10\0\0\0xxxxxxxx", 12, 8)) << "no zlib stream";
    EXPECT_FALSE(pictures::Decode(nullptr, 10));
    // Cut short anywhere, it gives no picture rather than part of one.
    for (std::size_t cut = 0; cut < stored.size(); cut += 1 + stored.size() / 97) {
        EXPECT_FALSE(DecodeString(stored.substr(0, cut))) << cut;
    }
}

} // namespace
