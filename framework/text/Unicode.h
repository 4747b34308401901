#pragma once
// The program's texts are UTF-8 in std::string. These convert them to and from UTF-16, the
// form of the system's wide-character functions.

#include <string>
#include <string_view>

namespace text {

// The replacement character, which stands for bytes that are no character.
constexpr char32_t kReplacement = 0xFFFD;

// Appends `code` to `utf8` as UTF-8.
void AppendUtf8(std::string& utf8, char32_t code);

// UTF-16 units (surrogate pairs joined; a lone surrogate becomes the replacement character).
std::string Utf16ToUtf8(std::u16string_view utf16);

// Appends `code` (no surrogate) to `utf16`, as a surrogate pair beyond U+FFFF.
void AppendUtf16(std::u16string& utf16, char32_t code);

// Each malformed byte sequence becomes one replacement character, as the system decodes it: a
// lead byte takes the byte after it along into the malformed sequence whenever that is a
// continuation byte, even one out of the range allowed after that lead byte.
std::u16string Utf8ToUtf16(std::string_view utf8);

// Whether `bytes` are well-formed UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF).
bool IsUtf8(std::string_view bytes);

} // namespace text
