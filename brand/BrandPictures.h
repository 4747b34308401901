#pragma once
// The pictures of a brand folder made into the bitmap files the program carries.
//
// For each picture of the page the folder may hold a PNG file (as designers deliver them) or a
// bitmap file, at its size ("name.png" or "name.bmp") and at twice it ("name@2x.png" or
// "name@2x.bmp"); a PNG file goes before a bitmap file of the same name.
// - A PNG file is converted exactly: its transparency flattened onto the colour behind the
//   picture on the page (white for every picture), at the picture's bit depth (24 bits, or 8
//   with a table of the picture's colours, the 256 most frequent when it holds more). It must
//   have the picture's size.
// - A bitmap file is taken as it is (the brand check has checked its size and depth).
// - A picture given at its size but not at twice it gets its own picture enlarged to twice the
//   size: never another product's picture. An 8-bit one keeps the colour table of its 1x
//   picture when that was converted from PNG.
// - A picture the folder holds at neither size is not made: the program keeps the one it has.

#include "check/DiscFiles.h"

#include <string>
#include <vector>

namespace brand {

// One bitmap file made for the program: the picture's resource id, its file name
// ("Background@2x.bmp"), its bytes and what was done, for the author.
struct PictureFile {
    unsigned id = 0;
    std::string name;
    std::string bitmap;
    std::string done; // "converted from Background.png", ...
};

struct PicturesOrError {
    std::vector<PictureFile> pictures; // in the order of the page's pictures, 1x before 2x
    std::string error;                 // empty when every picture was made
};

// The bitmap files made from the pictures of the brand folder `folder`.
PicturesOrError MakePictures(const check::IDiscFiles& folder);

} // namespace brand
