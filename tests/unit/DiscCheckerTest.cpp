// discmenu-check: the findings on a disc with planted faults, and the pages it reads compared
// with what the menu reads.

#include "check/Brand.h"
#include "check/CheckerTexts.h"
#include "check/CommandLine.h"
#include "check/DiscCheck.h"
#include "check/ProgramResources.h"
#include "check/linux/FileTreeDiscFiles.h"
#include "check/linux/TrueTypeWidths.h"
#include "framework/StoredPicture.h"
#include "menu/Configuration.h"
#include "menu/Languages.h"
#include "platform/profile/ProfileReader.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using check::Kind;
using check::Severity;

check::TrueTypeWidths Widths() {
    std::string missing;
    auto widths = check::TrueTypeWidths::Load(missing);
    if (!widths) {
        throw std::runtime_error("no " + missing + ": install fonts-liberation (make deps)");
    }
    return std::move(*widths);
}

// A finding as one line: severity, file, section, key and kind, and the other places where it
// shows.
std::string Line(Severity severity, const std::string& file, const std::string& section,
                 const std::string& key, Kind kind, const std::string& otherPlaces) {
    return std::string(check::NameOf(severity)) + " " + file + " [" + section + "] " + key + " " +
           check::NameOf(kind) + (otherPlaces.empty() ? "" : " also " + otherPlaces);
}

// The values of entries, to compare what the checker reads with what the menu reads.
using EntryValues = std::tuple<std::string, int, std::string, std::string, std::string>;
EntryValues ValuesOf(const CMenuItem& item) {
    return {item.m_strText, item.m_nType, item.m_strExecute, item.m_strTitle, item.m_strDiskId};
}
std::vector<EntryValues> ValuesOf(const std::vector<CMenuItem>& items) {
    std::vector<EntryValues> values;
    values.reserve(items.size());
    for (const CMenuItem& item : items) {
        values.push_back(ValuesOf(item));
    }
    return values;
}

// The program's output and exit status.
std::pair<std::string, int> RunProgram(const std::string& arguments) {
    const std::string command = std::string(DISCMENU_CHECK_PROGRAM) + " " + arguments;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return {"", -1};
    }
    std::string output;
    for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) {
        output += static_cast<char>(c);
    }
    const int status = pclose(pipe);
    return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST(DiscChecker, FindsEachPlantedFaultAndNothingElse) {
    // tests/data/check/planted: every fault below once, among things that are none (names in
    // other letter case, a wildcard disc id that matches, quotes, a mnemonic, links that are
    // left alone, a German file with its accents in code page 1252). Checked in a copy, with a
    // file of 5 GB added that takes no room (a sparse file).
    struct Expected {
        Severity severity;
        const char* file;
        const char* section;
        const char* key;
        Kind kind;
        const char* otherPlaces = ""; // "file [section] key", separated by "; "
        const char* saysLast = "";    // the end of the message
    };
    const Severity E = Severity::Error;
    const Severity W = Severity::Warning;
    const Severity N = Severity::Note;
    const char* const manuals = "Documentation\\English\\HTML\\manulist.htm";
    const Expected table[] = {
        {N, "Inst40a.inf", "", "", Kind::LanguageFileMissing},
        {E, "Inst410.inf", "", "", Kind::LanguageFileUnreadable}, // a folder
        {E, "Inst.inf", "Main Dialog", "MenuItemExecute7", Kind::PageMissing, "",
         "(did you mean [More Tools]?): the sub-page opens without entries"}, // "More Tool"
        {E, "Inst.inf", "Main Dialog", "MenuItemExecute2", Kind::TargetMissing},
        {E, "Inst.inf", "Main Dialog", "MenuItemDiskID1", Kind::NoDiscId},
        {E, "Inst.inf", "Main Dialog", "MenuItemDiskID3", Kind::DiscIdNotFound, // Disk2\*.cab
         "Inst407.inf [Main Dialog] MenuItemDiskID3"}, // one cause: one finding
        {E, "Inst.inf", "Main Dialog", "MenuItemExecute5", Kind::JavaInstallerMissing},
        {E, "Inst407.inf", "Main Dialog", "MenuItemExecute1", Kind::ManualsPageMissing},
        {E, manuals, "", "app:Missing.pdf", Kind::DocumentMissing},
        {E, manuals, "", "app:D:\\Other\\file.pdf", Kind::LinkOutsideManuals},
        {E, manuals, "", "app:Tools/Setup.exe", Kind::LinkToProgram},
        {E, "Inst.inf", "More Tools", "MenuItemType3", Kind::BadType},            // 7
        {E, "Inst.inf", "Count Word", "Number of menu", Kind::BadEntryCount},     // "many"
        {E, "Inst.inf", "Count Negative", "Number of menu", Kind::BadEntryCount}, // -1
        {E, "Inst.inf", "Count Huge", "Number of menu", Kind::BadEntryCount},     // 300
        {W, "Inst.inf", "Main Dialog", "Number of menu", Kind::TooManyEntries},   // 8
        {W, "Inst.inf", "More Tools", "MenuItemString0", Kind::EntryTooWide},
        {W, "Inst.inf", "More Tools", "MenuItemTitle1", Kind::HelpTooWide},
        {W, "Inst.inf", "More Tools", "MenuItemTitle2", Kind::HelpTooManyLines},
        {W, "Inst.inf", "Numbered", "MenuItemString0", Kind::NumberedFromOne},
        {W, "Inst.inf", "Short Count", "MenuItemString1", Kind::EntriesPastCount},
        {W, "Inst.inf", "Counts", "Number of menu", Kind::BlankEntries},
        {W, "Inst.inf", "Empty", "Number of menu", Kind::EmptyPage},
        {W, "Inst407.inf", "RES_STR", "IDS_TITLE", Kind::InvalidBytes},           // 0x81
        {E, "Inst40c.inf", "RES_STR", "IDS_NONE_SELECT_TEXT", Kind::SavedAsUtf8}, // "Ã©"
        {E, "Inst804.inf", "RES_STR", "IDS_NONE_SELECT_TEXT", Kind::SavedAsUtf8}, // code page 936
        {W, "Inst40c.inf", "DISKID", "Disk1\\disk1.id", Kind::DiscPromptMissing},
        // Two blanks where the built-in text has one; "Fehler %s" keeps its blank.
        {E, "Inst407.inf", "RES_STR", "IDS_CANNOT_START", Kind::TextBlanks, "",
         "the built-in text \"Can not start application %s.\" instead"},
        // Once per file, naming every text left out (the English file has none of these).
        {N, "Inst407.inf", "RES_STR", "", Kind::TextsInEnglish, "",
         "in Deutsch: IDS_WARNING, IDS_CAPTION, IDS_USBTITLE, IDS_FIRSTCHECKBOXCAPTION, "
         "IDS_SECONDCHECKBOXCAPTION, IDS_OK, IDS_CANCEL, IDS_FILECOPYSUCCESS, IDS_FILECOPYFAIL, "
         "IDS_NOVDINSTALL, IDS_NOMEDIAINDEVICE, IDS_ERROR_CAPTION, IDS_CANNOT_START, "
         "IDS_JAVA_NO_TEMP, IDS_JAVA_COPY_FAILED, IDS_JAVA_START_FAILED, IDS_NO_HTML_FILE, "
         "IDS_NO_PDF_READER, IDS_FILE_LABEL, IDS_LINK_TO_PROGRAM, IDS_LINK_OUTSIDE, "
         "IDS_USB_FAILED, "
         "IDS_USB_DECLINED, IDS_PRESS, IDS_UNEXPECTED_ERROR, IDS_STARTUP_CAPTION"},
        {N, "Inst40c.inf", "RES_STR", "", Kind::TextsInEnglish},
        {N, "Inst804.inf", "RES_STR", "", Kind::TextsInEnglish},
        // Keys the menu never reads; a misspelt entry key or count is its entry's or page's only
        // finding (no target-missing, no-disc-id or empty-page follows from it).
        {W, "Inst.inf", "RES_STR", "IDS_TITEL", Kind::UnknownKey, "", "did you mean IDS_TITLE?"},
        {W, "Inst.inf", "More Tools", "MenuItemTyp1", Kind::UnknownKey, "",
         "did you mean MenuItemType1?"},
        {W, "Inst.inf", "Misspelt Count", "Number of menus", Kind::UnknownKey, "",
         "did you mean Number of menu?"},
        {W, "Inst.inf", "Empty", "Comment", Kind::UnknownKey, "",
         "reads no key of this name"}, // none near
        {W, "Inst.inf", "DISKID", "Disk1\\disk.id", Kind::UnknownKey, "",
         "did you mean Disk1\\disk1.id?"},
        {W, "autorun.inf", "autorun", "open", Kind::Autorun}, // open=Setup.exe
        // Install.exe: signed with SHA-256 only, by a certificate that ended on 2021-01-01,
        // without a timestamp.
        {W, "Install.exe", "", "", Kind::NoSha1Signature},
        {W, "Install.exe", "", "", Kind::CertificateExpired},
        {W, "Docs\\Notes;1.txt", "", "", Kind::NameCharacters},
        {W, "Docs\\Release notes of every version since the very first one, in full.txt", "", "",
         Kind::NameTooLong}, // 68 characters
        {W, "Levels\\3\\4\\5\\6\\7\\8\\9", "", "", Kind::PathTooDeep},
        {N, "Video\\Tour.mpg", "", "", Kind::FileOver4Gb}, // the sparse file
        {N, "", "", "", Kind::DiscSize},                   // more than a DVD-5
    };
    const fs::path disc =
        fs::temp_directory_path() / ("discmenu-check-planted." + std::to_string(getpid()));
    fs::remove_all(disc);
    fs::copy(fs::path(DISCMENU_SOURCE_DIR) / "tests/data/check/planted", disc,
             fs::copy_options::recursive);
    fs::create_directory(disc / "Video");
    std::ofstream(disc / "Video" / "Tour.mpg").close();
    fs::resize_file(disc / "Video" / "Tour.mpg", 5ULL << 30);
    auto widths = Widths();
    const check::Report report = check::CheckDisc(check::FileTreeDiscFiles(disc.string()), widths,
                                                  {false, "20260101000000"});

    std::vector<std::string> expected;
    for (const Expected& row : table) {
        EXPECT_EQ(check::SeverityOf(row.kind), row.severity) << check::NameOf(row.kind);
        expected.push_back(
            Line(row.severity, row.file, row.section, row.key, row.kind, row.otherPlaces));
    }
    std::vector<std::string> found;
    for (const check::Finding& finding : report.findings) {
        std::string otherPlaces;
        for (const check::Place& place : finding.otherPlaces) {
            otherPlaces += (otherPlaces.empty() ? "" : "; ") + place.file + " [" + place.section +
                           "] " + place.key;
        }
        found.push_back(Line(finding.severity, finding.file, finding.section, finding.key,
                             finding.kind, otherPlaces));
    }
    std::sort(expected.begin(), expected.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected);
    for (const Expected& row : table) {
        const auto finding =
            std::find_if(report.findings.begin(), report.findings.end(), [&](const auto& found) {
                return found.kind == row.kind && found.file == row.file &&
                       found.section == row.section && found.key == row.key;
            });
        const std::string last = row.saysLast;
        if (!last.empty() && finding != report.findings.end()) {
            const std::string& message = finding->message;
            EXPECT_EQ(message.substr(message.size() - std::min(message.size(), last.size())), last);
        }
    }
    EXPECT_EQ(report.errors, 17);
    EXPECT_EQ(report.warnings, 21);
    EXPECT_EQ(report.notes, 6);
    EXPECT_EQ(check::ExitStatus(report), 2);

    // The pages found from the main page on, as the entries name them.
    const std::vector<std::vector<std::string>> pages = {
        {"Main Dialog", "More Tools", "Numbered", "Short Count", "Counts", "Empty", "Count Word",
         "Count Negative", "Count Huge", "Misspelt Count"},
        {"Main Dialog"},
        {"Main Dialog"},
        {},
        {},
        {"Main Dialog"}};
    ASSERT_EQ(report.languages.size(), pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        std::vector<std::string> names;
        for (const check::Page& page : report.languages[i].pages) {
            names.push_back(page.name);
        }
        EXPECT_EQ(names, pages[i]) << report.languages[i].code;
    }

    // The program says the same, and ends with the status of errors.
    const std::string quoted = "'" + disc.string() + "'";
    EXPECT_EQ(RunProgram(quoted), std::make_pair(check::FormatText(report), 2));
    const auto [json, status] = RunProgram("--json " + quoted);
    EXPECT_EQ(json, check::FormatJson(report));
    EXPECT_EQ(status, 2);
    // A finding of one cause names its other places: the text in a line each, the JSON in
    // "places" with the first.
    EXPECT_NE(check::FormatText(report).find(
                  "(disc-id-not-found)\n  also: Inst407.inf [Main Dialog] MenuItemDiskID3\n"),
              std::string::npos);
    EXPECT_NE(json.find("\"places\": [{\"file\": \"Inst.inf\", \"section\": \"Main Dialog\", "
                        "\"key\": \"MenuItemDiskID3\"}, {\"file\": \"Inst407.inf\", \"section\": "
                        "\"Main Dialog\", \"key\": \"MenuItemDiskID3\"}]}"),
              std::string::npos);
    EXPECT_EQ(RunProgram("").second, check::kCannotCheck);
    EXPECT_EQ(RunProgram("'" + (disc / "Inst.inf").string() + "'").second, check::kCannotCheck)
        << "not a folder";

    // A folder without any language file: one error says so, instead of a note per language.
    std::vector<Kind> languageFindings;
    for (const check::Finding& finding :
         check::CheckDisc(check::FileTreeDiscFiles((disc / "Docs").string()), widths).findings) {
        if (finding.kind == Kind::NoLanguageFile || finding.kind == Kind::LanguageFileMissing) {
            languageFindings.push_back(finding.kind);
        }
    }
    EXPECT_EQ(languageFindings, std::vector<Kind>{Kind::NoLanguageFile});
    fs::remove_all(disc);
}

// A 64-bit program file whose resource section holds the bitmaps `ids`, and nothing else: plain
// bitmaps, or under the resource type named `typeName` (the pictures stored compressed are
// under pictures::kResourceType).
std::string ProgramWithBitmaps(const std::vector<unsigned>& ids, const std::string& typeName = "") {
    std::string bytes(0x200, '\0');
    const auto put = [&bytes](std::size_t at, std::uint32_t value, int size) {
        if (bytes.size() < at + static_cast<std::size_t>(size)) {
            bytes.resize(at + static_cast<std::size_t>(size));
        }
        for (int i = 0; i < size; ++i) {
            bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
        }
    };
    bytes.replace(0, 2, "MZ");
    put(0x3C, 0x40, 4);
    bytes.replace(0x40, 4, std::string("PE\0\0", 4));
    put(0x40 + 6, 1, 2); // one section
    const std::size_t directories = 16;
    const std::size_t optionalSize = 112 + directories * 8;
    put(0x40 + 20, static_cast<std::uint32_t>(optionalSize), 2); // the optional header's size
    const std::size_t optional = 0x58;
    put(optional, 0x20B, 2);                             // PE32+
    put(optional + 108, 16, 4);                          // data directories
    put(optional + 112 + std::size_t{2} * 8, 0x1000, 4); // the resources' address
    const std::size_t section = optional + optionalSize;
    put(section + 8, 0x1000, 4);  // its size in memory
    put(section + 12, 0x1000, 4); // its address
    put(section + 20, 0x200, 4);  // its place in the file
    if (typeName.empty()) {
        put(0x200 + 14, 1, 2); // the root: one numbered type, bitmaps
        put(0x200 + 16, 2, 4);
    } else {
        // One named type; its name (a length, then UTF-16 units) after the bitmaps' directory.
        const std::size_t name = 0x18 + 16 + 8 * ids.size();
        put(0x200 + 12, 1, 2);
        put(0x200 + 16, 0x80000000u | static_cast<std::uint32_t>(name), 4);
        put(0x200 + name, static_cast<std::uint32_t>(typeName.size()), 2);
        for (std::size_t i = 0; i < typeName.size(); ++i) {
            put(0x200 + name + 2 + 2 * i, static_cast<unsigned char>(typeName[i]), 2);
        }
    }
    put(0x200 + 20, 0x80000000u | 0x18, 4);
    put(0x218 + 14, static_cast<std::uint32_t>(ids.size()), 2);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        put(0x218 + 16 + 8 * i, ids[i], 4);
        put(0x218 + 20 + 8 * i, 0x80000000u, 4);
    }
    return bytes;
}

TEST(DiscChecker, WarnsWhenThePagesPicturesComeWithoutTheir2xForm) {
    using Ids = std::vector<unsigned>;
    const std::vector<std::tuple<std::string, std::optional<Ids>, int>> rows{
        {ProgramWithBitmaps({130, 131, 132, 133, 134, 135}), Ids{130, 131, 132, 133, 134, 135}, 1},
        {ProgramWithBitmaps({130, 131, 132, 133, 134, 230, 231, 232, 233, 234}),
         Ids{130, 131, 132, 133, 134, 230, 231, 232, 233, 234}, 0},
        {ProgramWithBitmaps({130, 230, 131}), Ids{130, 230, 131}, 1}, // one without
        {ProgramWithBitmaps({}), Ids{}, 0},
        {"MZ and nothing a program has", std::nullopt, 0},
        // The pictures stored compressed, under their type's name.
        {ProgramWithBitmaps({130, 131, 132, 133, 134, 230, 231, 232, 233, 234},
                            pictures::kResourceType),
         Ids{130, 131, 132, 133, 134, 230, 231, 232, 233, 234}, 0},
        {ProgramWithBitmaps({130, 131, 132, 133, 134, 230}, pictures::kResourceType),
         Ids{130, 131, 132, 133, 134, 230}, 1},
        // Resources of another named type, or of a name that only starts alike, are no pictures.
        {ProgramWithBitmaps({130, 131}, "ZBITMAPS"), Ids{}, 0},
        {ProgramWithBitmaps({130, 131}, "ZBITMA"), Ids{}, 0},
    };
    const fs::path disc = fs::temp_directory_path() / "discmenu-check-pictures";
    for (const auto& [program, ids, warnings] : rows) {
        EXPECT_EQ(check::resources::BitmapIds(program), ids);
        fs::remove_all(disc);
        fs::create_directories(disc);
        std::ofstream(disc / "Install.exe", std::ios::binary) << program;
        auto widths = Widths();
        const check::Report report =
            check::CheckDisc(check::FileTreeDiscFiles(disc.string()), widths, {});
        EXPECT_EQ(std::count_if(report.findings.begin(), report.findings.end(),
                                [](const check::Finding& finding) {
                                    return finding.kind == check::Kind::NoDoublePictures;
                                }),
                  warnings);
    }
    // Cut short anywhere, the file gives no bitmaps rather than any made up.
    const std::string whole = ProgramWithBitmaps({130, 230});
    for (std::size_t length = 0; length < whole.size(); length += 7) {
        const auto ids = check::resources::BitmapIds(whole.substr(0, length));
        EXPECT_TRUE(!ids || ids->size() <= 2) << length;
    }
    fs::remove_all(disc);
}

// A program file whose resource section holds only `ini` as its brand (RCDATA "BRAND"), laid
// out after the bitmaps' program of no bitmaps: the root, one type, one name, one language.
std::string ProgramWithBrand(const std::string& ini) {
    std::string bytes = ProgramWithBitmaps({});
    bytes.resize(0x200);
    std::string section(0x100, '\0');
    const auto put = [&section](std::size_t at, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            section[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
        }
    };
    put(14, 1, 2); // the root: one numbered type
    put(16, 10, 4);
    put(20, 0x80000000u | 0x18, 4);
    put(0x18 + 12, 1, 2); // the type: one named entry, its name at 0x60
    put(0x18 + 16, 0x80000000u | 0x60, 4);
    put(0x18 + 20, 0x80000000u | 0x30, 4);
    put(0x30 + 14, 1, 2); // the name: one language, its data entry at 0x48
    put(0x30 + 16, 0x409, 4);
    put(0x30 + 20, 0x48, 4);
    put(0x48, 0x1000 + 0x80, 4); // the data: its address and size
    put(0x48 + 4, static_cast<std::uint32_t>(ini.size()), 4);
    put(0x60, 5, 2);
    for (std::size_t i = 0; i < 5; ++i) {
        put(0x62 + 2 * i, static_cast<unsigned char>("BRAND"[i]), 2);
    }
    return bytes + section.substr(0, 0x80) + ini;
}

TEST(DiscChecker, WarnsWhenAProgramOfTheSamplesBrandFillsInTextsThatNameTheProduct) {
    // The English file gives every text but the manuals' caption and the disc prompt, whose
    // built-in texts name the product.
    const std::string inf = "[RES_STR]\r\nIDS_NOVDINSTALL=Install it first.\r\n"
                            "IDS_FIRSTCHECKBOXCAPTION=One\r\nIDS_SECONDCHECKBOXCAPTION=Two\r\n"
                            "[Main Dialog]\r\nNumber of menu=0\r\n";
    const std::string quarry = "[Product]\nName=Quarry Studio 2\n";
    struct Row {
        const char* what;
        std::string program;
        std::optional<std::string> ini; // as the checker reads it from the program
        bool warned;
    };
    const Row rows[] = {
        {"a program without a brand of its own", ProgramWithBitmaps({}), "", true},
        {"a program of the sample's brand", ProgramWithBrand("[Product]\nCompany=Other\n"),
         "[Product]\nCompany=Other\n", true},
        {"a program of another product's brand", ProgramWithBrand(quarry), quarry, false},
        {"no program whose resources can be read", "MZ and nothing a program has", std::nullopt,
         false},
    };
    const fs::path disc = fs::temp_directory_path() / "discmenu-check-fallbacks";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(check::resources::BrandIni(row.program), row.ini);
        fs::remove_all(disc);
        fs::create_directories(disc);
        std::ofstream(disc / "Install.exe", std::ios::binary) << row.program;
        std::ofstream(disc / "Inst.inf", std::ios::binary) << inf;
        auto widths = Widths();
        const check::Report report =
            check::CheckDisc(check::FileTreeDiscFiles(disc.string()), widths, {});
        const auto found = std::find_if(
            report.findings.begin(), report.findings.end(), [](const check::Finding& finding) {
                return finding.kind == check::Kind::FallbackNamesProduct;
            });
        ASSERT_EQ(found != report.findings.end(), row.warned);
        if (row.warned) {
            EXPECT_EQ(found->file, "Inst.inf");
            EXPECT_NE(found->message.find("Ormix-Designer"), std::string::npos);
            const std::string keys = "these texts: IDS_CAPTION, IDS_NOMEDIAINDEVICE";
            EXPECT_EQ(found->message.substr(found->message.size() - keys.size()), keys);
        }
    }
    // Cut short anywhere, the file gives no brand rather than one made up.
    const std::string whole = ProgramWithBrand(quarry);
    for (std::size_t length = 0; length < whole.size(); length += 5) {
        const auto ini = check::resources::BrandIni(whole.substr(0, length));
        EXPECT_TRUE(!ini || ini->empty() || *ini == quarry) << length;
    }
    fs::remove_all(disc);
}

TEST(DiscChecker, ReadsThePagesAsTheMenuReadsThem) {
    // Tricky files: names in other letter case (the file's too), quotes, duplicate keys and
    // sections, a missing section, a key without '=', a Chinese character whose second byte is
    // a backslash; a French file larger than the menu reads.
    const fs::path disc = fs::temp_directory_path() / "discmenu-check-tricky";
    fs::remove_all(disc);
    fs::create_directories(disc);
    std::ofstream(disc / "inst.inf", std::ios::binary) << "[main dialog]\r\n"
                                                          "Number of menu=\"3\"\r\n"
                                                          "MenuItemString0=\" Quoted \"\r\n"
                                                          "MenuItemString0=Second\r\n"
                                                          "MenuItemType0=1\r\n"
                                                          "MenuItemExecute0=  lumo dialog  \r\n"
                                                          "MenuItemString1='Single'\r\n"
                                                          "MenuItemType1=1\r\n"
                                                          "MenuItemExecute1=Nowhere\r\n"
                                                          "MenuItemString2=Exit\r\n"
                                                          "menuitemtype2=2\r\n"
                                                          "MenuItemTitle2=\"one\\two\"\r\n"
                                                          "[Main Dialog]\r\n"
                                                          "Number of menu=9\r\n"
                                                          "[Lumo Dialog]\r\n"
                                                          "MenuItemDiskID0\r\n"
                                                          "MenuItemDiskID0=later\r\n"
                                                          "Number of menu=1\r\n"
                                                          "MenuItemString0=Back\r\n"
                                                          "MenuItemType0=2\r\n";
    std::ofstream(disc / "Inst804.inf", std::ios::binary)
        << "[Main Dialog]\nNumber of menu=1\nMenuItemString0=\x81\x5c\xb0\xb2\nMenuItemType0=2\n"
           "MenuItemTitle0=\x81\x5c\\\xb0\xb2\n";

    std::string huge = "[Main Dialog]\r\nNumber of menu=1\r\n";
    huge.resize(platform::ProfileReader::kMaxFileSize + 1, ' ');
    std::ofstream(disc / "Inst40c.inf", std::ios::binary) << huge;

    auto widths = Widths();
    const check::Report report = check::CheckDisc(check::FileTreeDiscFiles(disc.string()), widths);
    const auto tooLarge = std::find_if(
        report.findings.begin(), report.findings.end(),
        [](const check::Finding& finding) { return finding.kind == Kind::LanguageFileTooLarge; });
    ASSERT_NE(tooLarge, report.findings.end());
    EXPECT_EQ(tooLarge->file, "Inst40c.inf");
    EXPECT_FALSE(report.languages[1].read);

    const platform::ProfileReader profile;
    const check::BuiltinTexts strings;
    const std::pair<int, fs::path> files[] = {{0, disc / "inst.inf"}, {5, disc / "Inst804.inf"}};
    const std::vector<std::vector<std::string>> names = {{"Main Dialog", "lumo dialog"},
                                                         {"Main Dialog"}};
    for (std::size_t f = 0; f < std::size(files); ++f) {
        const auto& [language, path] = files[f];
        const check::Language& read = report.languages[language];
        EXPECT_TRUE(read.read) << path;
        std::vector<std::string> pageNames;
        for (const check::Page& page : read.pages) {
            pageNames.push_back(page.name);
            const config::PageContent menu = config::ReadPage(
                profile, strings, path.string(), languages::CodePage(language), page.name);
            std::vector<EntryValues> entries;
            for (const auto& item : menu.items) {
                entries.push_back(ValuesOf(*item));
            }
            EXPECT_EQ(entries, ValuesOf(page.entries)) << path << " [" << page.name << "]";
        }
        EXPECT_EQ(pageNames, names[f]) << path;
    }
    // What the menu reads there, spelt out once.
    const std::vector<EntryValues> main = {{" Quoted ", 1, "lumo dialog", "", ""},
                                           {"Single", 1, "Nowhere", "", ""},
                                           {"Exit", 2, "", "one\\two", ""}};
    EXPECT_EQ(ValuesOf(report.languages[0].pages[0].entries), main);
    EXPECT_EQ(report.languages[0].pages[1].entries[0].m_strDiskId, "");
    EXPECT_EQ(report.languages[5].pages[0].entries[0].m_strTitle, "\xe4\xb9\x97\\\xe5\xae\x89");
    fs::remove_all(disc);
}

// The header of a bitmap file: the file header and a BITMAPINFOHEADER, no pixels.
std::string BitmapHeader(int width, int height, int bitsPerPixel) {
    std::string bytes = "BM";
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    put(54, 4); // file size
    put(0, 4);
    put(54, 4); // pixel offset
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(static_cast<std::uint32_t>(bitsPerPixel), 2);
    bytes.resize(54, '\0');
    return bytes;
}

// The header of a PNG file: the signature and the IHDR chunk, no pixels.
std::string PngHeader(int width, int height, int colourType, int depth, int interlace) {
    std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (const int value : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes += static_cast<char>((value >> shift) & 0xFF);
        }
    }
    bytes += {static_cast<char>(depth), static_cast<char>(colourType), 0, 0,
              static_cast<char>(interlace)};
    return bytes + std::string(4, '\0'); // the chunk's CRC, which is not read
}

TEST(DiscChecker, ABrandFoldersPicturesIconAndKeys) {
    const fs::path brand = fs::temp_directory_path() / "discmenu-check-brand";
    fs::remove_all(brand);
    fs::create_directories(brand);
    const std::pair<const char*, std::string> files[] = {
        {"Background.bmp", BitmapHeader(400, -300, 24)}, // top-down: right
        {"Background@2x.bmp", BitmapHeader(800, 600, 24)},
        {"EntryHot.bmp", BitmapHeader(180, 40, 24)},
        {"EntryNormal@2x.bmp", BitmapHeader(185, 40, 24)},
        {"BackgroundLumo.bmp", BitmapHeader(400, 300, 24)},
        {"HelpStrip.bmp", "GIF89a"},
        // A PNG file at a wrong size (any depth: the build converts it), one interlaced, one
        // right whose 2x picture is missing, and the spare background, which has no 2x form.
        {"EntryNormal.png", PngHeader(185, 37, 6, 8, 0)},
        {"BackgroundLumo@2x.png", PngHeader(800, 600, 3, 4, 1)},
        {"HelpStrip@2x.png", PngHeader(1200, 80, 2, 16, 0)},
        {"BackgroundSpare.png", PngHeader(400, 300, 0, 1, 0)},
        {"brand.ini", "[Product]\r\nName=Harbor \"Suite\" 5\r\nCompany=Harbor Works\r\n"
                      "[Registry]\r\nInstallKey=HKLM\\SOFTWARE\\Harbor\r\n"
                      "VersionKey=SOFTWARE\\\\Harbor\r\n"
                      "LanguageKey=SOFTWARE\\Harbor Works\\Suite\r\n"
                      "View=WOW6432Node\r\n"
                      "; a comment\r\nFolderValu=InstallDir\r\n"
                      "[Colours]\r\nEntryText=#00464e\r\nEntryHotText=white\r\n"
                      "HelpText=#12345\r\nLabelText=#1236C8\r\n"},
    };
    for (const auto& [name, bytes] : files) {
        std::ofstream(brand / name, std::ios::binary) << bytes;
    }
    const Severity E = Severity::Error;
    const Severity W = Severity::Warning;
    // In the order of the pictures, then the icon, the values of brand.ini and its unknown keys.
    const std::string expected[] = {
        Line(E, "BackgroundLumo.bmp", "", "", Kind::BrandPictureDepth, ""),
        Line(E, "BackgroundLumo@2x.png", "", "", Kind::BrandPictureUnreadable, ""),
        Line(E, "EntryNormal.png", "", "", Kind::BrandPictureSize, ""),
        Line(E, "EntryNormal@2x.bmp", "", "", Kind::BrandPictureSize, ""),
        Line(E, "EntryHot.bmp", "", "", Kind::BrandPictureSize, ""),
        Line(W, "EntryHot.bmp", "", "", Kind::NoDoublePicture, ""),
        Line(E, "HelpStrip.bmp", "", "", Kind::BrandPictureUnreadable, ""),
        Line(W, "Install.ico", "", "", Kind::BrandIconMissing, ""),
        Line(E, "brand.ini", "Product", "Name", Kind::BrandName, ""),
        Line(E, "brand.ini", "Registry", "InstallKey", Kind::BrandNotRegistryPath, ""),
        Line(E, "brand.ini", "Registry", "VersionKey", Kind::BrandNotRegistryPath, ""),
        Line(E, "brand.ini", "Registry", "View", Kind::BrandRegistryView, ""),
        Line(E, "brand.ini", "Colours", "EntryHotText", Kind::BrandColour, ""),
        Line(E, "brand.ini", "Colours", "HelpText", Kind::BrandColour, ""),
        Line(W, "brand.ini", "Registry", "FolderValu", Kind::UnknownKey, ""),
    };
    const check::Report report = check::CheckBrand(check::FileTreeDiscFiles(brand.string()));
    std::vector<std::string> found;
    for (const check::Finding& finding : report.findings) {
        found.push_back(
            Line(finding.severity, finding.file, finding.section, finding.key, finding.kind, ""));
    }
    EXPECT_EQ(found, std::vector<std::string>(std::begin(expected), std::end(expected)));
    EXPECT_NE(report.findings.back().message.find("did you mean FolderValue?"), std::string::npos);
    const auto messageOf = [&](Kind kind, const std::string& file) {
        for (const check::Finding& finding : report.findings) {
            if (finding.kind == kind && finding.file == file) {
                return finding.message;
            }
        }
        return std::string();
    };
    EXPECT_EQ(messageOf(Kind::BrandPictureSize, "EntryNormal.png")
                  .rfind("185 x 37 pixels, not 185 x 40", 0),
              0u)
        << "the size expected";
    EXPECT_NE(
        messageOf(Kind::NoDoublePicture, "EntryHot.bmp").find("EntryHot@2x.png or EntryHot@2x.bmp"),
        std::string::npos);
    EXPECT_EQ(RunProgram("--brand '" + brand.string() + "'"),
              std::make_pair(check::FormatText(report), 2));
    fs::remove_all(brand);
}

TEST(DiscChecker, BitmapFormatsAndRegistryPaths) {
    struct Format {
        std::string bytes;
        std::optional<check::BitmapFormat> format;
    };
    std::string core =
        "BM" + std::string(12, '\0') + std::string("\x0c\0\0\0\x90\x01\x2c\x01\x01\0\x08\0", 12);
    const Format formats[] = {
        {BitmapHeader(400, 300, 24), check::BitmapFormat{400, 300, 24}},
        {BitmapHeader(185, -40, 8), check::BitmapFormat{185, 40, 8}},
        {core, check::BitmapFormat{400, 300, 8}}, // the oldest header
        {BitmapHeader(400, 300, 24).substr(0, 40), std::nullopt},
        {"GIF89a", std::nullopt},
        {"", std::nullopt},
    };
    for (const Format& f : formats) {
        const auto format = check::ReadBitmapFormat(f.bytes);
        ASSERT_EQ(format.has_value(), f.format.has_value()) << f.bytes.size();
        if (format) {
            EXPECT_EQ(std::make_tuple(format->width, format->height, format->bitsPerPixel),
                      std::make_tuple(f.format->width, f.format->height, f.format->bitsPerPixel));
        }
    }
    // PNG files as designers deliver them: every colour type and depth the build converts.
    const Format pngs[] = {
        {PngHeader(400, 300, 2, 8, 0), check::BitmapFormat{400, 300, 24}},
        {PngHeader(185, 40, 6, 8, 0), check::BitmapFormat{185, 40, 32}},
        {PngHeader(800, 600, 6, 16, 0), check::BitmapFormat{800, 600, 64}},
        {PngHeader(400, 300, 3, 8, 0), check::BitmapFormat{400, 300, 8}},
        {PngHeader(400, 300, 3, 4, 0), check::BitmapFormat{400, 300, 4}},
        {PngHeader(600, 40, 0, 1, 0), check::BitmapFormat{600, 40, 1}},
        {PngHeader(600, 40, 4, 8, 0), check::BitmapFormat{600, 40, 16}},
        {PngHeader(400, 300, 2, 8, 1), std::nullopt},  // interlaced
        {PngHeader(400, 300, 3, 16, 0), std::nullopt}, // no such palette
        {PngHeader(400, 300, 2, 4, 0), std::nullopt},  // no such depth of colour
        {PngHeader(400, 300, 5, 8, 0), std::nullopt},  // no such colour type
        {PngHeader(400, 300, 2, 8, 0).substr(0, 20), std::nullopt},
        {BitmapHeader(400, 300, 24), std::nullopt},
    };
    for (const Format& f : pngs) {
        const auto format = check::ReadPngFormat(f.bytes);
        ASSERT_EQ(format.has_value(), f.format.has_value()) << f.bytes.size();
        if (format) {
            EXPECT_EQ(std::make_tuple(format->width, format->height, format->bitsPerPixel),
                      std::make_tuple(f.format->width, f.format->height, f.format->bitsPerPixel));
        }
    }
    const std::pair<std::string, bool> keys[] = {
        {"SOFTWARE\\Brenlow\\Ormix-Frame\\Install", true},
        {"SOFTWARE\\Harbor Works\\Suite 5", true},
        {"SOFTWARE", true},
        {"", false},
        {"\\SOFTWARE\\Harbor", false},
        {"SOFTWARE\\Harbor\\", false},
        {"SOFTWARE\\\\Harbor", false},
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Harbor", false},
        {"hklm\\SOFTWARE", false},
        {"SOFTWARE\\Tab\there", false},
        {"SOFTWARE\\" + std::string(256, 'x'), false},
    };
    for (const auto& [key, valid] : keys) {
        EXPECT_EQ(check::IsRegistryPath(key), valid) << key;
    }
    const std::pair<std::string, bool> colourValues[] = {
        {"#FFFFFF", true}, {"#00464e", true},  {"#12345", false},   {"FFFFFF", false},
        {"white", false},  {"#GG0000", false}, {"#1234567", false}, {"", false},
    };
    for (const auto& [value, valid] : colourValues) {
        EXPECT_EQ(check::IsColourValue(value), valid) << value;
    }
}

} // namespace
