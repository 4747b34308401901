#pragma once
// The text of a profile file as its lookups see it: decoded to UTF-16, as the system handles
// it, so that files with a byte-order mark and buffer limits counted in UTF-16 units come out
// alike; and the rules of its names (blanks, NUL, the letter case of ASCII letters).

#include <string>
#include <string_view>

namespace platform::profile {

using Text = std::u16string;
using TextView = std::u16string_view;

// A file with a byte-order mark (UTF-8, UTF-16 little- or big-endian) is decoded by its mark,
// any other in `codePage`; malformed bytes become replacement characters.
Text Decode(std::string_view bytes, unsigned codePage);

// Without blanks (space, tab, LF, VT, FF, CR) at either end.
TextView Trim(TextView s);
// A name or value of the file as the system keeps it: trimmed, then cut at the first NUL.
TextView Clean(TextView s);
// A name asked for: a C string, so it ends at its first NUL, and trimmed.
Text QueryName(const std::string& name);
// Names match with ASCII letters folded only.
Text Folded(TextView name);

} // namespace platform::profile
