#pragma once
// Application links: a link in a shown page whose URL begins with "app:" is not followed but
// handed back to the program. The manuals window knows two of them: "return" closes it, and
// anything else names a document, which opens in the program associated with its type.

#include "docs/DocumentServices.h"

#include <optional>
#include <string>

namespace applink {

// The URL prefix of an application link, matched without regard to letter case.
constexpr const char* kPrefix = "app:";

// The text after the prefix when `url` is an application link (possibly empty), nothing when
// it is an ordinary URL. The URL is taken as it stands: no escapes are decoded.
std::optional<std::string> CommandOf(const std::string& url);

struct Action {
    enum class Kind {
        Navigate, // an ordinary URL: the browser follows it
        Close,    // "return": close the window that shows the page
        Open,     // open the document `path`
    };
    Kind kind;
    std::string path; // for Open
};

// What the manuals window does with the command of an application link: "return" in any
// case and with nothing around it closes; a command without a backslash names a document in
// `documentDir`; one with a backslash is a path as it stands.
Action DecideCommand(const std::string& documentDir, const std::string& command);

// What the manuals window does with a navigation to `url`.
Action DecideUrl(const std::string& documentDir, const std::string& url);

// Opens `path` in the program the shell associates with its type, owned by `activeWindow`;
// the document's path goes to the program in double quotes, so that a path with blanks
// arrives as one argument. Without such a program (or without the file) a warning owned by
// `messageOwner` names the path, and the result is false.
bool OpenDocument(const DocumentServices& services, platform::WindowRef activeWindow,
                  platform::WindowRef messageOwner, const std::string& path);

} // namespace applink
