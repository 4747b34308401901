#include "platform/portable/ProfileReader.h"

#include "framework/CodePages.h"
#include "framework/Unicode.h"
#include "platform/LongPath.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string_view>

namespace platform {
namespace {

// The file is handled as UTF-16 text, as the system does, so that files with a byte-order mark
// and buffer limits counted in UTF-16 units come out alike.
using Text = std::u16string;
using TextView = std::u16string_view;

constexpr char16_t kReplacement = 0xFFFD;

// A value is read into a buffer of this many characters before it is taken as an integer.
constexpr std::size_t kIntegerBufferSize = 30;

void AppendCodePoint(Text& text, char32_t code) {
    if (code < 0x10000) {
        text.push_back(static_cast<char16_t>(code));
        return;
    }
    code -= 0x10000;
    text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

// Decodes UTF-8 as the system does: every malformed sequence becomes one replacement
// character, and a lead byte takes the byte after it along into that sequence whenever it is a
// continuation byte, even one out of the range allowed after that lead byte.
Text FromUtf8(std::string_view bytes) {
    Text text;
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const auto isContinuation = [&](std::size_t i) {
        return i < bytes.size() && (byteAt(i) & 0xC0) == 0x80;
    };
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = byteAt(i++);
        if (lead < 0x80) {
            text.push_back(lead);
            continue;
        }
        // Length of the sequence and the range of its second byte, which excludes overlong
        // forms, surrogates and code points beyond U+10FFFF.
        int length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : low;
            high = lead == 0xED ? 0x9F : high;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : low;
            high = lead == 0xF4 ? 0x8F : high;
        }
        if (length == 0 || !isContinuation(i)) {
            text.push_back(kReplacement);
            continue;
        }
        const unsigned char second = byteAt(i++);
        if (second < low || second > high) {
            text.push_back(kReplacement);
            continue;
        }
        char32_t code = ((lead & (0x7Fu >> length)) << 6) | (second & 0x3Fu);
        bool complete = true;
        for (int rest = length - 2; rest > 0; --rest) {
            if (!isContinuation(i)) {
                complete = false;
                break;
            }
            code = (code << 6) | (byteAt(i++) & 0x3Fu);
        }
        if (complete) {
            AppendCodePoint(text, code);
        } else {
            text.push_back(kReplacement);
        }
    }
    return text;
}

// Decodes UTF-16 units; a last odd byte is no character.
Text FromUtf16(std::string_view bytes, bool bigEndian) {
    Text text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(
            static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    return text;
}

// A file with a byte-order mark is decoded by its mark, any other in `codePage`.
Text Decode(std::string_view bytes, unsigned codePage) {
    const auto startsWith = [&](std::string_view mark) {
        return bytes.substr(0, mark.size()) == mark;
    };
    if (startsWith("\xEF\xBB\xBF")) {
        return FromUtf8(bytes.substr(3));
    }
    if (startsWith("\xFF\xFE")) {
        return FromUtf16(bytes.substr(2), false);
    }
    if (startsWith("\xFE\xFF")) {
        return FromUtf16(bytes.substr(2), true);
    }
    return text::DecodeToUtf16(bytes, codePage);
}

// The file's bytes, or nothing when it cannot be opened. A file that is absent from an existing
// directory opens as an empty file; a path that names a directory or leads through a missing
// one does not open at all. The path is UTF-8; on Windows the wide-character functions of the
// C runtime take it, so that any path opens whatever the system's code page.
#if defined(_WIN32)
using Stat = struct _stati64;
int StatPath(const std::string& path, Stat& status) {
    const std::u16string wide = text::Utf8ToUtf16(LongForm(path));
    return _wstati64(reinterpret_cast<const wchar_t*>(wide.c_str()), &status);
}
std::FILE* OpenForReading(const std::string& path) {
    const std::u16string wide = text::Utf8ToUtf16(LongForm(path));
    return _wfopen(reinterpret_cast<const wchar_t*>(wide.c_str()), L"rb");
}
constexpr auto kDirectoryBit = _S_IFDIR;
#else
using Stat = struct stat;
int StatPath(const std::string& path, Stat& status) {
    return stat(path.c_str(), &status);
}
std::FILE* OpenForReading(const std::string& path) {
    return std::fopen(path.c_str(), "rb");
}
constexpr auto kDirectoryBit = S_IFDIR;
#endif

bool IsDirectory(const std::string& path) {
    Stat status{};
    return StatPath(path, status) == 0 && (status.st_mode & kDirectoryBit) != 0;
}

std::optional<std::string> ReadFile(const std::string& path) {
    Stat status{};
    const bool known = StatPath(path, status) == 0;
    if (known && ((status.st_mode & kDirectoryBit) != 0 ||
                  status.st_size > ProfileReader::kMaxFileSize)) {
        return std::nullopt;
    }
    if (std::FILE* file = OpenForReading(path)) {
        // In one read where the size is known: a language file may be large.
        std::string bytes;
        if (known && status.st_size > 0) {
            bytes.resize(static_cast<std::size_t>(status.st_size));
            bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        }
        char chunk[4096]; // whatever the file holds beyond the size it had
        std::size_t read = 0;
        while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0 &&
               bytes.size() + read <= static_cast<std::size_t>(ProfileReader::kMaxFileSize)) {
            bytes.append(chunk, read);
        }
        std::fclose(file);
        if (read > 0) {
            return std::nullopt; // it grew beyond the limit while being read
        }
        return bytes;
    }
    const std::size_t slash = path.find_last_of("\\/");
    const std::string directory =
        slash == std::string::npos ? std::string() : path.substr(0, slash);
    if (!known && (directory.empty() || IsDirectory(directory))) {
        return std::string();
    }
    return std::nullopt;
}

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

TextView Trim(TextView s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// A name or value of the file as the system keeps it: trimmed, then cut at the first NUL.
TextView Clean(TextView s) {
    s = Trim(s);
    return s.substr(0, s.find(u'\0'));
}

// A name asked for: a C string, so it ends at its first NUL, and trimmed.
Text QueryName(const std::string& name) {
    const Text text = text::Utf8ToUtf16(name.c_str());
    return Text(Trim(text));
}

char16_t FoldAscii(char16_t c) {
    return c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c;
}

Text Folded(TextView name) {
    Text folded(name);
    for (char16_t& c : folded) {
        c = FoldAscii(c);
    }
    return folded;
}

} // namespace

// A file as the lookups see it: its text and, for the first section of each name, the first
// line of each key name in it (a key without '=' has no value). Lines before the first section
// header form the section with the empty name; a later section of a name already seen is never
// read.
class ProfileReader::Index {
public:
    Index(std::string bytes, unsigned codePage)
        : m_bytes(std::move(bytes)), m_codePage(codePage), m_text(Decode(m_bytes, codePage)) {
        Section* current = &m_sections[Text()];
        std::vector<Text>* currentKeyNames = &m_keyNames[Text()];
        const TextView text(m_text);
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = std::min(text.find_first_of(u"\r\n", start), text.size());
            const TextView line = Trim(text.substr(start, end - start));
            start = end + 1;
            if (line.empty()) {
                continue;
            }
            const std::size_t close = line.rfind(u']');
            if (line.front() == u'[' && close != TextView::npos) {
                const TextView written = Clean(line.substr(1, close - 1));
                Text name = Folded(written);
                if (m_headers.insert(name).second) {
                    m_headerNames.emplace_back(written);
                }
                const auto [section, added] = m_sections.try_emplace(name);
                current = added ? &section->second : nullptr;
                currentKeyNames = added ? &m_keyNames[name] : nullptr;
                continue;
            }
            if (current != nullptr) {
                const std::size_t equals = line.find(u'=');
                const std::optional<TextView> value =
                    equals == TextView::npos ? std::nullopt
                                             : std::optional(Clean(line.substr(equals + 1)));
                const TextView written = Clean(line.substr(0, equals));
                if (current->try_emplace(Folded(written), value).second) {
                    currentKeyNames->emplace_back(written);
                }
            }
        }
    }
    Index(const Index&) = delete;
    Index& operator=(const Index&) = delete;

    bool IsOf(unsigned codePage) const { return codePage == m_codePage; }
    bool IsOf(const std::string& bytes, unsigned codePage) const {
        return IsOf(codePage) && bytes == m_bytes;
    }

    // The value of the first `key` in the first `section`; nothing when there is no such key
    // or its line has no '='.
    std::optional<TextView> Find(TextView section, TextView key) const {
        const auto found = m_sections.find(Folded(section));
        if (found == m_sections.end()) {
            return std::nullopt;
        }
        const auto value = found->second.find(Folded(key));
        return value != found->second.end() ? value->second : std::nullopt;
    }

    // Whether a section header of this name is in the file.
    bool HasHeader(TextView section) const { return m_headers.count(Folded(section)) != 0; }

    const std::vector<Text>& HeaderNames() const { return m_headerNames; }

    // The key names of the first `section`, as first written, in the order of the file.
    std::vector<Text> KeyNames(TextView section) const {
        const auto found = m_keyNames.find(Folded(section));
        return found == m_keyNames.end() ? std::vector<Text>() : found->second;
    }

private:
    using Section = std::map<Text, std::optional<TextView>>;

    const std::string m_bytes;
    const unsigned m_codePage;
    const Text m_text; // the values point into it
    std::map<Text, Section> m_sections;
    std::set<Text> m_headers; // the names of the sections with a header
    // The same as first written, in the order of the file; and by section, its key names so.
    std::vector<Text> m_headerNames;
    std::map<Text, std::vector<Text>> m_keyNames;
};

namespace {

// What a buffer of `size` (at least 1) characters receives of `value`: without one pair of
// enclosing quotes, at most size - 1 characters. The closing quote is dropped by position, as
// the last character copied whenever the buffer could take everything up to and including
// that quote except for the terminator, so a value that fits only without its closing quote
// loses one character more.
Text Copy(TextView value, std::size_t size) {
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                        value.back() == value.front();
    if (!quoted) {
        return Text(value.substr(0, size - 1));
    }
    const TextView rest = value.substr(1); // still ends with the closing quote
    Text copied(rest.substr(0, size - 1));
    if (size >= rest.size() && !copied.empty()) {
        copied.pop_back();
    }
    return copied;
}

// The caller's default as the system uses it: trailing spaces removed, but never the first
// character.
Text DefaultText(const std::string& def) {
    Text text = text::Utf8ToUtf16(def.c_str());
    while (text.size() > 1 && text.back() == u' ') {
        text.pop_back();
    }
    return text;
}

int DigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'z') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'Z') {
        return c - u'A' + 10;
    }
    return 36;
}

int ParseInteger(TextView s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] <= u' ') {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    std::uint32_t base = 10;
    if (i + 1 < s.size() && s[i] == u'0') {
        switch (s[i + 1]) {
        case u'x':
            base = 16;
            break;
        case u'o':
            base = 8;
            break;
        case u'b':
            base = 2;
            break;
        default:
            break;
        }
        i += base == 10 ? 0 : 2;
    }
    std::uint32_t value = 0; // wraps modulo 2^32 like the system's conversion
    for (; i < s.size(); ++i) {
        const auto digit = static_cast<std::uint32_t>(DigitValue(s[i]));
        if (digit >= base) {
            break;
        }
        value = value * base + digit;
    }
    if (negative) {
        value = 0u - value;
    }
    return value <= INT32_MAX ? static_cast<int>(value) : -static_cast<int>(~value) - 1;
}

} // namespace

ProfileReader::ProfileReader() = default;
ProfileReader::~ProfileReader() = default;

// A page reads dozens of values from one file, and reading a file costs far more than looking
// at its size and last-write time. As the system's own profile functions do, the last file's
// index is used again while its size and last-write time stay as they were; the file is read
// again (and decoded again if its bytes changed) whenever they differ, and whenever it was
// written so shortly before it was read that a later change could keep both (the time is kept
// in seconds, or two on some file systems).
std::shared_ptr<const ProfileReader::Index>
ProfileReader::IndexOf(const std::string& file, unsigned codePage) const {
    constexpr long long kWriteTimeGrain = 2;
    Stat status{};
    std::optional<Signature> signature;
    if (StatPath(file, status) == 0 && (status.st_mode & kDirectoryBit) == 0) {
        signature = Signature{static_cast<long long>(status.st_size),
                              static_cast<long long>(status.st_mtime)};
    }
    if (m_last != nullptr && m_lastFile == file && m_last->IsOf(codePage) && signature &&
        signature == m_lastSignature && signature->writeTime + kWriteTimeGrain < m_lastReadTime) {
        return m_last;
    }
    const long long readTime = static_cast<long long>(std::time(nullptr));
    auto bytes = ReadFile(file);
    if (!bytes) {
        return nullptr;
    }
    if (m_last == nullptr || m_lastFile != file || !m_last->IsOf(*bytes, codePage)) {
        m_last = std::make_shared<const Index>(std::move(*bytes), codePage);
        m_lastFile = file;
    }
    m_lastSignature = signature;
    m_lastReadTime = readTime;
    return m_last;
}

std::string ProfileReader::GetString(const std::string& file, unsigned codePage,
                                         const std::string& section, const std::string& key,
                                         const std::string& def, std::size_t bufferSize) const {
    if (bufferSize == 0) {
        return {};
    }
    const auto index = IndexOf(file, codePage);
    if (index == nullptr) {
        // Without a file the default is only cut to the buffer, its quotes stay.
        return text::Utf16ToUtf8(TextView(DefaultText(def)).substr(0, bufferSize - 1));
    }
    const auto value = index->Find(QueryName(section), QueryName(key));
    return text::Utf16ToUtf8(Copy(value ? *value : TextView(DefaultText(def)), bufferSize));
}

int ProfileReader::GetInt(const std::string& file, unsigned codePage,
                              const std::string& section, const std::string& key, int def) const {
    const auto index = IndexOf(file, codePage);
    if (index == nullptr) {
        return def;
    }
    const auto value = index->Find(QueryName(section), QueryName(key));
    if (!value) {
        return def;
    }
    const Text digits = Copy(*value, kIntegerBufferSize);
    return digits.empty() ? def : ParseInteger(digits);
}

bool ProfileReader::HasSection(const std::string& file, unsigned codePage,
                                   const std::string& section) const {
    const auto index = IndexOf(file, codePage);
    return index != nullptr && index->HasHeader(QueryName(section));
}

namespace {

std::vector<std::string> Utf8Names(const std::vector<Text>& names) {
    std::vector<std::string> utf8;
    utf8.reserve(names.size());
    for (const Text& name : names) {
        utf8.push_back(text::Utf16ToUtf8(name));
    }
    return utf8;
}

} // namespace

std::vector<std::string> ProfileReader::SectionNames(const std::string& file,
                                                     unsigned codePage) const {
    const auto index = IndexOf(file, codePage);
    return index == nullptr ? std::vector<std::string>() : Utf8Names(index->HeaderNames());
}

std::vector<std::string> ProfileReader::KeyNames(const std::string& file, unsigned codePage,
                                                 const std::string& section) const {
    const auto index = IndexOf(file, codePage);
    return index == nullptr ? std::vector<std::string>()
                            : Utf8Names(index->KeyNames(QueryName(section)));
}

} // namespace platform
