#pragma once
// What the help area shows for a help text.

#include <string>

struct HelpTextLayout {
    std::string text; // lines separated by line feeds
    int topOffset;    // from the top of the help area
};

// A backslash separates the lines of a help text. An empty help text shows `noneSelectText`.
HelpTextLayout ComposeHelpText(const std::string& help, const std::string& noneSelectText);

// The first `count` lines of `text` (lines separated by line feeds); lines that do not fit the
// help area are not drawn at all.
std::string FirstLines(const std::string& text, int count);
