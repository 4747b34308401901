#pragma once
// The brand a program carries: its brand folder's brand.ini, verbatim, as resource "BRAND" of
// type RT_RCDATA, written by the build or by the brand tool into a built program.

#include <windows.h>

#include <string>

namespace product {

// The name of the resource.
inline constexpr char kBrandResourceName[] = "BRAND";

// The bytes of the BRAND resource of `module`; empty when it carries none.
std::string BrandResourceText(HMODULE module);

// Reads the brand of `module` over the sample product's and makes it the program's
// (product::UseBrand).
void UseBrandOf(HMODULE module);

} // namespace product
