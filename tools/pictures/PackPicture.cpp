// Writes a bitmap file in the stored form of the program's pictures (framework/StoredPicture.h):
//
//   PackPicture <picture.bmp> <stored file>
//
// Run at build time for every picture of the program's brand; exits 1, naming the file, when
// the input is no bitmap file or cannot be read or written.

#include "framework/StoredPicture.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: PackPicture <picture.bmp> <stored file>\n");
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    if (!input) {
        std::fprintf(stderr, "PackPicture: %s cannot be read\n", argv[1]);
        return 1;
    }
    const std::string file((std::istreambuf_iterator<char>(input)),
                           std::istreambuf_iterator<char>());
    const auto stored = pictures::Encode(file);
    if (!stored) {
        std::fprintf(stderr, "PackPicture: %s is no bitmap file (.bmp)\n", argv[1]);
        return 1;
    }
    std::ofstream output(argv[2], std::ios::binary | std::ios::trunc);
    output.write(reinterpret_cast<const char*>(stored->data()),
                 static_cast<std::streamsize>(stored->size()));
    output.close();
    if (!output) {
        std::fprintf(stderr, "PackPicture: %s cannot be written\n", argv[2]);
        return 1;
    }
    return 0;
}
