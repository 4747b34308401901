#pragma once
// What a disc needs beyond its menu before it is shipped: an Install.exe signed so that every
// Windows can check it, names and folders that a disc image (ISO 9660 with Joliet) carries
// unchanged, and files that fit the medium.

#include "check/DiscCheck.h"
#include "check/DiscFiles.h"

#include <vector>

namespace check {

// The findings about shipping the disc whose files `files` gives.
std::vector<Finding> CheckShipping(const IDiscFiles& files, const ShippingOptions& options);

} // namespace check
