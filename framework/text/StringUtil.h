#pragma once
// Helpers for the program's 8-bit strings (the system's ANSI code page).

#include <initializer_list>
#include <string>
#include <vector>

namespace text {

// ASCII letters folded to lower case; other bytes unchanged.
char ToLowerAscii(char c);
std::string ToLowerAscii(std::string s);

// Equal, ignoring the letter case of ASCII letters.
bool EqualsNoCase(const std::string& a, const std::string& b);

// Whether `s` begins with `prefix`, ignoring the letter case of ASCII letters.
bool StartsWithNoCase(const std::string& s, const std::string& prefix);

bool EndsWith(const std::string& s, char c);

// `s` without blanks (space, tab, CR, LF) at both ends.
std::string Trim(const std::string& s);

// `format` (a text of the program's with blanks to fill) with its "%s" replaced by `values`,
// the first by the first and so on; a blank without a value stays, a value without a blank
// is left out. "%%" is a percent sign.
std::string FillIn(const std::string& format, std::initializer_list<std::string> values);

// The blanks of `format` in order, each as the letter after its "%" ("ss" for "%s ... %s"):
// "%s" is the blank FillIn fills, "%d" or any other letter one of another kind that a translator
// may have taken from a formatter. "%%" and a "%" before anything but a letter are percent signs.
std::string Blanks(const std::string& format);

// Whether `translation` can stand for `original`: the same blanks in the same order, so that
// every value goes where the original puts it.
bool SameBlanks(const std::string& translation, const std::string& original);

// The pieces of `s` between the separators, empty pieces kept.
std::vector<std::string> Split(const std::string& s, char separator);

} // namespace text
