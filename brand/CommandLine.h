#pragma once
// The command line of discmenu-brand, its usage text and its exit statuses.
//
//     discmenu-brand BRAND_DIR INSTALL.EXE [-o OUT.EXE]

#include <optional>
#include <string>
#include <vector>

namespace brand {

// Exit statuses: the brand was written; the brand folder was refused (what the brand check
// finds as errors, a picture that cannot be converted): nothing was written; the program could
// not be branded (the command line, a program that cannot be read or written): nothing was
// written either, the program to brand is as it was.
inline constexpr int kBranded = 0;
inline constexpr int kBrandRefused = 1;
inline constexpr int kCannotBrand = 2;

struct Options {
    std::string brandDir;
    std::string program;
    std::string output; // the program itself when not given
};

// The options of `arguments` (without the program's name); nothing when they are not a
// command line of the tool.
std::optional<Options> ParseArguments(const std::vector<std::string>& arguments);

// The usage text, for a command line that is none.
std::string Usage();

} // namespace brand
