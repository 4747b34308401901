// The generated pictures of the resources: exact colours of the entry faces and the help strip,
// the plain white corner of the main background, and the layout of the BMP and icon files.

#include "tools/artwork/Bitmaps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using images::Bytes;
using images::Picture;
using images::ReadU16;
using images::ReadU32;
using images::Rgb;

::testing::AssertionResult IsColour(const Picture& picture, int x, int y, Rgb expected) {
    const Rgb actual = picture.At(x, y);
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is RGB(" << int(actual.r) << ", " << int(actual.g)
           << ", " << int(actual.b) << "), expected RGB(" << int(expected.r) << ", "
           << int(expected.g) << ", " << int(expected.b) << ")";
}

int GreyOf(const Picture& picture, int x, int y) {
    const Rgb c = picture.At(x, y);
    EXPECT_TRUE(c.r == c.g && c.g == c.b) << "shadow pixel (" << x << ", " << y << ") not grey";
    return c.r;
}

// --- Entry faces -------------------------------------------------------------------------------

TEST(EntryFace, NormalBodyRunsFromLightBlueToStrongBlue) {
    const Picture face = images::EntryFace(false);
    ASSERT_EQ(face.Width(), 185);
    ASSERT_EQ(face.Height(), 40);
    for (int x = 0; x <= 181; ++x) {
        EXPECT_TRUE(IsColour(face, x, 0, Rgb{153, 200, 226}));
        EXPECT_TRUE(IsColour(face, x, 17, Rgb{80, 160, 207}));
        EXPECT_TRUE(IsColour(face, x, 35, Rgb{3, 117, 187}));
    }
}

TEST(EntryFace, HotBodyIsTheReversedGradient) {
    const Picture face = images::EntryFace(true);
    ASSERT_EQ(face.Width(), 185);
    ASSERT_EQ(face.Height(), 40);
    for (int x = 0; x <= 181; ++x) {
        EXPECT_TRUE(IsColour(face, x, 0, Rgb{0, 117, 186}));
        EXPECT_TRUE(IsColour(face, x, 17, Rgb{74, 157, 206}));
        EXPECT_TRUE(IsColour(face, x, 35, Rgb{152, 199, 227}));
    }
}

TEST(EntryFace, BodyChangesSteadilyFromRowToRow) {
    for (const bool hot : {false, true}) {
        const Picture face = images::EntryFace(hot);
        for (int y = 1; y <= 35; ++y) {
            const Rgb above = face.At(0, y - 1);
            const Rgb here = face.At(0, y);
            // Each channel moves by at most its whole change / 35, rounded up, per row.
            EXPECT_LE(std::abs(int(here.r) - int(above.r)), 5) << "row " << y;
            EXPECT_LE(std::abs(int(here.g) - int(above.g)), 3) << "row " << y;
            EXPECT_LE(std::abs(int(here.b) - int(above.b)), 2) << "row " << y;
            if (hot) {
                EXPECT_GE(here.r, above.r);
            } else {
                EXPECT_LE(here.r, above.r);
            }
        }
    }
}

TEST(EntryFace, ShadowIsDarkestNextToTheBodyAndFadesOutward) {
    for (const bool hot : {false, true}) {
        const Picture face = images::EntryFace(hot);
        for (int y = 0; y <= 35; ++y) {
            const int inner = GreyOf(face, 182, y);
            const int middle = GreyOf(face, 183, y);
            const int outer = GreyOf(face, 184, y);
            EXPECT_GE(inner, 100);
            EXPECT_LE(inner, 136);
            EXPECT_LT(inner, middle);
            EXPECT_LT(middle, outer);
            EXPECT_GE(outer, 220);
            EXPECT_LE(outer, 249);
        }
        for (int x = 0; x <= 184; ++x) {
            int previous = 0;
            for (int y = 36; y <= 39; ++y) {
                const int grey = GreyOf(face, x, y);
                EXPECT_GT(grey, previous) << "column " << x << " row " << y;
                previous = grey;
            }
            EXPECT_GE(previous, 220) << "column " << x;
            EXPECT_LE(previous, 249) << "column " << x;
        }
        for (int x = 0; x <= 182; ++x) {
            const int inner = GreyOf(face, x, 36);
            EXPECT_GE(inner, 100) << "column " << x;
            EXPECT_LE(inner, 136) << "column " << x;
        }
    }
}

TEST(EntryFace, BothFacesShareTheShadow) {
    const Picture normal = images::EntryFace(false);
    const Picture hot = images::EntryFace(true);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 185; ++x) {
            if (x > 181 || y > 35) {
                EXPECT_TRUE(normal.At(x, y) == hot.At(x, y)) << x << ", " << y;
            }
        }
    }
}

// --- Help strip --------------------------------------------------------------------------------

TEST(HelpStrip, GradientRunsFromTopToBottomOutsideThePanel) {
    const Picture strip = images::HelpStrip();
    ASSERT_EQ(strip.Width(), 600);
    ASSERT_EQ(strip.Height(), 40);
    for (const int x : {0, 4, 300, 594, 599}) {
        EXPECT_TRUE(IsColour(strip, x, 0, Rgb{241, 248, 253}));
        EXPECT_TRUE(IsColour(strip, x, 39, Rgb{99, 169, 229}));
    }
    EXPECT_TRUE(IsColour(strip, 0, 20, Rgb{168, 207, 241}));
    EXPECT_TRUE(IsColour(strip, 599, 20, Rgb{168, 207, 241}));
    EXPECT_TRUE(strip.At(300, 4) == strip.At(0, 4));
    EXPECT_TRUE(strip.At(300, 34) == strip.At(0, 34));
}

TEST(HelpStrip, PanelHasALightGreyOutlineAndAWhiteInside) {
    const Picture strip = images::HelpStrip();
    const Rgb outline{192, 192, 192};
    for (int x = 10; x <= 588; ++x) {
        EXPECT_TRUE(IsColour(strip, x, 5, outline));
        EXPECT_TRUE(IsColour(strip, x, 33, outline));
    }
    for (int y = 10; y <= 28; ++y) {
        EXPECT_TRUE(IsColour(strip, 5, y, outline));
        EXPECT_TRUE(IsColour(strip, 593, y, outline));
    }
    for (int y = 6; y <= 32; ++y) {
        for (int x = 10; x <= 588; ++x) {
            ASSERT_TRUE(IsColour(strip, x, y, images::kWhite));
        }
    }
    for (int y = 10; y <= 28; ++y) {
        for (int x = 6; x <= 592; ++x) {
            ASSERT_TRUE(IsColour(strip, x, y, images::kWhite));
        }
    }
}

TEST(HelpStrip, PanelCornersAreRounded) {
    const Picture strip = images::HelpStrip();
    // The outline's corner points themselves keep the gradient.
    EXPECT_TRUE(strip.At(5, 5) == strip.At(0, 5));
    EXPECT_TRUE(strip.At(593, 5) == strip.At(0, 5));
    EXPECT_TRUE(strip.At(5, 33) == strip.At(0, 33));
    EXPECT_TRUE(strip.At(593, 33) == strip.At(0, 33));
    // Each corner is closed: a grey pixel on the diagonal separates inside from outside.
    EXPECT_TRUE(IsColour(strip, 6, 6, Rgb{192, 192, 192}));
    EXPECT_TRUE(IsColour(strip, 592, 32, Rgb{192, 192, 192}));
}

// --- Backgrounds -------------------------------------------------------------------------------

TEST(MainBackground, LowerLeftWhereLabelAndChooserSitIsPlainWhite) {
    const Picture background = images::MainBackground();
    ASSERT_EQ(background.Width(), 400);
    ASSERT_EQ(background.Height(), 300);
    for (int y = 220; y < 300; ++y) {
        for (int x = 0; x <= 219; ++x) {
            ASSERT_TRUE(IsColour(background, x, y, images::kWhite));
        }
    }
}

TEST(MainBackground, HasADarkBlueHeaderAndAPicture) {
    const Picture background = images::MainBackground();
    const Rgb corner = background.At(2, 2);
    EXPECT_LT(corner.r, 40);
    EXPECT_GT(corner.b, 80);
    int coloured = 0;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) {
            coloured += background.At(x, y) != images::kWhite ? 1 : 0;
        }
    }
    EXPECT_GT(coloured, 400 * 300 / 3);
}

TEST(LumoBackground, IsADistinct256ColourPictureWithTheSamePlainCorner) {
    const images::IndexedPicture lumo = images::LumoBackground();
    const Picture main = images::MainBackground();
    ASSERT_EQ(lumo.Width(), 400);
    ASSERT_EQ(lumo.Height(), 300);
    std::set<int> used;
    int differing = 0;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) {
            used.insert(lumo.IndexAt(x, y));
            differing += lumo.At(x, y) != main.At(x, y) ? 1 : 0;
            if (x <= 219 && y >= 220) {
                ASSERT_TRUE(lumo.At(x, y) == images::kWhite) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(used.size(), 128u) << "the colour table is hardly used";
    EXPECT_GT(differing, 400 * 300 / 10);
}

TEST(SpareBackground, IsA256ColourPicture) {
    const images::IndexedPicture spare = images::SpareBackground();
    EXPECT_EQ(spare.Width(), 400);
    EXPECT_EQ(spare.Height(), 300);
    EXPECT_EQ(spare.Colours().size(), 256u);
}

// --- BMP files ---------------------------------------------------------------------------------

struct BmpHeader {
    std::uint32_t fileSize, bitsOffset, infoSize, width, height, planes, bitCount, compression,
        imageSize, coloursUsed;
};

BmpHeader ReadHeader(const Bytes& file) {
    EXPECT_EQ(file.at(0), 'B');
    EXPECT_EQ(file.at(1), 'M');
    EXPECT_EQ(ReadU32(file, 6), 0u) << "reserved fields";
    return BmpHeader{ReadU32(file, 2),  ReadU32(file, 10), ReadU32(file, 14), ReadU32(file, 18),
                     ReadU32(file, 22), ReadU16(file, 26), ReadU16(file, 28), ReadU32(file, 30),
                     ReadU32(file, 34), ReadU32(file, 46)};
}

TEST(BmpFile, TrueColourFaceHasPaddedRowsStoredBottomUp) {
    const Bytes file = images::EncodeBmp(images::EntryFace(false));
    const BmpHeader h = ReadHeader(file);
    EXPECT_EQ(h.fileSize, file.size());
    EXPECT_EQ(h.bitsOffset, 54u);
    EXPECT_EQ(h.infoSize, 40u);
    EXPECT_EQ(h.width, 185u);
    EXPECT_EQ(h.height, 40u) << "positive height: rows bottom-up";
    EXPECT_EQ(h.planes, 1u);
    EXPECT_EQ(h.bitCount, 24u);
    EXPECT_EQ(h.compression, 0u);
    EXPECT_EQ(h.coloursUsed, 0u);
    const std::size_t stride = 556; // 185 * 3 = 555, padded to 4 bytes
    EXPECT_EQ(h.imageSize, stride * 40);
    ASSERT_EQ(file.size(), 54 + stride * 40);
    for (std::size_t row = 0; row < 40; ++row) {
        EXPECT_EQ(file[54 + row * stride + 555], 0) << "padding byte of row " << row;
    }
    // The first stored row is the picture's bottom row (the shadow), the last one its top row.
    const std::size_t top = 54 + 39 * stride;
    EXPECT_EQ(file[top + 0], 226); // blue
    EXPECT_EQ(file[top + 1], 200); // green
    EXPECT_EQ(file[top + 2], 153); // red
    EXPECT_EQ(file[54], file[55]);
    EXPECT_GE(file[54], 220) << "bottom row is the outermost shadow row";
}

TEST(BmpFile, HelpStripAndBackgroundRowsNeedNoPadding) {
    const Bytes strip = images::EncodeBmp(images::HelpStrip());
    const BmpHeader s = ReadHeader(strip);
    EXPECT_EQ(s.width, 600u);
    EXPECT_EQ(s.height, 40u);
    EXPECT_EQ(s.bitCount, 24u);
    EXPECT_EQ(s.imageSize, 1800u * 40);
    EXPECT_EQ(strip.size(), 54u + 1800 * 40);

    const Bytes background = images::EncodeBmp(images::MainBackground());
    const BmpHeader b = ReadHeader(background);
    EXPECT_EQ(b.width, 400u);
    EXPECT_EQ(b.height, 300u);
    EXPECT_EQ(b.bitCount, 24u);
    EXPECT_EQ(b.coloursUsed, 0u);
    EXPECT_EQ(b.imageSize, 1200u * 300);
    EXPECT_EQ(b.fileSize, background.size());
    // Bottom left pixel is the first one stored: plain white.
    EXPECT_EQ(background[54], 255);
    EXPECT_EQ(background[55], 255);
    EXPECT_EQ(background[56], 255);
}

TEST(BmpFile, EightBitBackgroundsCarryAFull256ColourTable) {
    for (const images::IndexedPicture& picture :
         {images::LumoBackground(), images::SpareBackground()}) {
        const Bytes file = images::EncodeBmp(picture);
        const BmpHeader h = ReadHeader(file);
        EXPECT_EQ(h.bitsOffset, 14u + 40 + 256 * 4);
        EXPECT_EQ(h.width, 400u);
        EXPECT_EQ(h.height, 300u);
        EXPECT_EQ(h.bitCount, 8u);
        EXPECT_EQ(h.compression, 0u);
        EXPECT_EQ(h.coloursUsed, 256u);
        EXPECT_EQ(h.imageSize, 400u * 300);
        EXPECT_EQ(h.fileSize, file.size());
        ASSERT_EQ(file.size(), 1078u + 400 * 300);
        for (std::size_t i = 0; i < 256; ++i) {
            const Rgb c = picture.Colours()[i];
            EXPECT_EQ(file[54 + 4 * i], c.b);
            EXPECT_EQ(file[54 + 4 * i + 1], c.g);
            EXPECT_EQ(file[54 + 4 * i + 2], c.r);
            EXPECT_EQ(file[54 + 4 * i + 3], 0);
        }
        EXPECT_EQ(file[1078], picture.IndexAt(0, 299));
        EXPECT_EQ(file[1078 + 299 * 400 + 399], picture.IndexAt(399, 0));
    }
}

// --- Icon file ---------------------------------------------------------------------------------

TEST(IconFile, HoldsA16And32PixelImageWith32BitsAndAMask) {
    const Bytes file = images::EncodeIcon({images::DiscIcon(16), images::DiscIcon(32)});
    EXPECT_EQ(ReadU16(file, 0), 0u);
    EXPECT_EQ(ReadU16(file, 2), 1u) << "type: icon";
    ASSERT_EQ(ReadU16(file, 4), 2u);
    std::size_t expectedOffset = 6 + 2 * 16;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const unsigned size = i == 0 ? 16 : 32;
        EXPECT_EQ(file[entry], size);
        EXPECT_EQ(file[entry + 1], size);
        EXPECT_EQ(file[entry + 2], 0) << "no colour table";
        EXPECT_EQ(ReadU16(file, entry + 4), 1u) << "planes";
        EXPECT_EQ(ReadU16(file, entry + 6), 32u) << "bits per pixel";
        const std::uint32_t bytes = ReadU32(file, entry + 8);
        const std::uint32_t offset = ReadU32(file, entry + 12);
        EXPECT_EQ(offset, expectedOffset);
        const std::size_t maskStride = 4; // 16 or 32 bits, padded to 4 bytes
        EXPECT_EQ(bytes, 40 + size * size * 4 + maskStride * size);
        EXPECT_EQ(ReadU32(file, offset), 40u);
        EXPECT_EQ(ReadU32(file, offset + 4), size);
        EXPECT_EQ(ReadU32(file, offset + 8), 2 * size) << "colour rows and mask rows";
        EXPECT_EQ(ReadU16(file, offset + 14), 32u);

        // The corner and the hole in the middle are transparent and masked; the ring is opaque.
        const std::size_t colours = offset + 40;
        const std::size_t mask = colours + size * size * 4;
        auto alpha = [&](unsigned x, unsigned y) {
            return file[colours + ((size - 1 - y) * size + x) * 4 + 3];
        };
        auto masked = [&](unsigned x, unsigned y) {
            return ((file[mask + (size - 1 - y) * maskStride + x / 8] >> (7 - x % 8)) & 1) != 0;
        };
        EXPECT_EQ(alpha(0, 0), 0);
        EXPECT_TRUE(masked(0, 0));
        EXPECT_EQ(alpha(size / 2, size / 2), 0);
        EXPECT_TRUE(masked(size / 2, size / 2));
        EXPECT_EQ(alpha(size / 2, 2), 255);
        EXPECT_FALSE(masked(size / 2, 2));
        const std::uint8_t* ring = &file[colours + ((size - 1 - 2) * size + size / 2) * 4];
        EXPECT_GT(ring[0], ring[2]) << "the emblem is blue";
        expectedOffset += bytes;
    }
    EXPECT_EQ(file.size(), expectedOffset);
}

// The mean difference per channel between the 1x picture and the 2x one shrunk by averaging
// each 2 x 2 block: small when the 2x picture is the same drawing at twice the detail.
double MeanDifferenceFromHalved(const Picture& single, const Picture& twice) {
    double total = 0;
    for (int y = 0; y < single.Height(); ++y) {
        for (int x = 0; x < single.Width(); ++x) {
            const auto channel = [&](std::uint8_t Rgb::*c) {
                const int sum = twice.At(2 * x, 2 * y).*c + twice.At(2 * x + 1, 2 * y).*c +
                                twice.At(2 * x, 2 * y + 1).*c + twice.At(2 * x + 1, 2 * y + 1).*c;
                return std::abs(sum / 4.0 - single.At(x, y).*c);
            };
            total += channel(&Rgb::r) + channel(&Rgb::g) + channel(&Rgb::b);
        }
    }
    return total / (3.0 * single.Width() * single.Height());
}

TEST(DoublePictures, AreTheSameDrawingsAtTwiceTheSize) {
    const std::vector<std::pair<Picture, Picture>> pairs{
        {images::MainBackground(), images::MainBackground(2)},
        {images::EntryFace(false), images::EntryFace(false, 2)},
        {images::EntryFace(true), images::EntryFace(true, 2)},
        {images::HelpStrip(), images::HelpStrip(2)},
    };
    for (const auto& [single, twice] : pairs) {
        ASSERT_EQ(twice.Width(), 2 * single.Width());
        ASSERT_EQ(twice.Height(), 2 * single.Height());
        EXPECT_LT(MeanDifferenceFromHalved(single, twice), 3.0);
        const Rgb first = twice.At(0, 0), expected = single.At(0, 0);
        EXPECT_LE(std::abs(first.r - expected.r) + std::abs(first.g - expected.g) +
                      std::abs(first.b - expected.b),
                  3);
    }
    // Not the 1x picture with its pixels doubled: the background's edges are drawn anew.
    const Picture twice = images::MainBackground(2);
    int differing = 0;
    for (int y = 0; y + 1 < twice.Height(); y += 2) {
        for (int x = 0; x + 1 < twice.Width(); x += 2) {
            differing += twice.At(x, y) == twice.At(x + 1, y + 1) ? 0 : 1;
        }
    }
    EXPECT_GT(differing, 1000);
}

TEST(ResourceFiles, NameEveryFileThatInstallRcReferencesOnce) {
    const auto files = images::ResourceFiles();
    ASSERT_EQ(files.size(), 12u);
    std::set<std::string> names;
    for (const images::ResourceFile& file : files) {
        names.insert(file.name);
        EXPECT_GT(file.bytes.size(), 1000u) << file.name;
    }
    EXPECT_EQ(names, (std::set<std::string>{"Install.ico", "Background.bmp", "EntryNormal.bmp",
                                            "HelpStrip.bmp", "BackgroundLumo.bmp", "EntryHot.bmp",
                                            "BackgroundSpare.bmp", "Background@2x.bmp",
                                            "EntryNormal@2x.bmp", "HelpStrip@2x.bmp",
                                            "BackgroundLumo@2x.bmp", "EntryHot@2x.bmp"}));
}

} // namespace
