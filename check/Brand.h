#pragma once
// The check of a brand folder, the pictures, icon and identity that `make disc BRAND=dir` builds
// the disc program from: each picture at its fixed size, a bitmap at its bit depth (a PNG file
// is converted by the build), its double-size picture at twice the size or else a warning, the
// icon, registry keys that the menu can read and the colours of the texts.

#include "check/DiscCheck.h"

#include <optional>
#include <string>

namespace check {

// The file of a brand folder that names the product, its company and its registry keys.
inline constexpr char kBrandFile[] = "brand.ini";
// The suffix of a picture's double-size variant: "Background@2x.bmp" beside "Background.bmp".
inline constexpr char kDoubleSizeSuffix[] = "@2x";

// What a bitmap file says of its pixels.
struct BitmapFormat {
    int width = 0;
    int height = 0; // rows, whether stored bottom-up or top-down
    int bitsPerPixel = 0;
};

// The format of the bitmap file `bytes`; nothing when it is no bitmap file (no "BM" mark, a
// header too short or of no known size).
std::optional<BitmapFormat> ReadBitmapFormat(const std::string& bytes);

// The format of the PNG file `bytes` as the build converts it (bitsPerPixel: the bits of a
// pixel in the file); nothing when it is no PNG file the build can read (no signature, a
// header too short, an unknown colour type or depth, interlaced rows).
std::optional<BitmapFormat> ReadPngFormat(const std::string& bytes);

// Whether `value` is a colour as brand.ini writes one: "#RRGGBB" in hexadecimal digits.
bool IsColourValue(const std::string& value);

// Whether `key` can name a key under HKEY_LOCAL_MACHINE: names of 1 to 255 printable
// characters between single backslashes, none at either end, and no root key's name first
// (the menu adds HKEY_LOCAL_MACHINE itself).
bool IsRegistryPath(const std::string& key);

// Whether a product or company name can stand in the program's version resource and manifest:
// printable ASCII without quotes, backslashes or the marks of XML.
bool IsPlainName(const std::string& name);

// Checks the brand folder whose files `folder` gives.
Report CheckBrand(const IDiscFiles& folder);

} // namespace check
