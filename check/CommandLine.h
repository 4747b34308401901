#pragma once
// The command line of discmenu-check and what it prints: the parts that both of its builds
// (Linux and Windows) share.

#include "check/DiscCheck.h"

#include <optional>
#include <string>
#include <vector>

namespace check {

// The exit status when the check could not run: wrong arguments, no such folder, no fonts.
constexpr int kCannotCheck = 3;

struct Options {
    std::string discDir;
    bool json = false;
    bool release = false; // an unsigned Install.exe is a warning, not a note
    bool brand = false;   // discDir is a brand folder (check/Brand.h), not a disc
};

// The options of `arguments` (the command line without the program's name); nothing when they
// make no sense.
std::optional<Options> ParseArguments(const std::vector<std::string>& arguments);

// What the command line should be, and what the program does.
std::string Usage();

// The shipping options of `options` at the present time of the system's clock.
ShippingOptions Shipping(const Options& options);

// The report as a person reads it: a line per finding (severity, file, section, key, what and
// why, and the finding's name), followed by a line for each other place where it shows ("  also:
// file [section] key"), then a summary line.
std::string FormatText(const Report& report);

// The report for other programs, as JSON: the languages with the pages found from the main
// page on and their entries, the findings (each with every place it shows), their counts and
// the exit status.
std::string FormatJson(const Report& report);

} // namespace check
