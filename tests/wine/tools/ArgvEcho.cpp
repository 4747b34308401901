// Writes the arguments as the C runtime split them, one per line, to the file named by the
// environment variable DISCMENU_ARGV_FILE: the reference for the command-line splitter.

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const char* path = std::getenv("DISCMENU_ARGV_FILE");
    if (path == nullptr) {
        return 2;
    }
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return 3;
    }
    for (int i = 0; i < argc; ++i) {
        std::fprintf(file, "%s\n", argv[i]);
    }
    std::fclose(file);
    return 0;
}
