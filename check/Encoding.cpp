// The code page of a language file: bytes that are no character of it, and a file saved as
// UTF-8 instead.

#include "check/Checking.h"
#include "framework/CodePages.h"
#include "framework/Unicode.h"

#include <algorithm>
#include <map>

namespace check {

namespace {

const char kReplacementUtf8[] = "\xef\xbf\xbd"; // U+FFFD

// The bytes of code page 1252 by the characters they stand for.
std::map<char16_t, char> WesternBytes() {
    std::map<char16_t, char> bytes;
    for (int byte = 1; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const char16_t character = text::DecodeToUtf16(one, text::kWesternEuropean).front();
        if (character != text::kReplacement) {
            bytes.emplace(character, one.front());
        }
    }
    return bytes;
}

// Whether a value read from a code page 1252 file holds, in the file, a UTF-8 sequence of two
// to four bytes ("é" saved as UTF-8 reads as "Ã©"): a sign that the file was saved as UTF-8.
bool HoldsUtf8(const std::string& value) {
    static const std::map<char16_t, char> kBytesOf = WesternBytes();
    std::string bytes;
    for (const char16_t character : text::Utf8ToUtf16(value)) {
        const auto found = kBytesOf.find(character);
        if (found == kBytesOf.end()) {
            return false; // no text of code page 1252
        }
        bytes += found->second;
    }
    // Decoded as UTF-8 by the program's one decoder, a well-formed sequence gives its
    // character, and a byte of no sequence the replacement character.
    const std::u16string decoded = text::Utf8ToUtf16(bytes);
    return std::any_of(decoded.begin(), decoded.end(), [](char16_t character) {
        return character >= 0x80 && character != text::kReplacement;
    });
}

} // namespace

void Look(Checking& check, const LanguageFile& file, const std::string& section,
          const std::string& key, const std::string& value) {
    if (value.find(kReplacementUtf8) != std::string::npos) {
        check.invalid.Add(section, key, value);
    } else if (file.codePage == text::kWesternEuropean && HoldsUtf8(value)) {
        check.utf8.Add(section, key, value);
    }
}

void ReportEncoding(Checking& check, const LanguageFile& file) {
    const auto more = [](const Tally& tally) {
        return tally.count > 1 ? " (and " + std::to_string(tally.count - 1) + " more values)"
                               : std::string();
    };
    const std::string codePage = std::to_string(file.codePage);
    if (check.invalid.count > 0) {
        check.Add(Kind::InvalidBytes, file.name, check.invalid.section, check.invalid.key,
                  Quote(check.invalid.value) + " holds bytes that are no character of code page " +
                      codePage + " and show as \xef\xbf\xbd" + more(check.invalid) +
                      ": save the file in code page " + codePage);
    }
    if (check.utf8.count > 0) {
        check.Add(Kind::SavedAsUtf8, file.name, check.utf8.section, check.utf8.key,
                  Quote(check.utf8.value) + " reads as UTF-8 text shown in code page 1252" +
                      more(check.utf8) +
                      ": the file seems saved as UTF-8; save it in code page 1252");
    }
}

} // namespace check
