#pragma once
// What the profile functions make of a value: the part a caller's buffer receives, the caller's
// default, a value taken as an integer.

#include "platform/profile/ProfileText.h"

#include <cstddef>
#include <string>

namespace platform::profile {

// A value is read into a buffer of this many characters before it is taken as an integer.
constexpr std::size_t kIntegerBufferSize = 30;

// What a buffer of `size` (at least 1) characters receives of `value`: without one pair of
// enclosing quotes, at most size - 1 characters. The closing quote is dropped by position, as
// the last character copied whenever the buffer could take everything up to and including
// that quote except for the terminator, so a value that fits only without its closing quote
// loses one character more.
Text Copy(TextView value, std::size_t size);

// The caller's default as the system uses it: trailing spaces removed, but never the first
// character.
Text DefaultText(const std::string& def);

// The value taken as an integer: leading characters up to space skipped, one optional sign, a
// lower-case prefix 0x, 0o or 0b, then digits until the first non-digit, modulo 2^32.
int ParseInteger(TextView s);

} // namespace platform::profile
