#include "brand/CommandLine.h"

namespace brand {

std::optional<Options> ParseArguments(const std::vector<std::string>& arguments) {
    Options options;
    std::vector<std::string> positional;
    bool outputGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-o" || argument == "--output") {
            if (outputGiven || i + 1 == arguments.size() || arguments[i + 1].empty()) {
                return std::nullopt;
            }
            options.output = arguments[++i];
            outputGiven = true;
        } else if (argument.empty() || argument[0] == '-') {
            return std::nullopt; // no other options; a path starting with '-' takes "./"
        } else {
            positional.push_back(argument);
        }
    }
    if (positional.size() != 2) {
        return std::nullopt;
    }
    options.brandDir = positional[0];
    options.program = positional[1];
    if (!outputGiven) {
        options.output = options.program;
    }
    return options;
}

std::string Usage() {
    return "usage: discmenu-brand BRAND_DIR INSTALL.EXE [-o OUT.EXE]\n"
           "Writes the brand folder BRAND_DIR (its pictures, icon and brand.ini) into the\n"
           "program INSTALL.EXE, or into a copy of it, OUT.EXE. A signature of the program is\n"
           "removed: sign the branded program again.\n"
           "Exit status: 0 branded, 1 the brand folder was refused, 2 the program could not be\n"
           "branded (nothing written).\n";
}

} // namespace brand
