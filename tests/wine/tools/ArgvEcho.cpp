// Writes the arguments as the C runtime split them, one per line, to the file named by the
// environment variable DISCMENU_ARGV_FILE: the reference for the command-line splitter. Its
// current directory goes to the same path with ".cwd" appended.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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
    char directory[MAX_PATH + 1] = {}; // GetCurrentDirectoryA's limit
    GetCurrentDirectoryA(sizeof directory, directory);
    std::FILE* cwd = std::fopen((std::string(path) + ".cwd").c_str(), "wb");
    if (cwd == nullptr) {
        return 3;
    }
    std::fprintf(cwd, "%s", directory);
    std::fclose(cwd);
    return 0;
}
