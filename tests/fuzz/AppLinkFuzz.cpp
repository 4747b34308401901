// The manuals window's decisions (manuals/AppLink.h) over any document folder, frame address and
// address (the input's first three lines): only an address that starts with "app:" in any case
// is the program's; whatever opens lies inside the folder and is no program; whatever the window
// shows lies inside the folder too; the path rules resolve each path once and for all.

#include "FuzzSupport.h"
#include "framework/text/StringUtil.h"
#include "manuals/AppLink.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

bool InsideFolder(const std::string& folder, const std::string& path) {
    const auto canonicalFolder = applink::Canonical(folder);
    const auto canonicalPath = applink::Canonical(path);
    return canonicalFolder && canonicalPath && *canonicalPath == path &&
           applink::IsInside(*canonicalFolder, path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto arguments = fuzz::Arguments(fuzz::Bytes(data, size), 3);
    const std::string& folder = arguments[0];
    const std::string& frame = arguments[1];
    const std::string& url = arguments[2];

    if (const auto canonical = applink::Canonical(url)) {
        fuzz::Check(applink::Canonical(*canonical) == canonical, "a canonical path stays");
        fuzz::Check(canonical->find('/') == std::string::npos &&
                        (*canonical + "\\").find("\\..\\") == std::string::npos,
                    "no slash and no .. in a canonical path");
    }

    const auto command = applink::CommandOf(url);
    const bool isAppLink = url.size() >= 4 && text::ToLowerAscii(url.substr(0, 4)) == "app:";
    fuzz::Check(command.has_value() == isAppLink, "only app: addresses are the program's");
    for (const bool topLevel : {true, false}) {
        const applink::Action action = applink::DecideUrl(folder, frame, url, topLevel);
        using Kind = applink::Action::Kind;
        if (command) {
            fuzz::Check(action.kind != Kind::Navigate && action.kind != Kind::Browse,
                        "an app: address is never followed");
        } else {
            fuzz::Check(action.kind != Kind::Open && action.kind != Kind::Close &&
                            action.kind != Kind::Refuse,
                        "any other address is no command");
        }
        if (action.kind == Kind::Open) {
            fuzz::Check(InsideFolder(folder, action.path) && applink::IsDocument(action.path),
                        "only a document of the folder opens");
        }
        if (action.kind == Kind::Navigate && url != "about:blank") {
            const auto path = applink::PathOfUrl(url);
            fuzz::Check(path && InsideFolder(folder, *applink::Canonical(*path)),
                        "the window shows only pages of the folder");
        }
        if (action.kind == Kind::Browse) {
            fuzz::Check(topLevel, "only the window's own page sends the user to the browser");
        }
    }
    return 0;
}
