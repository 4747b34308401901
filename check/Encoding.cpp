// The code page of a language file: bytes that are no character of it, and a file saved as
// UTF-8 instead.

#include "check/Checking.h"
#include "framework/text/Unicode.h"

#include <algorithm>

namespace check {

namespace {

const char kReplacementUtf8[] = "\xef\xbf\xbd"; // U+FFFD

bool IsAscii(const std::string& bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

// Whether a file that the menu decodes from its code page holds UTF-8 instead: text other than
// ASCII, all of it well-formed UTF-8. Text of either code page is that only by rare chance
// (in 1252, "Ã©" stands where "é" saved as UTF-8 does; in 936 few pairs of bytes are also
// UTF-8, and hardly ever a whole file of them). A file with a byte-order mark is decoded by its
// mark and reads right.
bool SavedAsUtf8(const std::string& bytes) {
    const auto startsWith = [&](const char* mark) { return bytes.rfind(mark, 0) == 0; };
    if (startsWith("\xef\xbb\xbf") || startsWith("\xff\xfe") || startsWith("\xfe\xff")) {
        return false;
    }
    return !IsAscii(bytes) && text::IsUtf8(bytes);
}

} // namespace

void Look(Checking& check, const std::string& section, const std::string& key,
          const std::string& value) {
    if (value.find(kReplacementUtf8) != std::string::npos) {
        check.invalid.Add(section, key, value);
    }
    if (!IsAscii(value)) {
        check.nonAscii.Add(section, key, value);
    }
}

void ReportEncoding(Checking& check, const LanguageFile& file, const std::string& bytes) {
    const auto more = [](const Tally& tally) {
        return tally.count > 1 ? " (and " + std::to_string(tally.count - 1) + " more values)"
                               : std::string();
    };
    const std::string codePage = std::to_string(file.codePage);
    // Saved as UTF-8, every text beyond ASCII is garbled, and so are the bytes that show as
    // invalid: one finding says why.
    if (check.nonAscii.count > 0 && SavedAsUtf8(bytes)) {
        check.Add(Kind::SavedAsUtf8, file.name, check.nonAscii.section, check.nonAscii.key,
                  Quote(check.nonAscii.value) + " is UTF-8 text shown in code page " + codePage +
                      more(check.nonAscii) +
                      ": the file is saved as UTF-8, so every text with characters other than "
                      "ASCII is garbled; save it in code page " +
                      codePage);
    } else if (check.invalid.count > 0) {
        check.Add(Kind::InvalidBytes, file.name, check.invalid.section, check.invalid.key,
                  Quote(check.invalid.value) + " holds bytes that are no character of code page " +
                      codePage + " and show as \xef\xbf\xbd" + more(check.invalid) +
                      ": save the file in code page " + codePage);
    }
}

} // namespace check
