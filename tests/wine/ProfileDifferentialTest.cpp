// The portable profile reader against the system's private-profile functions: over every file
// in tests/data/profile, for every section and key name found in it (as written, in other
// letter cases, with blanks around it, and names that are absent), with many buffer sizes and
// defaults, both readers must give the same strings and the same integers. The program reads
// files without byte-order mark in the code page of their language; here that is 1252, the
// system's, so both decode alike but for one thing: the five bytes 1252 leaves undefined the
// system turns into the control characters of the same value, the program into U+FFFD.

#include "framework/text/CodePages.h"
#include "framework/text/Unicode.h"
#include "platform/profile/ProfileReader.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string WindowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

const std::string kCorpus = WindowsPath(DISCMENU_SOURCE_DIR "/tests/data/profile");

// Buffer sizes around the lengths of the corpus values, with the quote quirk in mind.
const std::vector<std::size_t> kSizes = {1,   2,    3,    4,    5,    6,    7,    8,
                                         10,  12,   16,   29,   30,   31,   255,  256,
                                         257, 1023, 1024, 1025, 5000, 5001, 5002, 5003};
const std::string kDefault = "<default>";
const std::vector<std::string> kDefaults = {"",
                                            " ",
                                            "   ",
                                            "d  ",
                                            "  d",
                                            "\"d\"",
                                            "'d'  ",
                                            " \"d\" ",
                                            "\"",
                                            "\"\"",
                                            "''",
                                            "a\tb \t ",
                                            "\"abc\"",
                                            "\xe9\x93\x94 ",
                                            "long default value",
                                            "\"long quoted default\"   "};
constexpr int kIntDefault = 12345;

// Names that a byte-wise look at a file does not show: the Windows-1252 spellings of names
// written in UTF-8 or UTF-16, and look-alikes that must not match.
const std::vector<std::string> kExtraNames = {
    "k\xe9", "K\xc9", "k\xc3\xa9", "\xc9t\xe9", "\xe9t\xe9", "\xc9T\xc9", "k?",
    "?",     "T",     "S",         "U",         "V",         "N",         "Missing"};

// The system's profile functions, asked with names in code page 1252 as the system decodes
// them, and answering in UTF-8 as the program's reader does.
class SystemProfile {
public:
    std::string GetString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& def, std::size_t size) const {
        std::vector<wchar_t> buffer(size + 1);
        const DWORD length =
            GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(def).c_str(),
                                     buffer.data(), static_cast<DWORD>(size), Wide(file).c_str());
        std::u16string text(reinterpret_cast<const char16_t*>(buffer.data()),
                            std::min<std::size_t>(length, size == 0 ? 0 : size - 1));
        if (!HasByteOrderMark(file)) {
            for (char16_t& c : text) {
                const bool undefined =
                    c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
                c = undefined ? static_cast<char16_t>(text::kReplacement) : c;
            }
        }
        return text::Utf16ToUtf8(text);
    }
    int GetInt(const std::string& file, const std::string& section, const std::string& key,
               int def) const {
        return static_cast<int>(GetPrivateProfileIntW(Wide(section).c_str(), Wide(key).c_str(), def,
                                                      Wide(file).c_str()));
    }

private:
    static std::wstring Wide(const std::string& cp1252) {
        std::wstring wide(cp1252.size(), L'\0');
        const int length =
            MultiByteToWideChar(1252, 0, cp1252.data(), static_cast<int>(cp1252.size()),
                                wide.data(), static_cast<int>(wide.size()));
        wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
        return wide;
    }
    static bool HasByteOrderMark(const std::string& file);
};

// The program's reader, with names and defaults written in code page 1252 as the cases are.
std::string FromCp1252(const std::string& bytes) {
    return text::Decode(bytes, text::kWesternEuropean);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool SystemProfile::HasByteOrderMark(const std::string& file) {
    const std::string bytes = ReadBytes(file);
    return bytes.rfind("\xEF\xBB\xBF", 0) == 0 || bytes.rfind("\xFF\xFE", 0) == 0 ||
           bytes.rfind("\xFE\xFF", 0) == 0;
}

std::string Escape(const std::string& s) {
    std::string out;
    for (const char c : s) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '\\') {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::string Upper(std::string s) {
    for (char& c : s) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return s;
}

std::string Lower(std::string s) {
    for (char& c : s) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return s;
}

std::vector<std::string> Spellings(const std::string& name) {
    return {Upper(name), Lower(name), " \t" + name + "\t ", "\x0b" + name + "\x0c", name + "x"};
}

// Section and key names as they appear in the file's bytes: text between '[' and ']' (to the
// first and to the last ']'), text before '=' or the whole line. Collected also with NUL bytes
// dropped, so that names of UTF-16 files appear as well.
// Names with bytes that code page 1252 leaves undefined are left out: the program reads each
// of them as U+FFFD and so does not tell such names apart.
void CollectNames(const std::string& bytes, std::set<std::string>& sections,
                  std::set<std::string>& keys) {
    const auto add = [](std::set<std::string>& names, const std::string& name) {
        if (name.find_first_of("\x81\x8d\x8f\x90\x9d") == std::string::npos) {
            names.insert(name);
        }
    };
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        const std::string line = bytes.substr(start, end - start);
        start = end + 1;
        add(keys, line.substr(0, line.find('=')));
        const std::size_t open = line.find('[');
        const std::size_t last = line.rfind(']');
        if (open != std::string::npos && last != std::string::npos && last > open) {
            add(sections, line.substr(open + 1, last - open - 1));
            add(sections, line.substr(open + 1, line.find(']', open) - open - 1));
        }
    }
}

class Comparison {
public:
    explicit Comparison(std::string file) : m_file(std::move(file)) {}

    void String(const std::string& section, const std::string& key, const std::string& def,
                std::size_t size) {
        const std::string expected = m_system.GetString(m_file, section, key, def, size);
        const std::string actual =
            m_reader.GetString(m_file, text::kWesternEuropean, FromCp1252(section), FromCp1252(key),
                               FromCp1252(def), size);
        ++m_queries;
        if (expected != actual) {
            Mismatch("string [" + Escape(section) + "] " + Escape(key) + " default \"" +
                     Escape(def) + "\" size " + std::to_string(size) + ": system \"" +
                     Escape(expected) + "\", portable \"" + Escape(actual) + "\"");
        }
    }

    void Int(const std::string& section, const std::string& key, int def) {
        const int expected = m_system.GetInt(m_file, section, key, def);
        const int actual = m_reader.GetInt(m_file, text::kWesternEuropean, FromCp1252(section),
                                           FromCp1252(key), def);
        ++m_queries;
        if (expected != actual) {
            Mismatch("int [" + Escape(section) + "] " + Escape(key) + " default " +
                     std::to_string(def) + ": system " + std::to_string(expected) + ", portable " +
                     std::to_string(actual));
        }
    }

    const std::string& File() const { return m_file; }
    void CountAnswer() { ++m_answered; }
    int Answered() const { return m_answered; }
    int Queries() const { return m_queries; }
    const std::vector<std::string>& Mismatches() const { return m_mismatches; }

private:
    void Mismatch(std::string text) {
        if (m_mismatches.size() < 40) {
            m_mismatches.push_back(std::move(text));
        }
    }

    std::string m_file;
    SystemProfile m_system;
    platform::ProfileReader m_reader;
    int m_queries = 0;
    int m_answered = 0;
    std::vector<std::string> m_mismatches;
};

// Names to ask for in one file: those found in it, which get every buffer size, and others
// that are asked for with one buffer size.
struct Names {
    std::set<std::string> sections;
    std::set<std::string> keys;
};

void ComparePair(Comparison& comparison, const std::string& section, const std::string& key) {
    // Every size up to just beyond the value's length, where truncation and the quote quirk
    // happen, and a few above.
    const SystemProfile system;
    const std::string whole =
        system.GetString(comparison.File(), section, key, kDefault, kSizes.back() + 10);
    const std::size_t limit = whole == kDefault ? 3 : whole.size() + 4;
    if (whole != kDefault) {
        comparison.CountAnswer();
    }
    for (const std::size_t size : kSizes) {
        if (size <= limit || size == 256 || size == 1024) {
            comparison.String(section, key, kDefault, size);
        }
    }
    comparison.Int(section, key, kIntDefault);
    comparison.Int(section, key, -7);
}

void CompareFile(Comparison& comparison, const Names& found, const Names& others) {
    for (const auto& section : found.sections) {
        for (const auto& key : found.keys) {
            ComparePair(comparison, section, key);
            for (const auto& spelled : Spellings(key)) {
                comparison.String(section, spelled, kDefault, 256);
                comparison.Int(section, spelled, kIntDefault);
            }
            for (const auto& spelled : Spellings(section)) {
                comparison.String(spelled, key, kDefault, 256);
                comparison.Int(spelled, key, kIntDefault);
            }
        }
        for (const auto& key : others.keys) {
            comparison.String(section, key, kDefault, 256);
            comparison.Int(section, key, kIntDefault);
        }
    }
    for (const auto& section : others.sections) {
        for (const auto& key : found.keys) {
            comparison.String(section, key, kDefault, 256);
            comparison.Int(section, key, kIntDefault);
        }
    }
    for (const auto& def : kDefaults) {
        for (const std::size_t size : kSizes) {
            comparison.String("Missing", "Missing", def, size);
            comparison.String(*found.sections.begin(), "Missing", def, size);
        }
    }
}

std::string Report(const Comparison& comparison) {
    std::ostringstream out;
    for (const auto& line : comparison.Mismatches()) {
        out << "  " << line << "\n";
    }
    return out.str();
}

std::vector<std::filesystem::path> CorpusFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(kCorpus)) {
        if (entry.path().extension() == ".ini") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Files in which, by design, no key can be reached.
const std::set<std::string> kFilesWithoutKeys = {"empty.ini",          "blank-lines-only.ini",
                                                 "sections-only.ini",  "utf8-bom-only.ini",
                                                 "utf16le-no-bom.ini", "ansi-after-ff-fe.ini"};

TEST(ProfileDifferential, CorpusIsThereAndReadBySystem) {
    ASSERT_GE(CorpusFiles().size(), 30u) << kCorpus;
    // The portable reader gives what a Western system gives.
    ASSERT_EQ(GetACP(), 1252u) << "run under a Western locale";
    const SystemProfile system;
    const std::string basic = kCorpus + "\\basic-crlf.ini";
    EXPECT_EQ(system.GetInt(basic, "Main Dialog", "Number of menu", 0), 3);
    EXPECT_EQ(system.GetString(basic, "main dialog", "menuitemstring0", "", 256), "Install");
}

TEST(ProfileDifferential, EveryCorpusFileReadsAlike) {
    for (const auto& path : CorpusFiles()) {
        const std::string file = path.string();
        const std::string name = path.filename().string();
        SCOPED_TRACE(name);
        const std::string bytes = ReadBytes(file);
        Names found;
        found.sections.insert(""); // the keys before the first section
        CollectNames(bytes, found.sections, found.keys);
        std::string withoutNul = bytes;
        withoutNul.erase(std::remove(withoutNul.begin(), withoutNul.end(), '\0'), withoutNul.end());
        CollectNames(withoutNul, found.sections, found.keys);
        Names others;
        others.sections.insert(kExtraNames.begin(), kExtraNames.end());
        others.keys.insert(kExtraNames.begin(), kExtraNames.end());

        Comparison comparison(file);
        CompareFile(comparison, found, others);
        EXPECT_TRUE(comparison.Mismatches().empty())
            << comparison.Queries() << " queries, differences:\n"
            << Report(comparison);
        if (kFilesWithoutKeys.count(name) == 0) {
            EXPECT_GT(comparison.Answered(), 0) << "the system found no key at all";
        } else {
            EXPECT_EQ(comparison.Answered(), 0) << "the system found a key";
        }
    }
}

TEST(ProfileDifferential, MissingFileGivesTheDefault) {
    // Absent from an existing directory, behind a missing directory, and a directory.
    for (const auto& file :
         {kCorpus + "\\does-not-exist.ini", kCorpus + "\\no-such-directory\\Inst.inf", kCorpus,
          kCorpus + "\\basic-crlf.ini\\Inst.inf"}) {
        SCOPED_TRACE(file);
        Comparison comparison(file);
        CompareFile(comparison, {{"", "Sec", "RES_STR"}, {"", "k1", "IDS_OK"}}, {});
        EXPECT_TRUE(comparison.Mismatches().empty()) << Report(comparison);
        EXPECT_EQ(comparison.Answered(), 0);
    }
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The file is read at every call: a changed or removed file is seen at once by both readers.
TEST(ProfileDifferential, ChangedFileIsReadAnew) {
    const std::string file =
        (std::filesystem::temp_directory_path() / "discmenu-profile-fresh.ini").string();
    const SystemProfile system;
    const platform::ProfileReader portable;
    const auto expectBoth = [&](const std::string& value, int number) {
        EXPECT_EQ(system.GetString(file, "Sec", "k", "gone", 256), value);
        EXPECT_EQ(portable.GetString(file, 1252, "Sec", "k", "gone", 256), value);
        EXPECT_EQ(system.GetInt(file, "Sec", "n", -1), number);
        EXPECT_EQ(portable.GetInt(file, 1252, "Sec", "n", -1), number);
    };
    WriteBytes(file, "[Sec]\r\nk=first disc\r\nn=1\r\n");
    expectBoth("first disc", 1);
    WriteBytes(file, "[Sec]\r\nk=other disc\r\nn=2\r\n"); // same length, same second
    expectBoth("other disc", 2);
    std::filesystem::remove(file);
    expectBoth("gone", -1);
}

} // namespace
