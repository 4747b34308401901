// The portable profile reader (platform/profile/ProfileReader.h) over any file: the input is
// written to a temporary file and read in code pages 1252 and 936 with the names of the file's
// own sections and keys and some fixed ones, into buffers of every kind of size. A result is
// well-formed UTF-8, fits its buffer, is the start of what a larger buffer gets, and a name that
// no file can hold gives the default.

#include "FuzzSupport.h"
#include "framework/text/CodePages.h"
#include "framework/text/Unicode.h"
#include "platform/profile/ProfileReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kLargeBuffer = 1 << 16;
constexpr std::size_t kBufferSizes[] = {0, 1, 2, 3, 30, 256};
// Every read reads the whole file again (to see whether it changed), so an input is asked only
// this many of its own keys.
constexpr std::size_t kMaxOwnKeys = 6;

// A key name cannot hold '=' and a section name cannot hold a line end, so these are never
// found.
const char kMissingKey[] = "no=such key";
const char kMissingSection[] = "no\nsuch section";

struct Query {
    std::string section;
    std::string key;
};

// Some fixed names, then the first keys of the file with the section they stand in, decoded
// from the code page, and the first of them also as the file's bytes (any bytes, as a name
// given to the reader may be).
std::vector<Query> QueriesOf(const std::string& bytes, unsigned codePage) {
    std::vector<Query> queries{{"RES_STR", "IDS_LABEL"}, {"Main Dialog", "Number of menu"}};
    std::string section;
    std::size_t start = 0;
    while (start < bytes.size() && queries.size() < kMaxOwnKeys + 3) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        const std::string line = bytes.substr(start, end - start);
        start = end + 1;
        const std::size_t open = line.find('[');
        const std::size_t close = line.rfind(']');
        if (open != std::string::npos && close != std::string::npos && open < close) {
            section = line.substr(open + 1, close - open - 1);
        } else if (!line.empty()) {
            const std::string key = line.substr(0, line.find('='));
            if (queries.size() == 2) {
                queries.push_back({section, key});
            }
            queries.push_back({text::Decode(section, codePage), text::Decode(key, codePage)});
        }
    }
    return queries;
}

// Whether `part`, in UTF-16, is the start of `whole`; a buffer may end inside a surrogate pair,
// whose half then comes back as the replacement character.
bool IsStartOf(const std::u16string& part, const std::u16string& whole) {
    if (part.size() > whole.size()) {
        return false;
    }
    if (whole.compare(0, part.size(), part) == 0) {
        return true;
    }
    return !part.empty() && part.back() == text::kReplacement &&
           whole.compare(0, part.size() - 1, part, 0, part.size() - 1) == 0;
}

// Checks `section` and `key` with buffers of every size; returns the value a large buffer gets.
std::string CheckString(const platform::ProfileReader& reader, const std::string& file,
                        unsigned codePage, const std::string& section, const std::string& key,
                        const std::string& def) {
    std::string whole = reader.GetString(file, codePage, section, key, def, kLargeBuffer);
    fuzz::Check(fuzz::IsValidUtf8(whole), "a value is well-formed UTF-8");
    const std::u16string wholeUnits = text::Utf8ToUtf16(whole);
    fuzz::Check(wholeUnits.size() < kLargeBuffer, "a value fits its buffer");
    for (const std::size_t size : kBufferSizes) {
        const std::string value = reader.GetString(file, codePage, section, key, def, size);
        fuzz::Check(fuzz::IsValidUtf8(value), "a cut value is well-formed UTF-8");
        const std::u16string units = text::Utf8ToUtf16(value);
        fuzz::Check(size == 0 ? units.empty() : units.size() <= size - 1,
                    "a value leaves room for the terminator of its buffer");
        fuzz::Check(IsStartOf(units, wholeUnits), "a cut value is the start of the whole value");
    }
    return whole;
}

// Whether the code page given plays no part in reading `bytes`: the file starts with a
// byte-order mark, or holds only ASCII.
bool ReadsAlikeInEveryCodePage(const std::string& bytes) {
    for (const char* mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
        if (bytes.rfind(mark, 0) == 0) {
            return true;
        }
    }
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::TempFile file;
    const std::string bytes = fuzz::Bytes(data, size);
    file.Write(bytes);
    const platform::ProfileReader reader;

    // What each query read, in 1252 and in 936.
    std::vector<std::string> values[2];
    std::vector<Query> queries[2];
    for (const unsigned codePage : {text::kWesternEuropean, text::kSimplifiedChinese}) {
        const bool chinese = codePage == text::kSimplifiedChinese;
        queries[chinese] = QueriesOf(bytes, codePage);
        for (const Query& query : queries[chinese]) {
            values[chinese].push_back(
                CheckString(reader, file.Path(), codePage, query.section, query.key, ""));
            reader.GetInt(file.Path(), codePage, query.section, query.key, 0);
            fuzz::Check(reader.GetInt(file.Path(), codePage, query.section, kMissingKey, 1234) ==
                            1234,
                        "a missing key gives the default number");
            fuzz::Check(reader.GetString(file.Path(), codePage, query.section, kMissingKey, "def  ",
                                         256) == "def",
                        "a missing key gives the default text without trailing spaces");
            fuzz::Check(reader.GetString(file.Path(), codePage, kMissingSection, query.key, "'x'",
                                         256) == "x",
                        "a missing section gives the default without its quotes");
        }
        // The default goes through the same cutting; the input's first line is one.
        const std::string def = bytes.substr(0, bytes.find('\n'));
        CheckString(reader, file.Path(), codePage, "RES_STR", kMissingKey, def);
    }
    // The names asked for are the file's decoded from each code page; those that decode alike
    // must find the same.
    for (std::size_t i = 0; ReadsAlikeInEveryCodePage(bytes) && i < values[0].size(); ++i) {
        const Query& western = queries[0][i];
        const Query& chinese = queries[1][i];
        if (western.section == chinese.section && western.key == chinese.key) {
            fuzz::Check(values[0][i] == values[1][i],
                        "a file with a byte-order mark or only ASCII reads alike in both code "
                        "pages");
        }
    }
    return 0;
}
