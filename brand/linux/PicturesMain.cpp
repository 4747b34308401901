// The pictures of a brand folder made into the bitmap files the program carries, written into
// a folder: what the brand tool writes into a program, as files, so that they can be compared
// with those the build makes (tools/brand/brand_pictures.py).
//
//     discmenu-brand-pictures BRAND_DIR OUT_DIR

#include "brand/BrandPictures.h"
#include "check/linux/FileTreeDiscFiles.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fputs("usage: discmenu-brand-pictures BRAND_DIR OUT_DIR\n", stderr);
        return 2;
    }
    const check::FileTreeDiscFiles folder(argv[1]);
    const brand::PicturesOrError made = brand::MakePictures(folder);
    if (!made.error.empty()) {
        std::fprintf(stderr, "brand pictures: %s: %s\n", argv[1], made.error.c_str());
        return 1;
    }
    for (const brand::PictureFile& picture : made.pictures) {
        const std::string path = std::string(argv[2]) + "/" + picture.name;
        std::ofstream out(path, std::ios::binary);
        out.write(picture.bitmap.data(), static_cast<std::streamsize>(picture.bitmap.size()));
        if (!out) {
            std::fprintf(stderr, "brand pictures: %s cannot be written\n", path.c_str());
            return 1;
        }
        std::printf("brand pictures: %s: %s\n", picture.name.c_str(), picture.done.c_str());
    }
    return 0;
}
