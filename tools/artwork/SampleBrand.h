#pragma once
// A second, small sample brand: the pictures and identity of another product ("Harbor Suite 5"
// by "Harbor Works"), to show and test a program built from a brand folder of its own. It holds
// the two page backgrounds, pale entry faces and help strip of its own, each also at twice the
// size, the icon and brand.ini, whose text colours suit the pale faces: only the spare
// background stays the sample's.

#include "Bitmaps.h"

#include <string>
#include <vector>

namespace images {

namespace harbor {

constexpr Colour kDeepTeal{0, 70, 78};
constexpr Colour kTeal{0, 140, 140};
constexpr Colour kSand{244, 200, 120};
// The pale faces and strip, on which the texts are dark (brand.ini, [Colours]).
constexpr Rgb kFaceTop{252, 243, 224};
constexpr Rgb kFaceBottom{238, 210, 156};
constexpr Rgb kHotFaceTop{0, 112, 116};
constexpr Rgb kHotFaceBottom{0, 160, 160};
constexpr Rgb kStripTop{250, 247, 238};
constexpr Rgb kStripBottom{228, 214, 182};
constexpr Rgb kStripOutline{196, 184, 160};

// A page background: a teal band over white with the product's name and the maker's.
inline Picture Background(const char* title, const char* subtitle, int scale = 1) {
    using namespace design;
    Canvas canvas(kBackgroundWidth, kBackgroundHeight, kWhiteColour, scale);
    auto edge = [](double x) {
        const double t = x / 400;
        return 120 - 20 * t + 10 * t * t;
    };
    DrawBand(canvas, edge, kDeepTeal, kTeal, 330, 120);
    // A sand-coloured sun below the band.
    canvas.Fill(
        canvas.Whole(), [](double px, double py) { return Length(px - 320, py - 168) - 42; },
        kSand);
    TextStyle name;
    name.scale = 2.45;
    name.weight = 1.45;
    name.tracking = 0.55;
    DrawText(canvas, title, 22, 24, name);
    TextStyle tagline;
    tagline.scale = 1.05;
    tagline.weight = 1.25;
    tagline.tracking = 1.1;
    tagline.colour = Colour{200, 236, 232};
    DrawText(canvas, subtitle, 23, 66, tagline);
    TextStyle maker;
    maker.scale = 1.1;
    maker.weight = 1.5;
    maker.tracking = 0.8;
    maker.colour = kDeepTeal;
    DrawText(canvas, "Harbor Works", 392 - TextWidth("Harbor Works", maker), 274, maker);
    ClearPlainCorner(canvas);
    return canvas.ToPicture();
}

// The icon: a sand-coloured sun on a teal disc.
inline IconImage Icon(int size) {
    using namespace design;
    IconImage icon;
    icon.size = size;
    const double c = size / 2.0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double d = Length(x + 0.5 - c, y + 0.5 - c);
            const double coverage = Clamp01(0.5 - (d - (c - 0.4)));
            const Colour colour = Mix(kTeal, kSand, Clamp01(0.5 - (d - size * 0.22)));
            const std::uint8_t alpha = ToByte(255 * coverage);
            icon.rgba.push_back(alpha == 0 ? std::array<std::uint8_t, 4>{0, 0, 0, 0}
                                           : std::array<std::uint8_t, 4>{ToByte(colour.r),
                                                                         ToByte(colour.g),
                                                                         ToByte(colour.b), alpha});
        }
    }
    return icon;
}

constexpr char kBrandIni[] = "; The second sample brand: another product, its company and its "
                             "registry keys.\r\n"
                             "[Product]\r\n"
                             "Name=Harbor Suite 5\r\n"
                             "Company=Harbor Works\r\n"
                             "\r\n"
                             "[Registry]\r\n"
                             "InstallKey=SOFTWARE\\Harbor Works\\Harbor Suite\\Install\r\n"
                             "FolderValue=InstallDir\r\n"
                             "VersionKey=SOFTWARE\\Harbor Works\\Harbor Suite\\Install\r\n"
                             "Version=5.0\r\n"
                             "LanguageKey=SOFTWARE\\Harbor Works\\Harbor Suite\r\n"
                             "\r\n"
                             "[Colours]\r\n"
                             "EntryText=#00464E\r\n"
                             "EntryHotText=#FFFFFF\r\n"
                             "HelpText=#00464E\r\n"
                             "LabelText=#008C8C\r\n";

} // namespace harbor

// The files of the second sample brand folder.
inline std::vector<ResourceFile> SampleBrandFiles() {
    using namespace harbor;
    const auto tools = [](int scale) {
        return EncodeBmp(Quantise(Background("Harbor Tools", "Dock Planning", scale),
                                  {Rgb{255, 255, 255}, Rgb{0, 0, 0}}));
    };
    std::vector<ResourceFile> files{
        {"Install.ico", EncodeIcon({Icon(16), Icon(32)})},
        {"brand.ini", Bytes(std::begin(kBrandIni), std::end(kBrandIni) - 1)},
    };
    for (const int scale : {1, 2}) {
        const std::string suffix = scale == 2 ? "@2x.bmp" : ".bmp";
        files.push_back({"Background" + suffix,
                         EncodeBmp(Background("Harbor Suite", "Port Logistics", scale))});
        files.push_back({"BackgroundLumo" + suffix, tools(scale)});
        files.push_back(
            {"EntryNormal" + suffix, EncodeBmp(EntryFaceIn(kFaceTop, kFaceBottom, scale))});
        files.push_back(
            {"EntryHot" + suffix,
             EncodeBmp(EntryFaceIn(harbor::kHotFaceTop, harbor::kHotFaceBottom, scale))});
        files.push_back(
            {"HelpStrip" + suffix, EncodeBmp(HelpStripIn(harbor::kStripTop, harbor::kStripBottom,
                                                         kStripOutline, scale))});
    }
    return files;
}

} // namespace images
