#pragma once
#include "platform/ProfileFile.h"
#include "platform/profile/ProfileFileInput.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

namespace profile {
class Index;
} // namespace profile

// Reads private-profile files (decoding: ProfileText, file input: ProfileFileInput, parsing:
// ProfileIndex, value rules: ProfileValues; the cache of the last file here) without the
// profile functions of the system, by the rules of
// GetPrivateProfileStringW and GetPrivateProfileIntW, but decoding a file without byte-order
// mark from the code page it is written in rather than from the system's: the language files
// of a disc read the same on every system. The file name is a UTF-8 path used as given (no
// search of the Windows directory), and a change of the file is seen at the next call, so a
// swapped disc is seen at once (the file is read again whenever its size or last-write time
// changed, and decoded again whenever its bytes did).
//
// The rules, as the system applies them:
// - A file that starts with a UTF-8 or UTF-16 byte-order mark is decoded accordingly; any other
//   file from the code page given (see text::DecodeToUtf16). Results come back as UTF-8. Lines
//   end at CR or LF.
// - A file that is absent from an existing directory reads as empty. A path that names a
//   directory or leads through a missing one is no file at all: the default is then only cut
//   to the buffer, its quotes stay. So is a file larger than kMaxFileSize: reading and decoding
//   it could take more memory than a 32-bit process has, and no language file needs that much.
// - Names match with ASCII letters folded only. Blanks (space, tab, LF, VT, FF, CR) around names
//   and values in the file and around the names asked for are ignored; a name or value ends at
//   the first NUL character.
// - "[name]" after optional blanks starts a section; the name ends at the last ']' of the line
//   and the rest of the line is ignored. A '[' line without ']' is an ordinary line. Lines before
//   the first section form a section with the empty name; a later "[]" is then never reached.
//   That is Wine's rule, which the differential test checks the reader against; Windows reads
//   the "[]" section for the empty name instead. The menu never asks for the empty name, so
//   the two differ for no language file.
// - Every other non-blank line is a key: the text before the first '=' is its name and the text
//   after it its value. A line without '=' is a key without a value, which yields the default.
//   ';' and '#' have no special meaning: such lines are keys nobody asks for.
// - Only the first section of a name counts and, in it, only the first key of a name.
// - A value whose first and last characters are the same quote (' or ") of at least two
//   characters loses both, with one quirk when the buffer is short: the closing quote counts
//   towards the buffer, so a value that fits only without its closing quote also loses its last
//   character. The result holds at most bufferSize - 1 characters.
// - The default loses its trailing spaces (not the first character) and then goes through the
//   same quote removal and truncation.
// - An integer is read from the first 29 characters of the value (after quote removal): leading
//   characters up to space skipped, one optional sign, a lower-case prefix 0x, 0o or 0b for
//   base 16, 8 or 2, then digits until the first non-digit, wrapping modulo 2^32. An absent or
//   empty value gives the default; a value without digits gives 0.
class ProfileReader final : public IProfileFile {
public:
    static constexpr long long kMaxFileSize = profile::kMaxFileSize; // bytes

    ProfileReader();
    ~ProfileReader() override;

    std::string GetString(const std::string& file, unsigned codePage, const std::string& section,
                          const std::string& key, const std::string& def,
                          std::size_t bufferSize) const override;
    int GetInt(const std::string& file, unsigned codePage, const std::string& section,
               const std::string& key, int def) const override;

    // Whether `file` has a section named `section`, by the rules above (the menu itself never
    // asks: a missing section reads as one without keys).
    bool HasSection(const std::string& file, unsigned codePage, const std::string& section) const;

    // What the file holds, for its checker (the menu asks only for names it knows): the names
    // of its sections with a header, and the names of the keys in the section that is read for
    // `section` (a line without '=' is a key too). Each name appears once, as first written, in
    // the order of the file.
    std::vector<std::string> SectionNames(const std::string& file, unsigned codePage) const;
    std::vector<std::string> KeyNames(const std::string& file, unsigned codePage,
                                      const std::string& section) const;

private:
    std::shared_ptr<const profile::Index> IndexOf(const std::string& file, unsigned codePage) const;

    // The last file read, decoded and indexed, with its signature then and when it was read.
    mutable std::shared_ptr<const profile::Index> m_last;
    mutable std::string m_lastFile;
    mutable std::optional<profile::FileSignature> m_lastSignature;
    mutable long long m_lastReadTime = 0;
};

} // namespace platform
