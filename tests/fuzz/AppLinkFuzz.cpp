// The manuals window's decision on a navigation (docs/AppLink.h) over any document folder (the
// first line of the input) and address (the rest): only an address that starts with "app:" in
// any case is the program's, "return" closes, a command with a backslash is a path of its own,
// any other names a document in the folder.

#include "FuzzSupport.h"
#include "docs/AppLink.h"
#include "framework/StringUtil.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto arguments = fuzz::Arguments(fuzz::Bytes(data, size), 2);
    const std::string& folder = arguments[0];
    const std::string& url = arguments[1];

    const auto command = applink::CommandOf(url);
    const bool isAppLink = url.size() >= 4 && text::ToLowerAscii(url.substr(0, 4)) == "app:";
    fuzz::Check(command.has_value() == isAppLink, "only app: addresses are the program's");
    const applink::Action action = applink::DecideUrl(folder, url);
    if (!command) {
        fuzz::Check(action.kind == applink::Action::Kind::Navigate && action.path.empty(),
                    "the browser follows any other address");
        return 0;
    }
    fuzz::Check(*command == url.substr(4), "the command is the rest of the address as it stands");

    const applink::Action decided = applink::DecideCommand(folder, *command);
    fuzz::Check(action.kind == decided.kind && action.path == decided.path,
                "an app: address is decided by its command");
    if (text::ToLowerAscii(*command) == "return") {
        fuzz::Check(action.kind == applink::Action::Kind::Close && action.path.empty(),
                    "return in any case closes");
    } else if (command->find('\\') != std::string::npos) {
        fuzz::Check(action.kind == applink::Action::Kind::Open && action.path == *command,
                    "a command with a backslash is a path as it stands");
    } else {
        fuzz::Check(action.kind == applink::Action::Kind::Open &&
                        action.path == folder + "\\" + *command,
                    "any other command names a document in the folder");
    }
    return 0;
}
