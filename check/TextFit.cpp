// Whether the texts of a page fit where the page draws them: the entries and the help strip.

#include "check/Checking.h"
#include "framework/text/StringUtil.h"
#include "menu/HelpText.h"
#include "menu/PageLayout.h"

namespace check {

namespace {

// The help text starts 18 pixels from the left of the strip, which is as wide as the page.
constexpr int kHelpWidth =
    layout::kBackgroundWidth + layout::kColumnAndMargins - layout::kHelpTextIndent;
// Several help lines start 5 pixels below the top of the 40-pixel strip, 14 pixels apart (the
// height of a line of 12-pixel Arial): two lines are shown whole.
constexpr int kHelpLineHeight = 14;
constexpr int kHelpLinesShown =
    (layout::kHelpAreaHeight - layout::kHelpTextTopSeveralLines) / kHelpLineHeight;

} // namespace

void CheckEntryWidth(Checking& check, const LanguageFile& file, const std::string& section,
                     const std::string& key, const std::string& text) {
    const int width = check.widths.LineWidths(TextStyle::Entry, text).front();
    if (width > layout::kEntryWidth) {
        check.Add(Kind::EntryTooWide, file.name, section, key,
                  Quote(text) + " is " + std::to_string(width) +
                      " pixels wide in bold 14-pixel Arial; the entry is " +
                      std::to_string(layout::kEntryWidth) + ": the text is cut at both ends");
    }
}

void CheckHelp(Checking& check, const LanguageFile& file, const std::string& section,
               const std::string& key, const std::string& help) {
    const std::vector<std::string> lines = text::Split(help, '\\');
    if (static_cast<int>(lines.size()) > kHelpLinesShown) {
        const std::string shown = std::to_string(kHelpLinesShown);
        check.Add(Kind::HelpTooManyLines, file.name, section, key,
                  std::to_string(lines.size()) +
                      " lines (a backslash starts a line): the help strip shows " + shown);
    }
    CheckHelpWidth(check, file, section, key, ComposeHelpText(help, "").text);
}

// Measures the lines of `shown` (separated by line feeds) as the strip draws them, in the face
// chosen for the whole text.
void CheckHelpWidth(Checking& check, const LanguageFile& file, const std::string& section,
                    const std::string& key, const std::string& shown) {
    std::vector<std::string> lines = text::Split(shown, '\n');
    while (lines.size() > 1 && lines.back().empty()) {
        lines.pop_back(); // the line feeds that close a composed help text
    }
    const std::vector<int> widths = check.widths.LineWidths(TextStyle::Help, shown);
    for (std::size_t i = 0; i < lines.size() && i < widths.size(); ++i) {
        if (widths[i] > kHelpWidth) {
            check.Add(Kind::HelpTooWide, file.name, section, key,
                      (lines.size() > 1 ? "line " + std::to_string(i + 1) + ", " : std::string()) +
                          Quote(lines[i]) + ", is " + std::to_string(widths[i]) +
                          " pixels wide in 12-pixel Arial; the help strip has room for " +
                          std::to_string(kHelpWidth) + ": the rest is cut off");
            return;
        }
    }
}

} // namespace check
