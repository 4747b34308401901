// The manuals page of a language and the app: links on it, decided as the manuals window
// decides them.

#include "check/Checking.h"
#include "framework/text/CodePages.h"
#include "framework/text/StringUtil.h"
#include "manuals/AppLink.h"
#include "manuals/ManualsPage.h"

#include <algorithm>

namespace check {

namespace {

// The addresses of the links of an HTML page: every href attribute's value, entities other
// than &amp; left as they stand (the manuals' links are plain file names).
std::vector<std::string> LinkAddresses(const std::string& html) {
    std::vector<std::string> addresses;
    const std::string lower = text::ToLowerAscii(html);
    const auto skipBlanks = [&](std::size_t at) {
        return std::min(lower.find_first_not_of(" \t\r\n", at), lower.size());
    };
    for (std::size_t at = lower.find("href"); at != std::string::npos;
         at = lower.find("href", at)) {
        at = skipBlanks(at + 4);
        if (at >= lower.size() || lower[at] != '=') {
            continue;
        }
        at = skipBlanks(at + 1);
        const bool quoted = at < lower.size() && (lower[at] == '"' || lower[at] == '\'');
        const std::size_t start = quoted ? at + 1 : at;
        const std::size_t end =
            std::min(quoted ? lower.find(lower[at], start) : lower.find_first_of(" \t\r\n>", start),
                     lower.size());
        std::string address = html.substr(start, end - start);
        for (std::size_t amp = address.find("&amp;"); amp != std::string::npos;
             amp = address.find("&amp;", amp + 1)) {
            address.erase(amp + 1, 4);
        }
        addresses.push_back(address);
        at = end;
    }
    return addresses;
}

} // namespace

void CheckManuals(Checking& check, const LanguageFile& file,
                  const std::pair<std::string, std::string>& entry) {
    const std::string name = check.LanguageName(file.language);
    const std::string page = manuals::ListPage("", name);
    const auto bytes = check.files.Read(page);
    if (!bytes) {
        check.Add(Kind::ManualsPageMissing, file.name, entry.first, entry.second,
                  page + " is not on the disc: the manuals window shows \"Can not find HTML "
                         "file.\" and closes");
        return;
    }
    // A page with a UTF-8 mark is read as UTF-8, as the browser reads it.
    const std::string mark = "\xef\xbb\xbf";
    const std::string html = bytes->compare(0, mark.size(), mark) == 0
                                 ? bytes->substr(mark.size())
                                 : text::Decode(*bytes, file.codePage);
    // The links are decided as the window decides them, with the disc at a drive's root.
    const std::string root = "X:\\";
    const std::string documentDir = manuals::DocumentDir(root, name);
    const std::string pageUrl = manuals::ListPage(root, name);
    for (const std::string& address : LinkAddresses(html)) {
        if (!applink::CommandOf(address)) {
            continue;
        }
        const applink::Action action = applink::DecideUrl(documentDir, pageUrl, address, true);
        const std::string onDisc = text::StartsWithNoCase(action.path, root)
                                       ? action.path.substr(root.size())
                                       : action.path;
        if (action.refusal == applink::Action::Refusal::Outside) {
            check.Add(Kind::LinkOutsideManuals, page, "", address,
                      onDisc + " does not lie in " + documentDir.substr(root.size()) +
                          ": the link shows a warning and opens nothing");
        } else if (action.refusal == applink::Action::Refusal::Program) {
            check.Add(Kind::LinkToProgram, page, "", address,
                      onDisc + " is no document of a kind the manuals open (a program, say): "
                               "the link shows a warning and opens nothing");
        } else if (action.kind == applink::Action::Kind::Open && !check.files.Locate(onDisc)) {
            check.Add(Kind::DocumentMissing, page, "", address,
                      onDisc + " is not on the disc: the link opens nothing");
        }
    }
}

} // namespace check
