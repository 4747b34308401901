#include "manuals/AppLink.h"

#include "framework/text/StringUtil.h"
#include "res/resource.h"

#include <cstring>
#include <vector>

namespace applink {

namespace {

const char kReturnCommand[] = "return";
// Between a message and the file it is about.
const char kFileSeparator[] = "\r\n\r\n";
constexpr unsigned kWarningStyle = platform::mb::kOk | platform::mb::kIconHand;

// The kinds of document that a manual links to, by extension: an app: link opens only these.
// Any other kind may be one that the shell runs, or that runs code when opened (programs,
// scripts, packages, shortcuts, settings and search files, disc images, ...), and new ones come
// with every version of the system: the list says what opens, not what does not.
const char* const kDocumentExtensions[] = {
    "pdf",  "txt", "htm", "html", "rtf", "doc",  "docx", "xls", "xlsx", "ppt",
    "pptx", "chm", "bmp", "gif",  "jpg", "jpeg", "png",  "tif", "tiff", "zip",
};

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

std::string DecodeEscapes(const std::string& text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && IsHexDigit(text[i + 1]) &&
            IsHexDigit(text[i + 2])) {
            decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

bool IsDriveRoot(const std::string& path) {
    return path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') &&
           path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

bool IsServerPath(const std::string& path) {
    return path.size() > 2 && (path[0] == '\\' || path[0] == '/') &&
           (path[1] == '\\' || path[1] == '/');
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : text) {
        if (c == '\\') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

// The system drops trailing dots and blanks of a name: "a.exe. " is "a.exe".
std::string WithoutTrailingDotsAndBlanks(std::string name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
        name.pop_back();
    }
    return name;
}

// Whether `part` can be a name of a path: no character that no name may hold (a ':' would name
// a stream or a device, wildcards would match other files).
bool IsNameOrDots(const std::string& part) {
    for (const char c : part) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("<>:\"|?*", c) != nullptr) {
            return false;
        }
    }
    return true;
}

std::string ExtensionOf(const std::string& path) {
    const auto dot = path.find_last_of(".\\/");
    return dot == std::string::npos || path[dot] != '.' ? std::string()
                                                        : text::ToLowerAscii(path.substr(dot + 1));
}

bool IsWebAddress(const std::string& url) {
    return text::StartsWithNoCase(url, "http://") || text::StartsWithNoCase(url, "https://");
}

// Whether the page `url` lies in the manuals' folder.
bool IsManualsPage(const std::string& documentDir, const std::string& url) {
    const auto path = PathOfUrl(url);
    const auto folder = Canonical(documentDir);
    const auto page = path ? Canonical(*path) : std::nullopt;
    return folder && page && IsInside(*folder, *page);
}

Action Refused(Action::Refusal refusal, std::string path) {
    return {Action::Kind::Refuse, std::move(path), refusal};
}

} // namespace

std::optional<std::string> CommandOf(const std::string& url) {
    // The prefix is plain ASCII, and no lead byte of a multibyte character equals one of its
    // characters, so comparing bytes is enough in every ANSI code page.
    if (!text::StartsWithNoCase(url, kPrefix)) {
        return std::nullopt;
    }
    return url.substr(std::strlen(kPrefix));
}

std::optional<std::string> PathOfUrl(const std::string& url) {
    if (IsDriveRoot(url) || IsServerPath(url)) {
        return url;
    }
    if (!text::StartsWithNoCase(url, "file:")) {
        return std::nullopt;
    }
    std::string rest = url.substr(5);
    rest = rest.substr(0, rest.find_first_of("?#"));
    rest = DecodeEscapes(rest);
    // file:///C:/x, file://C:/x and file:C:\x name a drive's file; file://server/share/x and
    // file:////server/share/x a server's.
    std::size_t slashes = 0;
    while (slashes < rest.size() && (rest[slashes] == '/' || rest[slashes] == '\\')) {
        ++slashes;
    }
    const std::string after = rest.substr(slashes);
    if (IsDriveRoot(after) || (after.size() == 2 && after[1] == ':')) {
        return after;
    }
    if (slashes >= 2 && !after.empty()) {
        return "\\\\" + after;
    }
    return std::nullopt;
}

std::optional<std::string> Canonical(const std::string& path) {
    std::string unified = path;
    for (char& c : unified) {
        c = c == '/' ? '\\' : c;
    }
    std::string root;
    std::string rest;
    std::size_t fixedParts = 0; // a server's share cannot be left either
    if (IsDriveRoot(unified)) {
        root = unified.substr(0, 2);
        rest = unified.substr(3);
    } else if (IsServerPath(unified) && unified[2] != '?' && unified[2] != '.') {
        root = "\\";
        rest = unified.substr(2);
        fixedParts = 2;
    } else {
        return std::nullopt;
    }
    std::vector<std::string> parts;
    for (const std::string& raw : Split(rest)) {
        if (!IsNameOrDots(raw)) {
            return std::nullopt;
        }
        const std::string part =
            raw == "." || raw == ".." ? raw : WithoutTrailingDotsAndBlanks(raw);
        if (parts.size() < fixedParts && (part.empty() || part == "." || part == "..")) {
            return std::nullopt; // a server and a share are named, not found by dots
        }
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (parts.size() <= fixedParts) {
                return std::nullopt;
            }
            parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    if (parts.size() < fixedParts) {
        return std::nullopt;
    }
    std::string canonical = root;
    for (const std::string& part : parts) {
        canonical += "\\" + part;
    }
    return parts.empty() ? canonical + "\\" : canonical;
}

bool IsInside(const std::string& folder, const std::string& path) {
    const std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
    return path.size() > prefix.size() && text::StartsWithNoCase(path, prefix);
}

bool IsDocument(const std::string& path) {
    const std::string extension = ExtensionOf(WithoutTrailingDotsAndBlanks(path));
    for (const char* document : kDocumentExtensions) {
        if (extension == document) {
            return true;
        }
    }
    return false;
}

Action DecideCommand(const std::string& documentDir, const std::string& frameUrl,
                     const std::string& command) {
    if (!IsManualsPage(documentDir, frameUrl)) {
        return Refused(Action::Refusal::Outside, command);
    }
    if (text::EqualsNoCase(command, kReturnCommand)) {
        return {Action::Kind::Close, {}};
    }
    const bool full = IsDriveRoot(command) || IsServerPath(command);
    const std::string named = full ? command : documentDir + "\\" + command;
    const auto folder = Canonical(documentDir);
    const auto path = Canonical(named);
    if (!folder || !path || !IsInside(*folder, *path)) {
        return Refused(Action::Refusal::Outside, named);
    }
    if (!IsDocument(*path)) {
        return Refused(Action::Refusal::Program, *path);
    }
    return {Action::Kind::Open, *path};
}

Action DecideNavigation(const std::string& documentDir, const std::string& url, bool topLevel) {
    if (url == "about:blank" || IsManualsPage(documentDir, url)) {
        return {Action::Kind::Navigate, {}};
    }
    if (!topLevel) {
        return {Action::Kind::Ignore, {}};
    }
    if (IsWebAddress(url)) {
        return {Action::Kind::Browse, url};
    }
    // A document elsewhere on a drive goes to the browser too, but nothing else, and
    // nothing on a server, which the browser would contact with the user's credentials.
    const auto path = PathOfUrl(url);
    const auto canonical = path ? Canonical(*path) : std::nullopt;
    if (canonical && IsDriveRoot(*canonical) && IsDocument(*canonical)) {
        return {Action::Kind::Browse, url};
    }
    return {Action::Kind::Ignore, {}};
}

Action DecideUrl(const std::string& documentDir, const std::string& frameUrl,
                 const std::string& url, bool topLevel) {
    const auto command = CommandOf(url);
    return command ? DecideCommand(documentDir, frameUrl, *command)
                   : DecideNavigation(documentDir, url, topLevel);
}

bool OpenDocument(const DocumentServices& services, platform::WindowRef activeWindow,
                  platform::WindowRef messageOwner, const std::string& path) {
    const auto program = services.shell.FindAssociatedProgram(path);
    if (!program) {
        // The text speaks of PDF files whatever the document's type: the manuals are PDFs.
        services.ui.ShowMessage(messageOwner,
                                services.strings.Load(IDS_BUILTIN_NO_PDF_READER) + kFileSeparator +
                                    services.strings.Load(IDS_BUILTIN_FILE_LABEL) + " " + path,
                                services.strings.Load(IDS_BUILTIN_TITLE), kWarningStyle);
        return false;
    }
    // Whether the program starts is not checked.
    services.shell.Open(activeWindow, *program, "\"" + path + "\"");
    return true;
}

void ShowRefusal(const DocumentServices& services, platform::WindowRef messageOwner,
                 const Action& action) {
    const unsigned text = action.refusal == Action::Refusal::Program ? IDS_BUILTIN_LINK_TO_PROGRAM
                                                                     : IDS_BUILTIN_LINK_OUTSIDE;
    services.ui.ShowMessage(messageOwner,
                            services.strings.Load(text) + kFileSeparator +
                                services.strings.Load(IDS_BUILTIN_FILE_LABEL) + " " + action.path,
                            services.strings.Load(IDS_BUILTIN_TITLE), kWarningStyle);
}

} // namespace applink
