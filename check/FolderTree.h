#pragma once
// The files and folders under a folder of this system, as IDiscFiles::Tree gives them; shared
// by the Linux and the Windows files of a disc.

#include "check/DiscFiles.h"

#include <filesystem>
#include <vector>

namespace check {

// Every file and folder under `root` (links are not followed), names in UTF-8, sorted by their
// parts so that a folder comes before what it holds. Entries that cannot be read are left out.
std::vector<DiscEntry> WalkFolder(const std::filesystem::path& root);

} // namespace check
