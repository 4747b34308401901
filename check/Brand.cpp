#include "check/Brand.h"

#include "check/Checking.h"
#include "framework/CodePages.h"
#include "framework/StringUtil.h"
#include "menu/PageLayout.h"
#include "platform/portable/ProfileReader.h"
#include "platform/portable/RegistryViews.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace check {

namespace {

// A picture the program carries: its file in a brand folder, its size and its bit depth.
struct BrandPicture {
    const char* file;
    int width;
    int height;
    int bitsPerPixel;
};

// The faces keep a shadow of 3 pixels right of and below the entry's 185 x 37; the help strip
// is as wide as the widest client area.
constexpr int kFaceShadow = 3;
constexpr int kStripWidth = 600;

const BrandPicture kPictures[] = {
    {"Background.bmp", layout::kBackgroundWidth, layout::kBackgroundHeight, 24},
    {"BackgroundLumo.bmp", layout::kBackgroundWidth, layout::kBackgroundHeight, 8},
    {"BackgroundSpare.bmp", layout::kBackgroundWidth, layout::kBackgroundHeight, 8},
    {"EntryNormal.bmp", layout::kEntryWidth, layout::kEntryHeight + kFaceShadow, 24},
    {"EntryHot.bmp", layout::kEntryWidth, layout::kEntryHeight + kFaceShadow, 24},
    {"HelpStrip.bmp", kStripWidth, layout::kHelpAreaHeight, 24},
};
constexpr char kIconFile[] = "Install.ico";

// The keys of brand.ini, by section, and what their values must be.
enum class Value { Name, RegistryPath, RegistryView, Any };
struct BrandKey {
    const char* section;
    const char* key;
    Value value;
};
const BrandKey kBrandKeys[] = {
    {"Product", "Name", Value::Name},
    {"Product", "Company", Value::Name},
    {"Registry", "InstallKey", Value::RegistryPath},
    {"Registry", "FolderValue", Value::Any},
    {"Registry", "VersionKey", Value::RegistryPath},
    {"Registry", "Version", Value::Any},
    {"Registry", "LanguageKey", Value::RegistryPath},
    {"Registry", "LanguageKey2", Value::RegistryPath},
    {"Registry", "View", Value::RegistryView},
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

void CheckPicture(const IDiscFiles& folder, const std::string& file, const BrandPicture& picture,
                  int scale, std::vector<Finding>& findings) {
    const auto bytes = folder.Read(file);
    if (!bytes) {
        return; // left out: the sample's picture stays
    }
    const auto format = ReadBitmapFormat(*bytes);
    if (!format) {
        findings.push_back(Make(Kind::BrandPictureUnreadable, file, "", "",
                                "not a bitmap file (.bmp): the program cannot carry it"));
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
    if (format->bitsPerPixel != picture.bitsPerPixel) {
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
        if (known.value == Value::RegistryPath && !IsRegistryPath(value)) {
            findings.push_back(Make(Kind::BrandNotRegistryPath, kBrandFile, known.section,
                                    known.key,
                                    "\"" + value +
                                        "\" is no key under HKEY_LOCAL_MACHINE (names between "
                                        "single backslashes, without the root's name)"));
        } else if (known.value == Value::RegistryView && !registry_views::ParseChoice(value)) {
            findings.push_back(Make(Kind::BrandRegistryView, kBrandFile, known.section, known.key,
                                    "\"" + value +
                                        "\" names no registry view: leave it empty for the "
                                        "64-bit view and then the 32-bit one, or give 64 or 32"));
        } else if (known.value == Value::Name && !IsPlainName(value)) {
            findings.push_back(Make(Kind::BrandName, kBrandFile, known.section, known.key,
                                    "\"" + value +
                                        "\" cannot stand in the version resource and manifest: "
                                        "use printable ASCII without \" \\ < > &"));
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
    for (const BrandPicture& picture : kPictures) {
        CheckPicture(folder, picture.file, picture, 1, findings);
        CheckPicture(folder, DoubleSizeName(picture.file), picture, 2, findings);
    }
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
