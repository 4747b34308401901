#pragma once
// What the brand tool writes into a built program for a brand folder: the resources that
// differ between brands, each replaced whole, and the old icon images the new icon leaves
// over, deleted. Everything else the program carries (its dialogs, texts and code) is the same
// for every brand, and stays.
//
// - the pictures the folder gives (BrandPictures.h), each stored compressed under the
//   program's picture type; a picture it gives at neither size stays as the program has it,
//   so the program to brand is the released one, not one branded before;
// - the icon Install.ico, when the folder has it: its images and its group directory;
// - the version resource and the manifest's identity and description, from the product and
//   company of brand.ini (the sample product's where it leaves them out);
// - the brand resource: brand.ini as its author wrote it, which the program reads at start.

#include "brand/VersionInfo.h"
#include "check/DiscFiles.h"

#include <optional>
#include <string>
#include <vector>

namespace brand {

// A resource's type or name: a number, or a name when `name` is not empty.
struct ResourceId {
    unsigned number = 0;
    std::string name;
};

inline ResourceId Numbered(unsigned number) {
    return {number, {}};
}
inline ResourceId Named(std::string name) {
    return {0, std::move(name)};
}

// The types of the system's own resources that the tool writes.
inline constexpr unsigned kIconType = 3;       // RT_ICON
inline constexpr unsigned kDataType = 10;      // RT_RCDATA
inline constexpr unsigned kIconGroupType = 14; // RT_GROUP_ICON
inline constexpr unsigned kVersionType = 16;   // RT_VERSION
inline constexpr unsigned kManifestType = 24;  // RT_MANIFEST
inline constexpr unsigned kManifestId = 1;     // the manifest of a program
inline constexpr char kBrandResource[] = "BRAND";

// One resource to write, or to delete when `bytes` is empty (an icon image no longer used).
struct Resource {
    ResourceId type;
    ResourceId name;
    std::optional<std::string> bytes;
};

// What the program to brand carries that the tool builds on.
struct Program {
    std::string manifest;          // its manifest
    std::vector<unsigned> iconIds; // the images its icon group lists
};

struct Branding {
    std::vector<Resource> resources;
    std::vector<std::string> done; // what was done, a line each, for the author
    std::string error;             // why nothing can be written; empty when all is well
    ProductNames names;
};

// The product and company of the brand folder's brand.ini, read as the program reads its
// brand (res/Brand.h), each `sample`'s where it leaves it out or blank.
ProductNames ReadProductNames(const check::IDiscFiles& folder, const ProductNames& sample);

// What to write into `program` for the brand folder `folder` (checked with the brand check
// before), whose names fall back to `sample`.
Branding PlanBranding(const check::IDiscFiles& folder, const Program& program,
                      const ProductNames& sample);

} // namespace brand
