#include "docs/AppLink.h"

#include "framework/StringUtil.h"
#include "res/resource.h"

#include <cstring>

namespace applink {

namespace {
const char kReturnCommand[] = "return";
const char kFileLabel[] = "\r\n\r\nFile: ";
constexpr unsigned kWarningStyle = platform::mb::kOk | platform::mb::kIconHand;
} // namespace

std::optional<std::string> CommandOf(const std::string& url) {
    // The prefix is plain ASCII, and no lead byte of a multibyte character equals one of its
    // characters, so comparing bytes is enough in every ANSI code page.
    if (!text::StartsWithNoCase(url, kPrefix)) {
        return std::nullopt;
    }
    return url.substr(std::strlen(kPrefix));
}

Action DecideCommand(const std::string& documentDir, const std::string& command) {
    if (text::EqualsNoCase(command, kReturnCommand)) {
        return {Action::Kind::Close, {}};
    }
    // Only a backslash makes a path of its own; forward slashes stay inside the folder.
    if (command.find('\\') == std::string::npos) {
        return {Action::Kind::Open, documentDir + "\\" + command};
    }
    return {Action::Kind::Open, command};
}

Action DecideUrl(const std::string& documentDir, const std::string& url) {
    const auto command = CommandOf(url);
    if (!command) {
        return {Action::Kind::Navigate, {}};
    }
    return DecideCommand(documentDir, *command);
}

bool OpenDocument(const DocumentServices& services, platform::WindowRef activeWindow,
                  platform::WindowRef messageOwner, const std::string& path) {
    const auto program = services.shell.FindAssociatedProgram(path);
    if (!program) {
        // The text speaks of PDF files whatever the document's type: the manuals are PDFs.
        services.ui.ShowMessage(
            messageOwner, services.strings.Load(IDS_BUILTIN_NO_PDF_READER) + kFileLabel + path,
            services.strings.Load(IDS_BUILTIN_TITLE), kWarningStyle);
        return false;
    }
    // Whether the program starts is not checked.
    services.shell.Open(activeWindow, *program, "\"" + path + "\"");
    return true;
}

} // namespace applink
