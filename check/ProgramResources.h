#pragma once
// The bitmap resources a Windows program carries, read from its bytes: the numbers of the
// bitmaps in its resource section. The bytes may be anything: every length is checked.

#include <optional>
#include <string_view>
#include <vector>

namespace check::resources {

// The ids of the program's bitmap resources, in the order the resource section lists them;
// nothing when `bytes` is no PE file with a resource section that can be read.
std::optional<std::vector<unsigned>> BitmapIds(std::string_view bytes);

} // namespace check::resources
