#include "brand/BrandPictures.h"

#include "brand/BitmapFiles.h"
#include "brand/Png.h"
#include "menu/PageLayout.h"
#include "res/resource.h"

#include <optional>

namespace brand {

namespace {

// A picture of the page: its name, resource id, size, bit depth, whether the program carries
// a 2x form of it, and the colour behind it on the page.
struct PagePicture {
    const char* name;
    unsigned id;
    int width;
    int height;
    int bits;
    bool doubleSize;
    Rgb behind;
};

// The faces keep a shadow of 3 pixels right of and below the entry; the help strip is as wide
// as the widest client area.
constexpr int kFaceShadow = 3;
constexpr int kStripWidth = 600;

const PagePicture kPictures[] = {
    {"Background", IDB_BACKGROUND, layout::kBackgroundWidth, layout::kBackgroundHeight, 24, true,
     kWhite},
    {"BackgroundLumo", IDB_BACKGROUND_LUMO, layout::kBackgroundWidth, layout::kBackgroundHeight, 8,
     true, kWhite},
    {"BackgroundSpare", IDB_BACKGROUND_SPARE, layout::kBackgroundWidth, layout::kBackgroundHeight,
     8, false, kWhite},
    {"EntryNormal", IDB_ENTRY_NORMAL, layout::kEntryWidth, layout::kEntryHeight + kFaceShadow, 24,
     true, kWhite},
    {"EntryHot", IDB_ENTRY_HOT, layout::kEntryWidth, layout::kEntryHeight + kFaceShadow, 24, true,
     kWhite},
    {"HelpStrip", IDB_HELP_STRIP, kStripWidth, layout::kHelpAreaHeight, 24, true, kWhite},
};

constexpr char kDouble[] = "@2x";

// A picture's file in the folder: its PNG file where there is one, else its bitmap file.
struct Source {
    std::string name;
    std::string bytes;
    bool png = false;
};

std::optional<Source> Find(const check::IDiscFiles& folder, const std::string& stem) {
    for (const bool png : {true, false}) {
        const std::string name = stem + (png ? ".png" : ".bmp");
        if (auto bytes = folder.Read(name)) {
            return Source{name, std::move(*bytes), png};
        }
    }
    return std::nullopt;
}

std::string Written(const Image& image, int bits, const std::vector<Rgb>& palette) {
    return bits == 24 ? Bitmap24(image) : Bitmap8(image, palette);
}

std::string Size(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

} // namespace

PicturesOrError MakePictures(const check::IDiscFiles& folder) {
    PicturesOrError result;
    for (const PagePicture& picture : kPictures) {
        const std::optional<Source> single = Find(folder, picture.name);
        std::optional<std::vector<Rgb>> palette; // of a 1x picture converted from PNG
        for (const int scale : {1, 2}) {
            const std::string stem =
                scale == 1 ? picture.name : picture.name + std::string(kDouble);
            const unsigned id = picture.id + (scale == 2 ? IDB_DOUBLE_SIZE_OFFSET : 0);
            const std::string target = stem + ".bmp";
            const std::optional<Source> source = scale == 1 ? single : Find(folder, stem);
            if (scale == 2 && !picture.doubleSize) {
                break; // the program carries no 2x form of it
            }
            if (source && !source->png) {
                result.pictures.push_back({id, target, source->bytes, "taken as it is"});
                continue;
            }
            if (source) {
                ImageOrError read = ReadPng(source->bytes, picture.behind);
                if (!read.image) {
                    result.error = source->name + ": " + read.error;
                    return result;
                }
                const int width = picture.width * scale;
                const int height = picture.height * scale;
                if (read.image->width != width || read.image->height != height) {
                    result.error = source->name + " is " +
                                   Size(read.image->width, read.image->height) + " pixels, not " +
                                   Size(width, height);
                    return result;
                }
                std::vector<Rgb> colours;
                if (picture.bits != 24) {
                    colours = PaletteOf(*read.image);
                    if (scale == 1) {
                        palette = colours;
                    }
                }
                result.pictures.push_back({id, target, Written(*read.image, picture.bits, colours),
                                           "converted from " + source->name});
            } else if (scale == 2 && single) {
                ImageOrError one =
                    single->png ? ReadPng(single->bytes, picture.behind) : ReadBmp(single->bytes);
                if (!one.image) {
                    result.error = single->name + ": " + one.error;
                    return result;
                }
                const Image twice = Enlarged(*one.image);
                const std::vector<Rgb> colours = picture.bits == 24 ? std::vector<Rgb>{}
                                                 : palette          ? *palette
                                                                    : PaletteOf(twice);
                result.pictures.push_back({id, target, Written(twice, picture.bits, colours),
                                           single->name + " enlarged to twice its size"});
            }
        }
    }
    return result;
}

} // namespace brand
