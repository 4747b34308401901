// The portable profile reader over the files in tests/data/profile and a few written here. The
// expected values are what the system's private-profile functions return for the same files
// (the Wine test ProfileDifferentialTest compares the two readers over the whole corpus).

#include "platform/profile/ProfileReader.h"

#include "framework/text/CodePages.h"
#include "framework/text/Unicode.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kCorpus = DISCMENU_SOURCE_DIR "/tests/data/profile/";
const std::string kNone = "<none>";

const platform::ProfileReader reader;

// The cases below are written in code page 1252, as the files: names and defaults go to the
// reader as UTF-8 and its UTF-8 results come back in 1252, with '?' for characters it lacks.
std::string FromCp1252(const std::string& bytes) {
    return text::Decode(bytes, text::kWesternEuropean);
}

std::string ToCp1252(const std::string& utf8) {
    std::string bytes;
    for (const char16_t c : text::Utf8ToUtf16(utf8)) {
        char byte = '?';
        for (int b = 0; b < 256; ++b) {
            if (text::DecodeToUtf16(std::string(1, static_cast<char>(b)), 1252)[0] == c &&
                c != static_cast<char16_t>(text::kReplacement)) {
                byte = static_cast<char>(b);
                break;
            }
        }
        bytes.push_back(byte);
    }
    return bytes;
}

std::string Str(const std::string& file, const std::string& section, const std::string& key,
                std::size_t size = 256, const std::string& def = kNone) {
    return ToCp1252(reader.GetString(kCorpus + file, 1252, FromCp1252(section), FromCp1252(key),
                                     FromCp1252(def), size));
}

int Int(const std::string& file, const std::string& section, const std::string& key,
        int def = -99) {
    return reader.GetInt(kCorpus + file, 1252, FromCp1252(section), FromCp1252(key), def);
}

std::string Letters(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text.push_back(static_cast<char>('a' + i % 26));
    }
    return text;
}

TEST(ProfileReader, ReadsTheConfigurationFileWithAnyLineEnd) {
    for (const std::string file : {"basic-crlf.ini", "basic-lf.ini", "cr-only.ini"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(Int(file, "Main Dialog", "Number of menu", 0), 3);
        EXPECT_EQ(Str(file, "Main Dialog", "MenuItemString1"), "Tools");
        EXPECT_EQ(Str(file, "Main Dialog", "MenuItemExecute0"), "Disk1\\setup.exe");
        EXPECT_EQ(Str(file, "RES_STR", "IDS_WARNING"), "Line one\\Line two");
        EXPECT_EQ(Str(file, "DISKID", "Disk1\\setup.exe"), "Please insert disc 1");
        EXPECT_EQ(Int(file, "Tools Dialog", "MenuItemType0", 0), 2);
        EXPECT_EQ(Str(file, "Main Dialog", "MenuItemString3", 256, ""), "");
        EXPECT_EQ(Int(file, "Main Dialog", "MenuItemType3", 0), 0);
        EXPECT_EQ(Str(file, "Missing", "IDS_OK"), kNone);
    }
    EXPECT_EQ(Str("mixed-line-ends.ini", "Sec", "k1"), "crlf");
    EXPECT_EQ(Str("mixed-line-ends.ini", "Sec", "k3"), "cr");
    EXPECT_EQ(Str("mixed-line-ends.ini", "Sec", "k4"), "lfcr");
    EXPECT_EQ(Str("mixed-line-ends.ini", "Sec", "k5"), "crcrlf");
    EXPECT_EQ(Str("mixed-line-ends.ini", "Sec", "k6"), "a\vb\fc"); // VT and FF end no line
    EXPECT_EQ(Str("mixed-line-ends.ini", "Two", "k1"), "two");
}

TEST(ProfileReader, ReadsTheLastLineWithoutNewline) {
    EXPECT_EQ(Str("no-final-newline.ini", "Sec", "k2"), "last");
    EXPECT_EQ(Str("no-final-newline-quoted.ini", "Sec", "k1"), "quoted");
    EXPECT_EQ(Str("no-final-newline-header.ini", "Sec", "k1"), "v1");
    EXPECT_EQ(Str("no-final-newline-header.ini", "Last", "k1"), kNone);
    EXPECT_EQ(Str("utf8-bom-lines.ini", "Sec", "k2"), "cr");
}

TEST(ProfileReader, NamesMatchWithAsciiLettersFoldedOnly) {
    EXPECT_EQ(Int("basic-crlf.ini", "MAIN dialog", "number OF MENU", 0), 3);
    EXPECT_EQ(Str("case-folding.ini", "mixed case SECTION", "menuitemSTRING0"), "mixed");
    // Only letters fold: punctuation next to them in the character set stays apart.
    EXPECT_EQ(Str("case-folding.ini", "Sec", "{B}"), "curly");
    EXPECT_EQ(Str("case-folding.ini", "Sec", "[b]"), kNone);
    EXPECT_EQ(Str("case-folding.ini", "Sec", "@AT"), "at");
    EXPECT_EQ(Str("case-folding.ini", "Sec", "`AT"), "backtick");
    EXPECT_EQ(Str("case-folding.ini", "Sec", "\x7fU"), "delete");
    EXPECT_EQ(Str("case-folding.ini", "Sec", "_U"), "underscore");
    EXPECT_EQ(Str("case-folding.ini", "Sec", "~C"), "tilde");
    EXPECT_EQ(Str("case-folding.ini", "Sec", "^C"), "caret");
    EXPECT_EQ(Str("case-folding.ini", "Sec", "|X"), "bar");
    EXPECT_EQ(Str("case-folding.ini", "Sec", "abcxyz"), "upper");
    EXPECT_EQ(Str("case-folding.ini", "Sec", "ABCXYZ2"), "lower");
    EXPECT_EQ(Str("case-folding.ini", "Sec", "K\xe9Y"), "e acute");
    EXPECT_EQ(Str("case-folding.ini", "Sec", "K\xc9Y"), kNone);
    // Letters above 127 do not fold at all.
    EXPECT_EQ(Str("high-bytes.ini", "\xc9t\xe9", "K\xc4"), "upper A umlaut");
    EXPECT_EQ(Str("high-bytes.ini", "\xc9T\xe9", "k\xe4"), "lower a umlaut");
    EXPECT_EQ(Str("high-bytes.ini", "\xe9t\xe9", "k1"), "lower section");
    EXPECT_EQ(Str("high-bytes.ini", "\xc9t\xe9", "k1"), kNone);
    EXPECT_EQ(Str("high-bytes.ini", "\xd6", "k"), "O umlaut");
    EXPECT_EQ(Str("high-bytes.ini", "\xf6", "k"), "o umlaut");
    EXPECT_EQ(Str("high-bytes.ini", "\xc9t\xe9", "\x8a"), "S caron");
    EXPECT_EQ(Str("high-bytes.ini", "\xc9t\xe9", "\x9a"), "s caron");
    EXPECT_EQ(Str("high-bytes.ini", "\xc9t\xe9", "\xff"), "y diaeresis");
    EXPECT_EQ(Str("high-bytes.ini", "\xc9t\xe9", "\xdf"), "sharp s");
    EXPECT_EQ(Str("high-bytes.ini", "\xc9t\xe9", "SS"), kNone);
}

TEST(ProfileReader, BlanksAroundNamesAndValuesAreIgnored) {
    EXPECT_EQ(Str("blanks.ini", "Sec", "k1"), "spaced value");
    EXPECT_EQ(Str("blanks.ini", "Sec", "k2"), "t a b");
    EXPECT_EQ(Str("blanks.ini", "Sec", "k3"), "vt ff");
    EXPECT_EQ(Str("blanks.ini", "Sec", "k4"), "inner   spaces");
    EXPECT_EQ(Str("blanks.ini", "Tabbed", "k1"), "tabbed");
    EXPECT_EQ(Str("blanks.ini", "VT", "k1"), "vt");
    // ...also around the names asked for.
    EXPECT_EQ(Str("blanks.ini", " \tSec\v", "\fk1 "), "spaced value");
    // Blanks inside names count.
    EXPECT_EQ(Int("blanks.ini", "Sec", "Number  of  menu"), 2);
    EXPECT_EQ(Int("blanks.ini", "Sec", "Number of menu"), -99);
    // No-break space, other control characters and bytes above 127 are no blanks.
    EXPECT_EQ(Str("blanks.ini", "Sec", "k5"), "\xa0nbsp\xa0");
    EXPECT_EQ(Str("blanks.ini", "Sec", "k6"), "\x1c"
                                              "fs\x1c");
    EXPECT_EQ(Str("blanks.ini", "Sec", "k7"), "\x85"
                                              "ellipsis\x85");
    EXPECT_EQ(Str("blanks.ini", "Sec", "k10"), "\x01"
                                               "ctl\x01");
    EXPECT_EQ(Str("blanks.ini", "Sec", "k8"), kNone);
    EXPECT_EQ(Str("blanks.ini", "Sec", "k8\xa0"), "nbsp key");
    EXPECT_EQ(Str("blanks.ini", "Sec", "k9"), kNone);
    EXPECT_EQ(Str("blanks.ini", "NBSP", "k1"), kNone);
}

TEST(ProfileReader, SectionHeaders) {
    const std::string file = "section-headers.ini";
    EXPECT_EQ(Str(file, "Trailing", "k1"), "trailing"); // text after ']' is ignored
    EXPECT_EQ(Str(file, "a]b", "k1"), "ab");            // the name runs to the last ']'
    EXPECT_EQ(Str(file, "a", "k1"), kNone);
    EXPECT_EQ(Str(file, "x] ; note", "k1"), "x");
    EXPECT_EQ(Str(file, "Br]", "k1"), "br1");
    EXPECT_EQ(Str(file, "[Br]", "k1"), "br2");
    // A '[' line without ']' is an ordinary line of the section before.
    EXPECT_EQ(Str(file, "NoClose", "k2"), kNone);
    EXPECT_EQ(Str(file, "x] ; note", "k2"), "in previous");
    EXPECT_EQ(Str(file, "x] ; note", "[k"), "v");
    // A key on the header's line is no key.
    EXPECT_EQ(Str(file, "Same", "k1"), kNone);
    EXPECT_EQ(Str(file, "Same", "k2"), "same next");
    EXPECT_EQ(Str(file, "Tab\tSec", "k1"), "tab");
    EXPECT_EQ(Str(file, "Tab Sec", "k1"), kNone);
    EXPECT_EQ(Str(file, "Inner  Spaces", "k1"), "inner");
    EXPECT_EQ(Str(file, "Inner Spaces", "k1"), kNone);
    EXPECT_EQ(Str(file, "a=b", "k1"), "equals");
    EXPECT_EQ(Str(file, "Main Dialog", "k1"), "main");
    EXPECT_EQ(Str(file, ";Semi", "k1"), "semi");
    EXPECT_EQ(Str(file, "#Hash", "k1"), "hash");
    // "[ ]" is named "", which is the name of the lines before the first section.
    EXPECT_EQ(Str(file, "", "k1"), kNone);
    // The sections there are, by the same rules (the menu never asks; its checker does).
    for (const char* name : {"trailing", "a]b", "x] ; note", "[Br]", " main dialog ", "Tab\tSec"}) {
        EXPECT_TRUE(reader.HasSection(kCorpus + file, 1252, name)) << name;
    }
    for (const char* name : {"a", "NoClose", "k=v", "Tab Sec", "Inner Spaces", "Nowhere"}) {
        EXPECT_FALSE(reader.HasSection(kCorpus + file, 1252, name)) << name;
    }
    EXPECT_FALSE(reader.HasSection(kCorpus + "no-such-file.ini", 1252, "Main Dialog"));
    EXPECT_EQ(
        reader.SectionNames(kCorpus + file, 1252),
        (std::vector<std::string>{"Trailing", "a]b", "x] ; note", "Br]", "[Br]", "Same", "Tab\tSec",
                                  "Inner  Spaces", "a=b", "Main Dialog", "", ";Semi", "#Hash"}));
}

TEST(ProfileReader, LinesBeforeTheFirstSectionFormTheSectionWithoutName) {
    EXPECT_EQ(Str("pre-section.ini", "", "k1"), "before any section");
    EXPECT_EQ(Str("pre-section.ini", " ", "k2"), "second");
    EXPECT_EQ(Str("pre-section.ini", "", "k3"), kNone); // under "[]", which is never reached
    EXPECT_EQ(Str("pre-section.ini", "Sec", "k1"), "sec");
    EXPECT_EQ(Str("empty-bracket-first.ini", "", "k1"), kNone);
    EXPECT_EQ(Str("empty-bracket-first.ini", "Sec", "k1"), "sec");
    EXPECT_EQ(Str("utf8-bom.ini", "", "pre"), "before sections");
}

TEST(ProfileReader, FirstSectionAndFirstKeyOfANameWin) {
    const std::string file = "duplicates.ini";
    EXPECT_EQ(Str(file, "Sec", "k1"), "first");
    EXPECT_EQ(Str(file, "SEC", "k2"), kNone); // a later section of the name is not merged
    EXPECT_EQ(Str(file, "sec", "k3"), kNone);
    EXPECT_EQ(Str(file, "Other", "k1"), "other");
    EXPECT_EQ(Str(file, "Other", "k2"), kNone);
    EXPECT_EQ(Str(file, "Empty", "k1"), kNone);
    // A first key without '=' hides later ones and gives the default; an empty one gives "".
    EXPECT_EQ(Str(file, "Sec", "dup"), kNone);
    EXPECT_EQ(Str(file, "Sec", "blank"), "");
    EXPECT_EQ(Int("equals.ini", "Sec", "Number of menu"), 4);
    EXPECT_EQ(Str("equals.ini", "Sec", "k"), "v");
    EXPECT_EQ(Str("equals.ini", "Sec", ""), "first empty");
    // The keys there are: of the first section of the name, each name once, as first written.
    EXPECT_EQ(reader.KeyNames(kCorpus + file, 1252, "SEC"),
              (std::vector<std::string>{"k1", "dup", "blank"}));
    EXPECT_EQ(reader.KeyNames(kCorpus + file, 1252, "Empty"), std::vector<std::string>());
}

TEST(ProfileReader, CommentMarksHaveNoMeaning) {
    const std::string file = "comments.ini";
    EXPECT_EQ(Str(file, "Sec", "k1"), "live");
    EXPECT_EQ(Str(file, "Sec", ";k1"), "commented");
    EXPECT_EQ(Str(file, "Sec", "# k2"), "hashed");
    EXPECT_EQ(Str(file, "Sec", ";  k7"), "indented");
    EXPECT_EQ(Str(file, "Sec", "k3"), "value ; trailing comment");
    EXPECT_EQ(Str(file, "Sec", "k4"), "value # hash");
    EXPECT_EQ(Str(file, "Sec", "k5"), kNone);
    EXPECT_EQ(Str(file, ";Sec", "k8"), "visible");
    EXPECT_EQ(Str(file, "Hidden", "k8"), kNone);
}

TEST(ProfileReader, ValuesAndEquals) {
    EXPECT_EQ(Str("equals.ini", "Sec", "a"), "b=c"); // the first '=' separates
    EXPECT_EQ(Str("equals.ini", "Sec", "b"), "=x");
    EXPECT_EQ(Str("equals.ini", "Sec", "c"), "= y");
    EXPECT_EQ(Str("equals.ini", "Sec", "a=b"), kNone);
    EXPECT_EQ(Str("equals.ini", "Sec", "x y z"), "xyz");
    for (const std::string key : {"k1", "k2", "k3", "k4", "k5", "k11"}) {
        EXPECT_EQ(Str("empty-values.ini", "Sec", key), "") << key;
        EXPECT_EQ(Int("empty-values.ini", "Sec", key), -99) << key;
    }
    EXPECT_EQ(Str("empty-values.ini", "Sec", "k6"), kNone);
    EXPECT_EQ(Str("empty-values.ini", "Sec", "k12"), kNone);
    EXPECT_EQ(Str("empty-values.ini", "Sec", ""), "v7");
    EXPECT_EQ(Str("empty-values.ini", "Sec", "k9"), " ");
    EXPECT_EQ(Int("empty-values.ini", "Sec", "k9"), 0);
    EXPECT_EQ(Str("empty-values.ini", "Sec", "k10"), "\t");
    EXPECT_EQ(Str("empty-values.ini", "Two", ""), "");
}

TEST(ProfileReader, OnePairOfEnclosingQuotesGoes) {
    const std::string file = "quotes.ini";
    const std::pair<const char*, const char*> cases[] = {{"q1", "double"},
                                                         {"q2", "single"},
                                                         {"q3", "\"mixed'"},
                                                         {"q4", "'mixed\""},
                                                         {"q5", ""},
                                                         {"q6", ""},
                                                         {"q7", "\""},
                                                         {"q8", "'"},
                                                         {"q9", "a\"b"},
                                                         {"q10", " spaced "},
                                                         {"q11", "\"nested\""},
                                                         {"q12", "'nested'"},
                                                         {"q13", "blank outside"},
                                                         {"q14", "\"trail\"x"},
                                                         {"q15", "x\"lead\""},
                                                         {"q16", "end\""},
                                                         {"q17", "\"start"},
                                                         {"q18", "a"},
                                                         {"q19", "ab"},
                                                         {"q20", "\""},
                                                         {"q21", "\"\""},
                                                         {"q22", "\t"},
                                                         {"q23", "``back``"},
                                                         {"q24", "\x93"
                                                                 "curly\x94"},
                                                         {"q30", "\"\"x"}};
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(Str(file, "Sec", key), expected) << key;
    }
    EXPECT_EQ(Int(file, "Sec", "q25"), 12);
    EXPECT_EQ(Int(file, "Sec", "q27"), 8);
}

TEST(ProfileReader, LongValuesAreCutToTheBuffer) {
    const std::string file = "truncation.ini";
    EXPECT_EQ(Str(file, "Sec", "p255"), Letters(255));
    EXPECT_EQ(Str(file, "Sec", "p256"), Letters(255));
    EXPECT_EQ(Str(file, "Sec", "p1025", 1024), Letters(1023));
    EXPECT_EQ(Str(file, "Sec", "p5", 2), "a");
    EXPECT_EQ(Str(file, "Sec", "p5", 1), "");
    EXPECT_EQ(Str(file, "Sec", "p5", 0), "");
    EXPECT_EQ(Str("long-line.ini", "Sec", "long", 1024), Letters(1023));
    EXPECT_EQ(Str("long-line.ini", "Sec", "long", 6000), Letters(5000));
    EXPECT_EQ(Str("long-line.ini", "Sec", "after"), "ok");
    EXPECT_EQ(Str("missing.ini", "Sec", "k", 4, "default"), "def");
}

// The closing quote is dropped as the last character copied once the buffer could hold the
// value up to that quote but for the terminator; a quoted value that fits only without its
// closing quote therefore loses one character more.
TEST(ProfileReader, QuotedValuesLoseOneMoreCharacterWhenTheyJustFit) {
    const std::string file = "truncation.ini";
    EXPECT_EQ(Str(file, "Sec", "dq254"), Letters(254));
    EXPECT_EQ(Str(file, "Sec", "dq255"), Letters(254));
    EXPECT_EQ(Str(file, "Sec", "sq255"), Letters(254));
    EXPECT_EQ(Str(file, "Sec", "dq256"), Letters(255));
    EXPECT_EQ(Str(file, "Sec", "dq1023", 1024), Letters(1022));
    EXPECT_EQ(Str("quotes.ini", "Sec", "q31", 11), "abcdefghi");
    EXPECT_EQ(Str("quotes.ini", "Sec", "q31", 10), "abcdefgh");
    EXPECT_EQ(Str("quotes.ini", "Sec", "q31", 9), "abcdefgh");
    EXPECT_EQ(Str("quotes.ini", "Sec", "q18", 3), "a");
    EXPECT_EQ(Str("quotes.ini", "Sec", "q18", 2), "");
    EXPECT_EQ(Str("long-line.ini", "Sec", "quoted", 5002), Letters(5000));
    EXPECT_EQ(Str("long-line.ini", "Sec", "quoted", 5001), Letters(4999));
}

TEST(ProfileReader, DefaultLosesTrailingSpacesAndQuotes) {
    const auto missing = [](const std::string& def, std::size_t size = 256) {
        return Str("basic-crlf.ini", "RES_STR", "IDS_MISSING", size, def);
    };
    EXPECT_EQ(missing(""), "");
    EXPECT_EQ(missing("d  "), "d");
    EXPECT_EQ(missing("   "), " "); // never the first character
    EXPECT_EQ(missing("  d"), "  d");
    EXPECT_EQ(missing("a\tb \t "), "a\tb \t"); // spaces only
    EXPECT_EQ(missing("\"d\"  "), "d");
    EXPECT_EQ(missing("'d'"), "d");
    EXPECT_EQ(missing(" \"d\""), " \"d\"");
    EXPECT_EQ(missing("\"abc\"", 5), "abc");
    EXPECT_EQ(missing("\"abc\"", 4), "ab");
    EXPECT_EQ(missing("Default", 3), "De");
}

TEST(ProfileReader, MissingFileGivesTheDefault) {
    EXPECT_EQ(Str("does-not-exist.ini", "Sec", "k", 256, "\"d\"  "), "d");
    EXPECT_EQ(Int("does-not-exist.ini", "Sec", "k", 42), 42);
    // A file behind a missing directory, or a directory, is no file at all: the default keeps
    // its quotes then.
    EXPECT_EQ(Str("no-such-directory/Inst.inf", "Sec", "k", 256, "\"d\"  "), "\"d\"");
    EXPECT_EQ(Str("no-such-directory/Inst.inf", "Sec", "k", 2, "\"d\""), "\"");
    EXPECT_EQ(Int("no-such-directory/Inst.inf", "Sec", "k", 42), 42);
    EXPECT_EQ(reader.GetString(kCorpus, 1252, "Sec", "k", "'d'", 256), "'d'");
}

TEST(ProfileReader, IntegersAreReadLikeTheSystemsConversion) {
    // Key, its value as a string (quotes removed), and the number it gives.
    const struct {
        const char* key;
        const char* value;
        int number;
    } cases[] = {
        {"i0", "-5", -5},
        {"i1", "abc", 0},
        {"i2", "12abc", 12},
        {"i4", "+7", 7},
        {"i5", "99999999999", 1215752191}, // wraps modulo 2^32
        {"i6", "0x1A", 26},
        {"i7", "0X1a", 0}, // prefixes are lower case only
        {"i9", "0xFFFFFFFF", -1},
        {"i12", "0b101", 5},
        {"i13", "0b102", 2},
        {"i15", "0o17", 15},
        {"i17", "0O7", 0},
        {"i18", "017", 17}, // no octal for a leading zero
        {"i21", "4294967296", 0},
        {"i24", "2147483648", -2147483647 - 1},
        {"i26", "-2147483649", 2147483647},
        {"i27", "-4294967295", 1},
        {"i29", "- 5", 0},
        {"i30", "1 2", 1},
        {"i31", "1.5", 1},
        {"i33", "--5", 0},
        {"i36", "+", 0},
        {"i39", "0b", 0},
        {"i42", "-0x10", -16},
        {"i44", "00x5", 0},
        {"i46", "12", 12},
        {"i47", "-3", -3},
        {"i48", "  8  ", 8},
        {"i53", "\"", 0},
        {"i54", "\"5", 0},
        {"i55", "5\"", 5},
        {"i56", "-0x1f", -31},
        {"i57", "-  3", 0},
        {"i58",
         "\x01"
         "9",
         9}, // characters up to space are skipped
        {"i61",
         "\xa0"
         "9",
         0},
        {"i62",
         "\x7f"
         "9",
         0},
        {"i63", "\xb2", 0},
        {"i67", "3 apples", 3},
        {"i68", "+0b11", 3},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Str("integers.ini", "Sec", c.key), c.value) << c.key;
        EXPECT_EQ(Int("integers.ini", "Sec", c.key), c.number) << c.key << " = " << c.value;
    }
    // Empty values, absent keys and keys without '=' give the default.
    for (const std::string key : {"i51", "i52", "i65", "i66", "bare", "missing"}) {
        EXPECT_EQ(Int("integers.ini", "Sec", key, -7), -7) << key;
    }
    EXPECT_EQ(Int("integers.ini", "Sec", "Number of menu"), 3);
    EXPECT_EQ(Int("integers.ini", "Sec", "i3"), 42);
}

TEST(ProfileReader, IntegersAreReadFromTheFirst29Characters) {
    const std::string file = "integers-long.ini";
    EXPECT_EQ(Int(file, "Sec", "z29"), 9);
    EXPECT_EQ(Int(file, "Sec", "z30"), 0);
    EXPECT_EQ(Int(file, "Sec", "n29"), 1849262357); // 12345678901234567890123456789 mod 2^32
    EXPECT_EQ(Int(file, "Sec", "n33"), 1849262357);
    EXPECT_EQ(Int(file, "Sec", "n28"), -1103563954);
    EXPECT_EQ(Int(file, "Sec", "m28"), 1103563954); // the sign is one of the 29
    EXPECT_EQ(Int(file, "Sec", "m29"), 1103563954);
    // Quotes count against the 29 characters, with the quirk of quoted values that just fit.
    EXPECT_EQ(Int(file, "Sec", "q28"), Int(file, "Sec", "n28"));
    EXPECT_EQ(Int(file, "Sec", "q29"), Int(file, "Sec", "n28"));
    EXPECT_EQ(Int(file, "Sec", "q30"), Int(file, "Sec", "n29"));
}

TEST(ProfileReader, BytesAboveAsciiAreCharactersOfTheCodePage) {
    // Every byte is read as its character in code page 1252; the five bytes it leaves undefined
    // become the replacement character (shown here as '?').
    const std::string undefined = "\x81\x8d\x8f\x90\x9d";
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n') {
            const bool defined = undefined.find(static_cast<char>(byte)) == std::string::npos;
            everyByte.push_back(defined ? static_cast<char>(byte) : '?');
        }
    }
    std::string high;
    for (int byte = 0x80; byte < 0x100; ++byte) {
        high.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(Str("all-bytes.ini", "Sec", "all"), everyByte);
    EXPECT_EQ(Str("all-bytes.ini", "Sec", "quoted"), everyByte);
    EXPECT_EQ(Str("all-bytes.ini", high, high), "high key");
    EXPECT_EQ(Str("high-bytes.ini", "\xc9t\xe9", "v2"), "?????");
    EXPECT_EQ(Str("gbk-bytes.ini", "RES_STR", "IDS_TITLE"), "\xbe\xaf\xb8\xe6");
    EXPECT_EQ(Str("gbk-bytes.ini", "\xd6\xf7\xb2\xcb\xb5\xa5", "MenuItemString0"),
              "\xb0\xb2\xd7\xb0");
    // Without a byte-order mark UTF-8 is just bytes.
    EXPECT_EQ(Str("utf8-no-bom.ini", "Sec", "k1"), "caf\xc3\xa9");
    EXPECT_EQ(Str("utf8-no-bom.ini", "Sec", "k\xc3\xa9"), "key");
    EXPECT_EQ(Str("utf16le-no-bom.ini", "Sec", "k1"), kNone);
}

TEST(ProfileReader, ByteOrderMarkSelectsUtf8OrUtf16) {
    EXPECT_EQ(Str("utf8-bom.ini", "Sec", "k1"), "bom");
    EXPECT_EQ(Str("utf8-bom.ini", "Sec", "k2"), "caf\xe9");
    EXPECT_EQ(Str("utf8-bom.ini", "Sec", "k3"), "\x80");
    EXPECT_EQ(Str("utf8-bom.ini", "Sec", "k4"), "??");
    EXPECT_EQ(Str("utf8-bom.ini", "Sec", "k6"), "\x93q\x94");
    EXPECT_EQ(Str("utf8-bom.ini", "Sec", "k7"), "\xa0nb\xa0");
    EXPECT_EQ(Str("utf8-bom.ini", "Sec", "k8"), "\xe9t\xe9");
    EXPECT_EQ(Str("utf8-bom.ini", "Sec", "k9"), "???") << "control characters 1252 lacks";
    EXPECT_EQ(Str("utf8-bom.ini", "Sec", "k\xe9"), "e acute key");
    EXPECT_EQ(Str("utf8-bom.ini", "Sec", "K\xc9"), "E acute key");
    EXPECT_EQ(Str("utf8-bom.ini", "\xc9t\xe9", "k1"), "section e acute");
    EXPECT_EQ(Str("utf8-bom.ini", "?", "k1"), kNone);
    EXPECT_EQ(Int("utf8-bom.ini", "Sec", "k10"), 12);
    // A character beyond U+FFFF counts as two against the buffer.
    EXPECT_EQ(Str("utf8-bom.ini", "Sec", "k5"), "??");
    EXPECT_EQ(Str("utf8-bom.ini", "Sec", "k11"), "a??b??c");
    EXPECT_EQ(Str("utf8-bom.ini", "Sec", "k11", 3), "a?");
    // A mark anywhere but at the start is text.
    EXPECT_EQ(Str("utf8-double-bom.ini", "Sec", "k1"), kNone);
    EXPECT_EQ(Str("utf8-double-bom.ini", "", "k1"), "double bom");
    EXPECT_EQ(Str("utf8-late-bom.ini", "", "k1"), "late bom");
    EXPECT_EQ(Str("utf8-late-bom.ini", "Two", "k1"), "two");
    for (const std::string file : {"utf16le-bom.ini", "utf16be-bom.ini"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(Str(file, "Sec", "k1"), "utf16 \xe9\x80?");
        EXPECT_EQ(Str(file, "Sec", "K\xe9"), "key");
        EXPECT_EQ(Str(file, "Sec", "k2"), " quoted ");
        EXPECT_EQ(Str(file, "Sec", "k3"), "??");
        EXPECT_EQ(Str(file, "\xc9t\xe9", "k1"), "section");
    }
    EXPECT_EQ(Str("ansi-after-ff-fe.ini", "Sec", "k1"), kNone);
}

TEST(ProfileReader, MalformedUtf8BecomesQuestionMarks) {
    // Each malformed sequence is one '?'; a lead byte takes the next byte along whenever that
    // is a continuation byte, even one that makes the sequence invalid.
    const std::pair<const char*, const char*> cases[] = {
        {"m0", "<?>"},      // C3 cut short
        {"m1", "<?>"},      // E2 82 cut short
        {"m2", "<?>"},      // lone continuation byte
        {"m3", "<?\?>"},    // C0 AF: C0 is never a lead byte
        {"m6", "<?\?>"},    // E0 80 80: overlong
        {"m9", "<?\?>"},    // ED A0 80: surrogate
        {"m10", "<?>"},     // ED 9F BF: U+D7FF
        {"m15", "<?\?\?>"}, // F4 90 80 80: beyond U+10FFFF
        {"m16", "<?\?>"},   // F4 8F BF BF: U+10FFFF, two units
        {"m17", "<?\?\?\?>"}, {"m21", "<?\x80>"}, {"m22", "<?\xe9>"},
        {"m26", "<?\?\?>"},   {"m30", "<?>"},     {"end", "?"},
    };
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(Str("utf8-bom-malformed.ini", "Sec", key), expected) << key;
    }
}

TEST(ProfileReader, NamesAndValuesEndAtNul) {
    const std::string file = "nul-bytes.ini";
    EXPECT_EQ(Str(file, "Sec", "k1"), "x");
    EXPECT_EQ(Str(file, "Sec", ""), "after nul");
    EXPECT_EQ(Str(file, "Sec", "k"), "3");
    EXPECT_EQ(Str(file, "Sec", "k4"), "");
    EXPECT_EQ(Str(file, "Sec", "k5"), "\" ");
    EXPECT_EQ(Str(file, "Sec", "k6"), kNone);
    EXPECT_EQ(Str(file, "Sec", "k7"), "7"); // "[S\0x" has no ']'
    EXPECT_EQ(Str(file, "T", "t"), "1");
    EXPECT_EQ(Str(file, "U", ""), kNone); // a line of only NUL is a key "" without value
    EXPECT_EQ(Str(file, "V", ""), kNone);
    EXPECT_EQ(Str(file, std::string("Sec\0junk", 8), "k1"), "x");
}

class ProfileReaderOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        m_directory = fs::temp_directory_path() / ("discmenu-profile-" + std::to_string(random()));
        fs::create_directories(m_directory);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_directory, ignored);
    }
    std::string Write(const std::string& name, const std::string& bytes) const {
        const fs::path path = m_directory / name;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path.string();
    }
    fs::path m_directory;
};

// Discs can be swapped while the menu is open: a change of a file shows at the next call, be it
// written just now (in the same second as the last read, at the same size) or long ago.
TEST_F(ProfileReaderOnDisk, ReadsTheFileAnewAtEveryCall) {
    const std::string file = Write("Inst.inf", "[Main Dialog]\r\nNumber of menu=2\r\n");
    EXPECT_EQ(reader.GetInt(file, 1252, "Main Dialog", "Number of menu", 0), 2);
    Write("Inst.inf", "[Main Dialog]\r\nNumber of menu=5\r\n");
    EXPECT_EQ(reader.GetInt(file, 1252, "Main Dialog", "Number of menu", 0), 5);
    const auto longAgo = fs::last_write_time(file) - std::chrono::hours(24);
    fs::last_write_time(file, longAgo);
    EXPECT_EQ(reader.GetInt(file, 1252, "Main Dialog", "Number of menu", 0), 5);
    EXPECT_EQ(reader.GetInt(file, 1252, "Main Dialog", "Number of menu", 0), 5);
    Write("Inst.inf", "[Main Dialog]\r\nNumber of menu=7\r\n");
    fs::last_write_time(file, longAgo + std::chrono::hours(1));
    EXPECT_EQ(reader.GetInt(file, 1252, "Main Dialog", "Number of menu", 0), 7);
    fs::remove(file);
    EXPECT_EQ(reader.GetInt(file, 1252, "Main Dialog", "Number of menu", 0), 0);
    EXPECT_EQ(reader.GetString(file, 1252, "Main Dialog", "Number of menu", "\"none\"", 256),
              "none");
}

// A file too large to read safely in a 32-bit process is no file either.
TEST_F(ProfileReaderOnDisk, DirectoryPathThroughAFileAndHugeFilesAreNoFiles) {
    const std::string file = Write("Inst.inf", "[Sec]\r\nk=v\r\n");
    EXPECT_EQ(reader.GetString(m_directory.string(), 1252, "Sec", "k", "'d'", 256), "'d'");
    EXPECT_EQ(reader.GetString(file + "/Inst.inf", 1252, "Sec", "k", "'d'", 256), "'d'");
    EXPECT_EQ(reader.GetString(file, 1252, "Sec", "k", "'d'", 256), "v");
    const std::string lines = "[Sec]\r\nk=v\r\n";
    std::string huge = lines;
    huge.resize(platform::ProfileReader::kMaxFileSize, ' ');
    const std::string largest = Write("Largest.inf", huge);
    EXPECT_EQ(reader.GetString(largest, 1252, "Sec", "k", "'d'", 256), "v");
    const std::string tooLarge = Write("TooLarge.inf", huge + " ");
    EXPECT_EQ(reader.GetString(tooLarge, 1252, "Sec", "k", "'d'", 256), "'d'");
}

} // namespace
