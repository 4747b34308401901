#pragma once
// What the checker reads of a Windows program from its bytes: the numbers of the bitmaps in its
// resource section, stored compressed (framework/StoredPicture.h) or plain, and its brand. The
// bytes may be anything: every length is checked.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace check::resources {

// The ids of the program's pictures, in the order the resource section lists them (stored ones
// under their type's name before plain bitmaps, as names come before numbers);
// nothing when `bytes` is no PE file with a resource section that can be read.
std::optional<std::vector<unsigned>> BitmapIds(std::string_view bytes);

// The brand.ini the program carries as its resource BRAND (RCDATA): empty for a program that
// carries none, and so shows the sample product's brand; nothing when `bytes` is no PE file
// with a resource section that can be read.
std::optional<std::string> BrandIni(std::string_view bytes);

} // namespace check::resources
