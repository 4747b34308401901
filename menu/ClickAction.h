#pragma once
// What a click on an entry does: open a program or document from the disc (a setup program
// learns the chosen language), install the Java runtime, show the manuals, open a sub-page,
// close the page, open the USB driver dialog, or nothing.

#include "menu/MenuItem.h"

#include <optional>
#include <string>

namespace click {

// The special entries: type-0 entries whose value is exactly one of these words.
inline constexpr char kJavaRuntimeEntry[] = "SunJava";
inline constexpr char kManualsEntry[] = "HTMLDlg";

struct Action {
    enum class Kind { Nothing, Open, JavaRuntime, Manuals, SubPage, Close, Usb };
    Kind kind = Kind::Nothing;
    // Open and Manuals: the disc that must be in the drive first (a file on it; when empty,
    // nothing opens).
    std::string diskId;
    // Open: the file on the disc, and the language switch when it is a setup program.
    std::string path;
    std::optional<std::string> parameters;
    // SubPage: the section of the page to open.
    std::string pageName;

    bool operator==(const Action& other) const {
        return kind == other.kind && diskId == other.diskId && path == other.path &&
               parameters == other.parameters && pageName == other.pageName;
    }
};

// Whether `path` can name a file to open: a double quote cannot be part of a file name, and
// handed to the shell it would end the name and start arguments.
bool NamesAFile(const std::string& path);

// The action of `item` on a page whose launcher directory is `launcherDir`, with language
// `languageIndex` chosen. A value that contains "setup.exe" in any letter case of its ASCII
// letters is a setup program (the texts are UTF-8, whose multi-byte characters never hold an
// ASCII letter).
Action Decide(const CMenuItem& item, const std::string& launcherDir, int languageIndex);

// Whether the action opens something from the disc, whose disc must be in the drive first: a
// program or document, and the manuals. The Java runtime entry does not ask.
bool NeedsDisc(const Action& action);

// The message for a program or document that could not be opened: `text` (the built-in text,
// with %s for the path) with `path`; a path too long for the system (`tooLong`) is said to be
// so in the system's words, `systemText`.
std::string StartFailureMessage(const std::string& text, const std::string& path, bool tooLong,
                                const std::string& systemText);

} // namespace click
