#pragma once
// The version resource (VS_VERSIONINFO) of a branded program, as the resource compiler writes
// the program's own: version 1.0.0.0, the product and company of the brand in US English
// (code page 1252), and the texts that name them.

#include <string>

namespace brand {

// The product and company a program carries: plain printable ASCII (the brand check refuses
// any other).
struct ProductNames {
    std::string product;
    std::string company;
};

// The texts that name them, as the version resource and the About box show them.
std::string Description(const ProductNames& names);    // "<product> installation disc menu"
std::string LegalCopyright(const ProductNames& names); // "Copyright (C) <company>. All ..."

// The bytes of the version resource for `names`.
std::string VersionResource(const ProductNames& names);

} // namespace brand
