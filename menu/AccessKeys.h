#pragma once
// Access keys of entry texts. An author marks an entry's access key by writing `&` before it
// ("&Install"), and a literal ampersand as "&&", as in the texts of the system's own controls;
// without a mark the first letter of the text is the access key. The mark is never shown as
// an ampersand: the window underlines the marked letter where the system shows access keys.

#include <string>

namespace accesskeys {

// The text as read aloud or shown without underline: marks removed, "&&" read as "&".
std::string PlainText(const std::string& text);

// Whether the text shows nothing but spaces.
bool IsBlank(const std::string& text);

// The access key of an entry text, folded; 0 for a blank text.
char32_t AccessKey(const std::string& text);

// A character as access keys compare: lower case for the Latin, Greek and Cyrillic letters
// that have one, everything else as it stands.
char32_t Fold(char32_t character);

} // namespace accesskeys
