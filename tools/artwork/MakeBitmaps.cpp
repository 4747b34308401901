// Writes the bitmap and icon files of Install.exe's resources into the directory given as the
// only argument. Built and run on the build host; the output is the same on every run.

#include "Bitmaps.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeBitmaps OUTPUT_DIRECTORY\n");
        return 2;
    }
    try {
        const std::string directory = argv[1];
        for (const images::ResourceFile& file : images::ResourceFiles()) {
            const std::string path = directory + "/" + file.name;
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(file.bytes.data()),
                      static_cast<std::streamsize>(file.bytes.size()));
            if (!out) {
                std::fprintf(stderr, "MakeBitmaps: cannot write %s\n", path.c_str());
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "MakeBitmaps: %s\n", e.what());
        return 1;
    }
    return 0;
}
