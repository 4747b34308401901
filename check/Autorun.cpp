// autorun.inf: whether inserting the disc starts the menu.

#include "check/Checking.h"
#include "framework/text/CodePages.h"
#include "framework/text/StringUtil.h"
#include "menu/Configuration.h"

namespace check {

namespace {

const char kAutorunFile[] = "autorun.inf";
const char kAutorunSection[] = "autorun";
const char kAutorunKey[] = "open";
const char kProgram[] = "Install.exe";

} // namespace

void CheckAutorun(Checking& check) {
    const auto path = check.files.Locate(kAutorunFile);
    if (!path) {
        check.Add(Kind::Autorun, kAutorunFile, "", "",
                  "the disc has no autorun.inf: the menu does not start when the disc is "
                  "inserted");
        return;
    }
    const std::string open = check.profile.GetString(*path, text::kWesternEuropean, kAutorunSection,
                                                     kAutorunKey, "", config::kValueBufferSize);
    const auto add = [&](const std::string& message) {
        check.Add(Kind::Autorun, kAutorunFile, kAutorunSection, kAutorunKey, message);
    };
    // The program is the first word of the command, or its quoted first part.
    const bool quoted = !open.empty() && open.front() == '"';
    const std::string program =
        quoted ? open.substr(1, open.find('"', 1) - 1) : open.substr(0, open.find(' '));
    if (open.empty()) {
        add("autorun.inf starts no program: the menu does not start when the disc is "
            "inserted");
    } else if (!text::EqualsNoCase(program, kProgram)) {
        add("autorun.inf starts " + Quote(program) +
            ", not Install.exe: the menu does not start when the disc is inserted");
    } else if (!check.files.Locate(kProgram)) {
        add("autorun.inf starts Install.exe, which is not at the root of the disc");
    }
}

} // namespace check
