#pragma once
// Application links and the pages of the manuals window. A link in a shown page whose URL
// begins with "app:" is not followed but handed back to the program: "return" closes the
// window, and anything else names a document of the manuals' folder, which opens in the program
// associated with its type. The window shows only pages of that folder; web pages go to the
// user's browser.
//
// What a page can do is limited to that folder: an app: link is honoured only from a page of
// the folder, and only for a document of a kind that a manual links to (IsDocument) that lies
// inside it (no "..", no other drive or server); a program is never started through one.

#include "manuals/DocumentServices.h"

#include <optional>
#include <string>

namespace applink {

// The URL prefix of an application link, matched without regard to letter case.
constexpr const char* kPrefix = "app:";

// The text after the prefix when `url` is an application link (possibly empty), nothing when
// it is an ordinary URL. The URL is taken as it stands: no escapes are decoded.
std::optional<std::string> CommandOf(const std::string& url);

// The Windows path that `url` names: a file: URL (its escapes decoded, without query and
// fragment) or a full path as it stands; nothing for any other address.
std::optional<std::string> PathOfUrl(const std::string& url);

// `path` as the system resolves it: slashes as backslashes, "." and ".." taken out, trailing
// dots and blanks of names dropped. Nothing when it is no full path (a drive's or a server's),
// when ".." leaves its root, or when it names a stream or a device path.
std::optional<std::string> Canonical(const std::string& path);

// Whether `path` lies inside `folder` (both canonical), in any letter case.
bool IsInside(const std::string& folder, const std::string& path);

// Whether `path` is a document of a kind that a manual links to, by its extension: .pdf, .txt,
// .htm and .html, .rtf, Word, Excel and PowerPoint files (.doc, .docx, .xls, .xlsx, .ppt,
// .pptx), compiled help (.chm), pictures (.bmp, .gif, .jpg, .jpeg, .png, .tif, .tiff) and .zip.
// Everything else is refused as a program would be. The checker of discs asks the same.
bool IsDocument(const std::string& path);

struct Action {
    enum class Kind {
        Navigate, // a page of the manuals' folder: the window shows it
        Close,    // "return": close the window that shows the page
        Open,     // open the document `path`
        Browse,   // a web page: it opens in the user's browser, `path` being its address
        Refuse,   // an app: link that is not followed: say so, naming `path`
        Ignore,   // nothing happens
    };
    enum class Refusal {
        None,
        Outside, // from a page outside the folder, or to a file outside it
        Program, // to a program, or anything else that is no document of those kinds
    };
    Kind kind;
    std::string path;
    Refusal refusal = Refusal::None;
};

// What the manuals window, whose documents lie in `documentDir` (a full path without trailing
// backslash), does with an app: link's `command`, asked for by a frame that shows `frameUrl`.
// "return" in any case and with nothing around it closes; any other command names a document:
// relative to the folder, or as a full path.
Action DecideCommand(const std::string& documentDir, const std::string& frameUrl,
                     const std::string& command);

// What the manuals window does with any other navigation to `url`, of the window's page itself
// (`topLevel`) or of a frame in it: pages of the folder show; a web page, or a document outside
// the folder that is no program, opens in the user's browser when the window's page asked for
// it; everything else is ignored.
Action DecideNavigation(const std::string& documentDir, const std::string& url, bool topLevel);

// Either of the two, by the address.
Action DecideUrl(const std::string& documentDir, const std::string& frameUrl,
                 const std::string& url, bool topLevel);

// Opens `path` in the program the shell associates with its type, owned by `activeWindow`;
// the document's path goes to the program in double quotes, so that a path with blanks
// arrives as one argument. Without such a program (or without the file) a warning owned by
// `messageOwner` names the path, and the result is false.
bool OpenDocument(const DocumentServices& services, platform::WindowRef activeWindow,
                  platform::WindowRef messageOwner, const std::string& path);

// Carries out a refusal: a warning owned by `messageOwner` that says why and names the path.
void ShowRefusal(const DocumentServices& services, platform::WindowRef messageOwner,
                 const Action& action);

} // namespace applink
