#pragma once
// The pixels of a PNG file, as designers deliver the pictures: every colour type at every depth
// the format allows, not interlaced. Transparency (an alpha channel, a palette's alpha values or
// a transparent colour) is flattened onto the colour that lies behind the picture on the page,
// so that the picture looks as its designer saw it over that colour.

#include "brand/Image.h"

#include <string_view>

namespace brand {

// The picture of the PNG file `file`, flattened onto `behind`; an error naming what is wrong
// when it is no PNG file this reads (damaged, cut short, interlaced, of an unknown kind).
ImageOrError ReadPng(std::string_view file, Rgb behind);

} // namespace brand
