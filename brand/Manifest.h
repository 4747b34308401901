#pragma once
// The program's manifest made the brand's: its identity named
// "<company>.<product>.Install" by their letters and digits, and its description the
// product's. Everything else (the common controls, the execution level, the DPI awareness,
// the systems it supports) stays as the program carries it.

#include "brand/VersionInfo.h"

#include <string>
#include <string_view>

namespace brand {

// `manifest` with every name="....Install" attribute value and every <description> text the
// brand's.
std::string BrandManifest(std::string_view manifest, const ProductNames& names);

} // namespace brand
