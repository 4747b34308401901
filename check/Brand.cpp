#include "check/Brand.h"

#include "check/Checking.h"
#include "framework/text/CodePages.h"
#include "framework/text/StringUtil.h"
#include "menu/PageLayout.h"
#include "platform/profile/ProfileReader.h"
#include "platform/registry/RegistryViews.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

namespace check {

namespace {

// A picture the program carries: its file in a brand folder, its size, its bit depth, and
// whether the program carries a 2x form of it.
struct BrandPicture {
    const char* file;
    int width;
    int height;
    int bitsPerPixel;
    bool doubleSize;
};

// The faces keep a shadow of 3 pixels right of and below the entry's 185 x 37; the help strip
// is as wide as the widest client area.
constexpr int kFaceShadow = 3;
constexpr int kStripWidth = 600;

const BrandPicture kPictures[] = {
    {"Background.bmp", layout::kBackgroundWidth, layout::kBackgroundHeight, 24, true},
    {"BackgroundLumo.bmp", layout::kBackgroundWidth, layout::kBackgroundHeight, 8, true},
    {"BackgroundSpare.bmp", layout::kBackgroundWidth, layout::kBackgroundHeight, 8, false},
    {"EntryNormal.bmp", layout::kEntryWidth, layout::kEntryHeight + kFaceShadow, 24, true},
    {"EntryHot.bmp", layout::kEntryWidth, layout::kEntryHeight + kFaceShadow, 24, true},
    {"HelpStrip.bmp", kStripWidth, layout::kHelpAreaHeight, 24, true},
};
constexpr char kBitmapExtension[] = ".bmp";
constexpr char kPngExtension[] = ".png";
constexpr char kIconFile[] = "Install.ico";

// The keys of brand.ini, by section, and what their values must be.
enum class Value { Name, RegistryPath, RegistryView, Colour, Any };
struct BrandKey {
    const char* section;
    const char* key;
    Value value;
};
const BrandKey kBrandKeys[] = {
    {"Product", "Name", Value::Name},
    {"Product", "Company", Value::Name},
    {"Product", "FirstPackage", Value::Any},
    {"Product", "SecondPackage", Value::Any},
    {"Registry", "InstallKey", Value::RegistryPath},
    {"Registry", "FolderValue", Value::Any},
    {"Registry", "VersionKey", Value::RegistryPath},
    {"Registry", "Version", Value::Any},
    {"Registry", "LanguageKey", Value::RegistryPath},
    {"Registry", "LanguageKey2", Value::RegistryPath},
    {"Registry", "View", Value::RegistryView},
    {"Colours", "EntryText", Value::Colour},
    {"Colours", "EntryHotText", Value::Colour},
    {"Colours", "HelpText", Value::Colour},
    {"Colours", "LabelText", Value::Colour},
};

constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kValueBufferSize = 1024;

int Little(const std::string& bytes, std::size_t offset, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    }
    return static_cast<int>(static_cast<std::int32_t>(value));
}

Finding Make(Kind kind, const std::string& file, const std::string& section, const std::string& key,
             const std::string& message) {
    return {SeverityOf(kind), kind, file, section, key, message, {}};
}

std::string SizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

int Big(const std::string& bytes, std::size_t offset, int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    }
    return static_cast<int>(value);
}

// The file of a picture in the folder: "name.png" where there is one (the build converts it),
// else "name.bmp"; nothing when the folder has neither.
std::optional<std::string> PictureFile(const IDiscFiles& folder, const std::string& bitmapName) {
    const std::string stem = bitmapName.substr(0, bitmapName.rfind('.'));
    for (const char* extension : {kPngExtension, kBitmapExtension}) {
        if (folder.Exists(stem + extension)) {
            return stem + extension;
        }
    }
    return std::nullopt;
}

void CheckPicture(const IDiscFiles& folder, const std::string& file, const BrandPicture& picture,
                  int scale, std::vector<Finding>& findings) {
    const auto bytes = folder.Read(file);
    if (!bytes) {
        return; // left out: the sample's picture stays
    }
    const std::string extension = file.substr(file.rfind('.'));
    const bool png = text::EqualsNoCase(extension, kPngExtension);
    const auto format = png ? ReadPngFormat(*bytes) : ReadBitmapFormat(*bytes);
    if (!format) {
        findings.push_back(Make(Kind::BrandPictureUnreadable, file, "", "",
                                png ? "not a PNG file the build can convert (interlaced, or "
                                      "damaged): save it again without interlacing"
                                    : "not a bitmap file (.bmp): the program cannot carry it"));
        return;
    }
    const int width = picture.width * scale;
    const int height = picture.height * scale;
    if (format->width != width || format->height != height) {
        findings.push_back(Make(Kind::BrandPictureSize, file, "", "",
                                SizeText(format->width, format->height) + " pixels, not " +
                                    SizeText(width, height) +
                                    ": the page places its parts by the picture's fixed size"));
    }
    if (!png && format->bitsPerPixel != picture.bitsPerPixel) {
        findings.push_back(Make(Kind::BrandPictureDepth, file, "", "",
                                std::to_string(format->bitsPerPixel) + " bits per pixel, not " +
                                    std::to_string(picture.bitsPerPixel) +
                                    ": save it with the bit depth of the sample's picture"));
    }
}

std::string DoubleSizeName(const std::string& file) {
    const std::size_t dot = file.rfind('.');
    return file.substr(0, dot) + kDoubleSizeSuffix + file.substr(dot);
}

// Each picture at its size, and at twice it or else a warning: the build enlarges the brand's
// own picture for high DPI, which looks softer than one drawn at that size.
void CheckPictures(const IDiscFiles& folder, std::vector<Finding>& findings) {
    for (const BrandPicture& picture : kPictures) {
        const auto single = PictureFile(folder, picture.file);
        const auto twice = PictureFile(folder, DoubleSizeName(picture.file));
        if (single) {
            CheckPicture(folder, *single, picture, 1, findings);
        }
        if (twice) {
            CheckPicture(folder, *twice, picture, 2, findings);
        } else if (single && picture.doubleSize) {
            const std::string name = DoubleSizeName(picture.file);
            std::string message = "no " + name.substr(0, name.rfind('.'));
            message += ".png or " + name;
            message += " beside it: at more than 96 DPI the page shows this picture enlarged "
                       "from its ";
            message += SizeText(picture.width, picture.height);
            message += " pixels, softer; give it at ";
            message += SizeText(2 * picture.width, 2 * picture.height);
            findings.push_back(Make(Kind::NoDoublePicture, *single, "", "", message));
        }
    }
}

// Sections and keys the build never reads, most likely misspelt: their values would be lost
// and the sample's taken instead.
void CheckBrandKeyNames(const platform::ProfileReader& profile, const std::string& path,
                        std::vector<Finding>& findings) {
    std::vector<std::string> sections;
    for (const BrandKey& known : kBrandKeys) {
        if (sections.empty() || sections.back() != known.section) {
            sections.emplace_back(known.section);
        }
    }
    for (const std::string& section : profile.SectionNames(path, text::kWesternEuropean)) {
        const auto found = std::find_if(sections.begin(), sections.end(), [&](const auto& name) {
            return text::EqualsNoCase(name, section);
        });
        if (found == sections.end()) {
            const std::string nearest = Nearest(section, sections);
            findings.push_back(
                Make(Kind::UnknownKey, kBrandFile, section, "",
                     "the build reads no section of this name" +
                         (nearest.empty() ? "" : ": did you mean [" + nearest + "]?")));
            continue;
        }
        std::vector<std::string> keys;
        for (const BrandKey& known : kBrandKeys) {
            if (*found == known.section) {
                keys.emplace_back(known.key);
            }
        }
        for (const std::string& key : profile.KeyNames(path, text::kWesternEuropean, section)) {
            const bool comment = key.empty() || key[0] == ';' || key[0] == '#';
            const bool knownKey = std::any_of(keys.begin(), keys.end(), [&](const auto& name) {
                return text::EqualsNoCase(name, key);
            });
            if (!comment && !knownKey) {
                const std::string nearest = Nearest(key, keys);
                findings.push_back(
                    Make(Kind::UnknownKey, kBrandFile, *found, key,
                         "the build reads no key of this name, and takes the "
                         "sample product's value" +
                             (nearest.empty() ? "" : ": did you mean " + nearest + "?")));
            }
        }
    }
}

bool IsRegistryView(const std::string& value) {
    return registry_views::ParseChoice(value).has_value();
}

// What a value of each kind must be: the test, the finding where it is not, and what to write.
struct ValueRule {
    Value value;
    bool (*valid)(const std::string&);
    Kind kind;
    const char* explanation;
};
const ValueRule kValueRules[] = {
    {Value::RegistryPath, IsRegistryPath, Kind::BrandNotRegistryPath,
     "is no key under HKEY_LOCAL_MACHINE (names between single backslashes, without the root's "
     "name)"},
    {Value::Colour, IsColourValue, Kind::BrandColour,
     "is no colour: write it as #RRGGBB, its red, green and blue in hexadecimal (#FFFFFF is "
     "white)"},
    {Value::RegistryView, IsRegistryView, Kind::BrandRegistryView,
     "names no registry view: leave it empty for the 64-bit view and then the 32-bit one, or "
     "give 64 or 32"},
    {Value::Name, IsPlainName, Kind::BrandName,
     "cannot stand in the version resource and manifest: use printable ASCII without \" \\ < > "
     "&"},
};

void CheckIdentity(const IDiscFiles& folder, std::vector<Finding>& findings) {
    const auto path = folder.Locate(kBrandFile);
    if (!path) {
        return; // the sample product's identity stays
    }
    const platform::ProfileReader profile;
    for (const BrandKey& known : kBrandKeys) {
        const std::string value = profile.GetString(*path, text::kWesternEuropean, known.section,
                                                    known.key, "", kValueBufferSize);
        if (value.empty()) {
            continue; // the sample product's value stays
        }
        const auto rule = std::find_if(std::begin(kValueRules), std::end(kValueRules),
                                       [&](const ValueRule& r) { return r.value == known.value; });
        if (rule != std::end(kValueRules) && !rule->valid(value)) {
            findings.push_back(Make(rule->kind, kBrandFile, known.section, known.key,
                                    "\"" + value + "\" " + rule->explanation));
        }
    }
    CheckBrandKeyNames(profile, *path, findings);
}

} // namespace

std::optional<BitmapFormat> ReadBitmapFormat(const std::string& bytes) {
    constexpr std::size_t kFileHeader = 14;
    constexpr int kCoreHeader = 12; // the oldest header: 16-bit width and height
    if (bytes.size() < kFileHeader + kCoreHeader || bytes[0] != 'B' || bytes[1] != 'M') {
        return std::nullopt;
    }
    const int headerSize = Little(bytes, kFileHeader, 4);
    if (headerSize == kCoreHeader) {
        return BitmapFormat{Little(bytes, 18, 2), Little(bytes, 20, 2), Little(bytes, 24, 2)};
    }
    constexpr int kInfoHeader = 40;
    if (headerSize < kInfoHeader || bytes.size() < kFileHeader + kInfoHeader) {
        return std::nullopt;
    }
    const int height = Little(bytes, 22, 4);
    return BitmapFormat{Little(bytes, 18, 4), height < 0 ? -height : height, Little(bytes, 28, 2)};
}

std::optional<BitmapFormat> ReadPngFormat(const std::string& bytes) {
    static const std::string kSignature("\x89PNG\r\n\x1a\n", 8);
    constexpr std::size_t kHeaderEnd = 8 + 8 + 13; // signature, length and type, IHDR's data
    if (bytes.size() < kHeaderEnd || bytes.compare(0, 8, kSignature) != 0 ||
        bytes.compare(12, 4, "IHDR") != 0) {
        return std::nullopt;
    }
    const int depth = static_cast<unsigned char>(bytes[24]);
    const int colourType = static_cast<unsigned char>(bytes[25]);
    const int interlace = static_cast<unsigned char>(bytes[28]);
    // By colour type: the samples of a pixel, and whether it may have fewer than 8 bits
    // (grey and palette) or 16 (all but palette). 0 grey, 2 colour, 3 palette, 4 grey and
    // alpha, 6 colour and alpha.
    struct ColourType {
        int type;
        int channels;
        bool small;
        bool large;
    };
    constexpr ColourType kTypes[] = {
        {0, 1, true, true},  {2, 3, false, true}, {3, 1, true, false},
        {4, 2, false, true}, {6, 4, false, true},
    };
    const auto* known = std::find_if(std::begin(kTypes), std::end(kTypes),
                                     [&](const ColourType& t) { return t.type == colourType; });
    if (known == std::end(kTypes) || interlace != 0) {
        return std::nullopt;
    }
    const bool depthKnown = depth == 8 || (depth == 16 && known->large) ||
                            ((depth == 1 || depth == 2 || depth == 4) && known->small);
    if (!depthKnown) {
        return std::nullopt;
    }
    return BitmapFormat{Big(bytes, 16, 4), Big(bytes, 20, 4), depth * known->channels};
}

bool IsColourValue(const std::string& value) {
    return value.size() == 7 && value[0] == '#' &&
           std::all_of(value.begin() + 1, value.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
           });
}

bool IsRegistryPath(const std::string& key) {
    const std::vector<std::string> names = text::Split(key, '\\');
    const std::string root = names.empty() ? std::string() : names.front();
    if (text::StartsWithNoCase(root, "HKEY_") || text::EqualsNoCase(root, "HKLM") ||
        text::EqualsNoCase(root, "HKCU")) {
        return false;
    }
    for (const std::string& name : names) {
        if (name.empty() || name.size() > kMaxKeyNameLength) {
            return false;
        }
        for (const char c : name) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                return false;
            }
        }
    }
    return !names.empty();
}

bool IsPlainName(const std::string& name) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E || c == '"' || c == '\\' || c == '<' || c == '>' ||
            c == '&') {
            return false;
        }
    }
    return !name.empty();
}

Report CheckBrand(const IDiscFiles& folder) {
    Report report;
    report.brand = true;
    std::vector<Finding>& findings = report.findings;
    CheckPictures(folder, findings);
    if (!folder.Exists(kIconFile)) {
        findings.push_back(Make(Kind::BrandIconMissing, kIconFile, "", "",
                                "no icon: the program and the disc show the sample's icon"));
    }
    CheckIdentity(folder, findings);
    for (const Finding& finding : findings) {
        ++(finding.severity == Severity::Error     ? report.errors
           : finding.severity == Severity::Warning ? report.warnings
                                                   : report.notes);
    }
    return report;
}

} // namespace check
