#include "menu/HelpText.h"

#include "framework/text/StringUtil.h"
#include "menu/PageLayout.h"

HelpTextLayout ComposeHelpText(const std::string& help, const std::string& noneSelectText) {
    const auto lines = text::Split(help, '\\');
    std::string composed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        composed += (i > 0 ? "\n" : "") + lines[i];
    }
    composed += "\n\n";
    const int top =
        lines.size() > 1 ? layout::kHelpTextTopSeveralLines : layout::kHelpTextTopOneLine;
    // Only an empty help text composes to nothing but the two closing line feeds.
    return {composed == "\n\n" ? noneSelectText : composed, top};
}

std::string FirstLines(const std::string& text, int count) {
    std::size_t end = 0; // just past the last line feed kept
    for (int line = 0; line < count; ++line) {
        const std::size_t feed = text.find('\n', end);
        if (feed == std::string::npos) {
            return text;
        }
        end = feed + 1;
    }
    return text.substr(0, end > 0 ? end - 1 : 0);
}
