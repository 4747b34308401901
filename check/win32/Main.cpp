// discmenu-check on Windows: a console program that checks a disc folder, measuring the texts
// with the page's fonts. Its arguments come as wide characters, so that any folder name
// arrives; its output is UTF-8 with LF line ends, as on Linux.

#include "check/Brand.h"
#include "check/CommandLine.h"
#include "check/DiscCheck.h"
#include "check/win32/GdiTextWidths.h"
#include "check/win32/Win32DiscFiles.h"
#include "framework/win32/ConsoleProgram.h"
#include "framework/win32/WideText.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

using console::Write;

int wmain(int argc, wchar_t* argv[]) {
    const std::vector<std::string> arguments = console::Start(argc, argv);
    const auto options = check::ParseArguments(arguments);
    if (!options) {
        Write(stderr, check::Usage());
        return check::kCannotCheck;
    }
    const DWORD attributes = GetFileAttributesW(text::Wide(options->discDir).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        Write(stderr, "discmenu-check: " + options->discDir + " is not a folder\n");
        return check::kCannotCheck;
    }
    const check::Win32DiscFiles files(options->discDir);
    if (options->brand) {
        const check::Report report = check::CheckBrand(files);
        Write(stdout, options->json ? check::FormatJson(report) : check::FormatText(report));
        return check::ExitStatus(report);
    }
    check::GdiTextWidths widths;
    const check::Report report = check::CheckDisc(files, widths, check::Shipping(*options));
    Write(stdout, options->json ? check::FormatJson(report) : check::FormatText(report));
    return check::ExitStatus(report);
}
