#pragma once
// What the project's console programs for Windows share: their arguments arrive as wide
// characters, so that any folder name arrives, and their output is UTF-8 with LF line ends, as
// on Linux.

#include "framework/win32/WideText.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

namespace console {

// Sets the output up as UTF-8 bytes and returns the arguments after the program's name, as
// UTF-8.
inline std::vector<std::string> Start(int argc, wchar_t* argv[]) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8); // for a console; a pipe takes the bytes as they are
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(text::FromWide(argv[i]));
    }
    return arguments;
}

// Writes `utf8` as it is, at once.
inline void Write(std::FILE* stream, const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

} // namespace console
