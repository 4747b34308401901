#include "menu/HelpText.h"

#include "framework/StringUtil.h"
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
