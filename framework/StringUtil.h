#pragma once
// Helpers for the program's 8-bit strings (the system's ANSI code page).

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

// The pieces of `s` between the separators, empty pieces kept.
std::vector<std::string> Split(const std::string& s, char separator);

} // namespace text
