// The help strip's layout (menu/HelpText.h) over any help text (the input after its first line)
// and text for no entry (the first line): a backslash starts a line, two line feeds close the
// text, an empty help text shows the text for no entry, and several lines start higher. Then
// the lines that fit: the first ones of the text, no more than asked for.

#include "FuzzSupport.h"
#include "menu/HelpText.h"
#include "menu/PageLayout.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto arguments = fuzz::Arguments(fuzz::Bytes(data, size), 2);
    const std::string& noneSelectText = arguments[0];
    const std::string& help = arguments[1];
    const HelpTextLayout layout = ComposeHelpText(help, noneSelectText);
    const int fitting = static_cast<int>(help.size() % 4);
    const std::string shown = FirstLines(layout.text, fitting);
    fuzz::Check(layout.text.compare(0, shown.size(), shown) == 0, "the first lines of the text");
    fuzz::Check(std::count(shown.begin(), shown.end(), '\n') < std::max(fitting, 1),
                "no more lines than fit");
    if (help.empty()) {
        fuzz::Check(layout.text == noneSelectText, "an empty help text shows the text for none");
        fuzz::Check(layout.topOffset == layout::kHelpTextTopOneLine, "one line for none");
        return 0;
    }
    std::string expected = help;
    std::replace(expected.begin(), expected.end(), '\\', '\n');
    fuzz::Check(layout.text == expected + "\n\n", "each backslash becomes a line feed");
    const bool several = help.find('\\') != std::string::npos;
    fuzz::Check(layout.topOffset ==
                    (several ? layout::kHelpTextTopSeveralLines : layout::kHelpTextTopOneLine),
                "several lines start higher than one");
    return 0;
}
