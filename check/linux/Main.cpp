// discmenu-check on Linux: checks a disc folder (or a brand folder) with the faces of
// fonts-liberation for Arial.

#include "check/Brand.h"
#include "check/DiscCheck.h"
#include "check/CommandLine.h"
#include "check/linux/FileTreeDiscFiles.h"
#include "check/linux/TrueTypeWidths.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    const auto options = check::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!options) {
        std::cerr << check::Usage();
        return check::kCannotCheck;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(options->discDir, error)) {
        std::cerr << "discmenu-check: " << options->discDir << " is not a folder\n";
        return check::kCannotCheck;
    }
    if (options->brand) {
        const check::Report report = check::CheckBrand(check::FileTreeDiscFiles(options->discDir));
        std::cout << (options->json ? check::FormatJson(report) : check::FormatText(report));
        return check::ExitStatus(report);
    }
    std::string missing;
    auto widths = check::TrueTypeWidths::Load(missing);
    if (!widths) {
        std::cerr << "discmenu-check: cannot measure the texts without " << missing
                  << " (Debian package fonts-liberation)\n";
        return check::kCannotCheck;
    }
    const check::FileTreeDiscFiles files(options->discDir);
    const check::Report report = check::CheckDisc(files, *widths, check::Shipping(*options));
    std::cout << (options->json ? check::FormatJson(report) : check::FormatText(report));
    return check::ExitStatus(report);
}
