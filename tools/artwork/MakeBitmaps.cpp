// Writes the bitmap and icon files of Install.exe's resources into the directory given as the
// first argument: the sample brand folder (res/brand.ini goes beside them). With a second
// directory, writes the second sample brand folder there too. Built and run on the build host;
// the output is the same on every run.

#include "Bitmaps.h"
#include "SampleBrand.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

namespace {

bool WriteFiles(const std::string& directory, const std::vector<images::ResourceFile>& files) {
    for (const images::ResourceFile& file : files) {
        const std::string path = directory + "/" + file.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.bytes.data()),
                  static_cast<std::streamsize>(file.bytes.size()));
        if (!out) {
            std::fprintf(stderr, "MakeBitmaps: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: MakeBitmaps OUTPUT_DIRECTORY [SECOND_BRAND_DIRECTORY]\n");
        return 2;
    }
    try {
        if (!WriteFiles(argv[1], images::ResourceFiles()) ||
            (argc == 3 && !WriteFiles(argv[2], images::SampleBrandFiles()))) {
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "MakeBitmaps: %s\n", e.what());
        return 1;
    }
    return 0;
}
