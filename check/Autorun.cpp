#include "check/DiscCheck.h"

#include "check/BuiltinTexts.h"
#include "check/ShippableDisc.h"
#include "framework/CodePages.h"
#include "framework/StringUtil.h"
#include "framework/Unicode.h"
#include "manuals/AppLink.h"
#include "manuals/ManualsPage.h"
#include "menu/ClickAction.h"
#include "menu/Configuration.h"
#include "menu/HelpText.h"
#include "menu/Languages.h"
#include "menu/PageLayout.h"
#include "menu/Prerequisites.h"
#include "platform/portable/ProfileReader.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

namespace check {

// What the parts of the check share ---------------------------------------------------------

// A language file being checked: its name on the disc, the path the reader opens it by, and
// its code page.
struct LanguageFile {
    int language;
    std::string name;
    std::string path;
    unsigned codePage;
};

// The first value of a file that shows a problem, and how many values show it.
struct Tally {
    std::string section;
    std::string key;
    std::string value;
    int count = 0;

    void Add(const std::string& inSection, const std::string& ofKey, const std::string& text) {
        if (count++ == 0) {
            section = inSection;
            key = ofKey;
            value = text;
        }
    }
};

// Which languages use a disc id, and which of them have a prompt of their own for it.
struct DiscIdUse {
    std::map<int, std::string> spelling; // by language: the id as its file writes it
    std::vector<int> withPrompt;
    std::vector<int> withoutPrompt;
};

// One check of a disc: the disc, how its texts are measured and read, and what has been found
// so far. Each part of the check adds its findings here.
struct Checking {
    Checking(const IDiscFiles& discFiles, ITextWidths& textWidths)
        : files(discFiles), widths(textWidths) {}

    void Add(Kind kind, const std::string& file, const std::string& section, const std::string& key,
             const std::string& message);

    // A value as the menu reads it (a buffer of 256 characters); its text is looked at for
    // the marks of a file saved in another code page.
    std::string Value(const LanguageFile& file, const std::string& section, const std::string& key);

    // Whether the file has the key at all: an absent key yields whatever default is given.
    bool HasKey(const LanguageFile& file, const std::string& section, const std::string& key) const;

    std::string LanguageName(int language) const;

    const IDiscFiles& files;
    ITextWidths& widths;
    const platform::ProfileReader profile;
    const BuiltinTexts strings;
    Report report;

    // Of the language being checked.
    Tally invalid;
    Tally utf8;
    std::optional<std::pair<std::string, std::string>> manualsEntry; // its section and key
    // Of every language: the disc ids, by their names with ASCII letters in lower case (the
    // reader matches key names so).
    std::map<std::string, DiscIdUse> discIds;
};

// A value as a finding quotes it: in quotes, and shortened when long.
std::string Quote(const std::string& value);

// Whether the profile reader's value is a decimal number: an optional sign and digits only.
bool IsDecimal(const std::string& value);

// Language files and their texts.
void CheckLanguage(Checking& check, int language);

// Bytes that are no character of the file's code page, and files saved as UTF-8.
void Look(Checking& check, const LanguageFile& file, const std::string& section,
          const std::string& key, const std::string& value);
void ReportEncoding(Checking& check, const LanguageFile& file);

// Pages and their entries: checks a page and its entries; appends the pages its entries open
// to `pages`.
Page CheckPage(Checking& check, const LanguageFile& file, const std::string& name,
               std::vector<std::string>& pages);

// How wide the texts of the page are drawn.
void CheckEntryWidth(Checking& check, const LanguageFile& file, const std::string& section,
                     const std::string& key, const std::string& text);
void CheckHelp(Checking& check, const LanguageFile& file, const std::string& section,
               const std::string& key, const std::string& help);
void CheckHelpWidth(Checking& check, const LanguageFile& file, const std::string& section,
                    const std::string& key, const std::string& shown);

// Disc ids and their prompts.
void CheckDiscId(Checking& check, const LanguageFile& file, const std::string& section,
                 const std::string& key, const std::string& diskId);
void ReadDiscPrompts(Checking& check, const LanguageFile& file);
void CheckDiscPrompts(Checking& check);

// The links of the manuals page.
void CheckManuals(Checking& check, const LanguageFile& file,
                  const std::pair<std::string, std::string>& entry);

// autorun.inf.
void CheckAutorun(Checking& check);

// The kinds of finding -----------------------------------------------------------------------

namespace {

struct KindInfo {
    Kind kind;
    Severity severity;
    const char* name;
};

const KindInfo kKinds[] = {
    {Kind::LanguageFileMissing, Severity::Error, "language-file-missing"},
    {Kind::LanguageFileUnreadable, Severity::Error, "language-file-unreadable"},
    {Kind::LanguageFileTooLarge, Severity::Error, "language-file-too-large"},
    {Kind::PageMissing, Severity::Error, "page-missing"},
    {Kind::BadEntryCount, Severity::Error, "bad-entry-count"},
    {Kind::BadType, Severity::Error, "bad-type"},
    {Kind::TargetMissing, Severity::Error, "target-missing"},
    {Kind::NoDiscId, Severity::Error, "no-disc-id"},
    {Kind::DiscIdNotFound, Severity::Error, "disc-id-not-found"},
    {Kind::JavaInstallerMissing, Severity::Error, "java-installer-missing"},
    {Kind::ManualsPageMissing, Severity::Error, "manuals-page-missing"},
    {Kind::DocumentMissing, Severity::Error, "document-missing"},
    {Kind::LinkOutsideManuals, Severity::Error, "link-outside-manuals"},
    {Kind::LinkToProgram, Severity::Error, "link-to-program"},
    {Kind::EmptyPage, Severity::Warning, "empty-page"},
    {Kind::TooManyEntries, Severity::Warning, "too-many-entries"},
    {Kind::EntriesPastCount, Severity::Warning, "entries-past-count"},
    {Kind::BlankEntries, Severity::Warning, "blank-entries"},
    {Kind::NumberedFromOne, Severity::Warning, "numbered-from-one"},
    {Kind::EntryTooWide, Severity::Warning, "entry-too-wide"},
    {Kind::HelpTooWide, Severity::Warning, "help-too-wide"},
    {Kind::HelpTooManyLines, Severity::Warning, "help-too-many-lines"},
    {Kind::InvalidBytes, Severity::Warning, "invalid-bytes"},
    {Kind::SavedAsUtf8, Severity::Warning, "saved-as-utf8"},
    {Kind::DiscPromptMissing, Severity::Warning, "disc-prompt-missing"},
    {Kind::Autorun, Severity::Warning, "autorun"},
    {Kind::Unsigned, Severity::Note, "unsigned"},
    {Kind::NoSha1Signature, Severity::Warning, "no-sha1-signature"},
    {Kind::CertificateExpired, Severity::Warning, "certificate-expired"},
    {Kind::NameTooLong, Severity::Warning, "name-too-long"},
    {Kind::NameCharacters, Severity::Warning, "name-characters"},
    {Kind::PathTooDeep, Severity::Warning, "path-too-deep"},
    {Kind::DiscSize, Severity::Note, "disc-size"},
    {Kind::FileOver4Gb, Severity::Note, "file-over-4gb"},
};

const KindInfo& InfoOf(Kind kind) {
    return *std::find_if(std::begin(kKinds), std::end(kKinds),
                         [kind](const KindInfo& info) { return info.kind == kind; });
}

} // namespace

Severity SeverityOf(Kind kind) {
    return InfoOf(kind).severity;
}

const char* NameOf(Kind kind) {
    return InfoOf(kind).name;
}

const char* NameOf(Severity severity) {
    return severity == Severity::Error     ? "error"
           : severity == Severity::Warning ? "warning"
                                           : "note";
}

// The check's shared state and helpers -----------------------------------------------------

void Checking::Add(Kind kind, const std::string& file, const std::string& section,
                   const std::string& key, const std::string& message) {
    report.findings.push_back({SeverityOf(kind), kind, file, section, key, message});
}

std::string Checking::Value(const LanguageFile& file, const std::string& section,
                            const std::string& key) {
    std::string value =
        profile.GetString(file.path, file.codePage, section, key, "", config::kValueBufferSize);
    Look(*this, file, section, key, value);
    return value;
}

bool Checking::HasKey(const LanguageFile& file, const std::string& section,
                      const std::string& key) const {
    const auto read = [&](const char* def) {
        return profile.GetString(file.path, file.codePage, section, key, def,
                                 config::kValueBufferSize);
    };
    return read("a") == read("b");
}

std::string Checking::LanguageName(int language) const {
    return strings.Load(languages::NameTextId(language));
}

std::string Quote(const std::string& value) {
    constexpr std::size_t kLongest = 48;
    const std::u16string wide = text::Utf8ToUtf16(value);
    if (wide.size() <= kLongest) {
        return "\"" + value + "\"";
    }
    return "\"" + text::Utf16ToUtf8(wide.substr(0, kLongest - 3)) + "...\"";
}

bool IsDecimal(const std::string& value) {
    const std::size_t digits = !value.empty() && (value[0] == '+' || value[0] == '-') ? 1 : 0;
    return value.size() > digits &&
           value.find_first_not_of("0123456789", digits) == std::string::npos;
}

// Language files and their texts ------------------------------------------------------------

namespace {

void CheckTexts(Checking& check, const LanguageFile& file) {
    for (const std::string& key : config::TextKeys()) {
        const std::string value = check.Value(file, config::kTextSection, key);
        if (key == "IDS_NONE_SELECT_TEXT" && !value.empty()) {
            // Shown in the help strip as it stands, one line.
            CheckHelpWidth(check, file, config::kTextSection, key, value);
        }
    }
}

} // namespace

void CheckLanguage(Checking& check, int language) {
    Language view{languages::Code(language),
                  config::FilePath("", language),
                  languages::CodePage(language),
                  false,
                  {}};
    const std::string& name = view.file;
    if (!check.files.Exists(name)) {
        check.Add(Kind::LanguageFileMissing, name, "", "",
                  "the language file of " + check.LanguageName(language) +
                      " is missing: the menu shows the built-in texts and no entries in this "
                      "language");
        check.report.languages.push_back(view);
        return;
    }
    const auto located = check.files.Locate(name);
    const auto bytes = check.files.Read(name);
    if (!bytes || !located) {
        check.Add(Kind::LanguageFileUnreadable, name, "", "",
                  "the language file of " + check.LanguageName(language) +
                      " cannot be read: the menu shows the built-in texts and no entries in "
                      "this language");
        check.report.languages.push_back(view);
        return;
    }
    if (static_cast<long long>(bytes->size()) > platform::ProfileReader::kMaxFileSize) {
        check.Add(Kind::LanguageFileTooLarge, name, "", "",
                  "the language file of " + check.LanguageName(language) + " is larger than " +
                      std::to_string(platform::ProfileReader::kMaxFileSize / (1024LL * 1024)) +
                      " MB, which the menu does not read: it shows the built-in texts and no "
                      "entries in this language");
        check.report.languages.push_back(view);
        return;
    }
    view.read = true;
    const LanguageFile file{language, name, *located, view.codePage};
    check.invalid = {};
    check.utf8 = {};
    check.manualsEntry.reset();

    CheckTexts(check, file);
    if (!check.profile.HasSection(file.path, file.codePage, config::kMainPage)) {
        check.Add(Kind::PageMissing, name, config::kMainPage, "",
                  "the file has no main page section: the menu shows no entries in this "
                  "language");
    } else {
        std::vector<std::string> pages{config::kMainPage};
        for (std::size_t next = 0; next < pages.size(); ++next) {
            const std::string page = pages[next]; // a copy: the list grows meanwhile
            view.pages.push_back(CheckPage(check, file, page, pages));
        }
    }
    if (check.manualsEntry) {
        CheckManuals(check, file, *check.manualsEntry);
    }
    ReadDiscPrompts(check, file);
    ReportEncoding(check, file);
    check.report.languages.push_back(view);
}

// Bytes that are no character of the file's code page, and files saved as UTF-8 -----------

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
    const auto byteAt = [&](std::size_t i) {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned lead = byteAt(i);
        const int length = lead >= 0xC2 && lead <= 0xDF   ? 2
                           : lead >= 0xE0 && lead <= 0xEF ? 3
                           : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                          : 0;
        // The second byte's range excludes overlong forms, surrogates and code points past
        // U+10FFFF; the others are any continuation byte.
        const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        bool sequence = length > 0 && byteAt(i + 1) >= low && byteAt(i + 1) <= high;
        for (int k = 2; sequence && k < length; ++k) {
            sequence = (byteAt(i + k) & 0xC0) == 0x80;
        }
        if (sequence) {
            return true;
        }
    }
    return false;
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

// Pages and their entries --------------------------------------------------------------------

namespace {

// What the page has room for (menu/PageLayout.h). Seven entries end above the help strip; the
// eighth is drawn over it and the ones after it lie below the page.
constexpr int kEntriesAboveStrip =
    (layout::kBackgroundHeight - layout::kEntryTop - layout::kEntryHeight) / layout::kEntryPitch +
    1;

bool IsBlank(const Entry& entry) {
    return entry.text.empty() && entry.type == CMenuItem::kTypeExecute && entry.execute.empty() &&
           entry.title.empty() && entry.diskId.empty();
}

// The entry count: at most one finding about it, the first that applies.
void CheckCount(Checking& check, const LanguageFile& file, const std::string& section,
                const std::vector<Entry>& entries, bool fromOne) {
    const std::string written = check.Value(file, section, config::kCountKey);
    const int count = check.profile.GetInt(file.path, file.codePage, section, config::kCountKey, 0);
    const int read = static_cast<int>(entries.size());
    std::size_t filled = entries.size();
    while (filled > 0 && IsBlank(entries[filled - 1])) {
        --filled;
    }
    const int blank = read - static_cast<int>(filled);
    const auto add = [&](Kind kind, const std::string& message) {
        check.Add(kind, file.name, section, config::kCountKey, message);
    };
    if (written.empty()) {
        add(Kind::EmptyPage, "the page has no entry count: it shows no entries");
    } else if (!IsDecimal(written)) {
        add(Kind::BadEntryCount, Quote(written) + " is not a number: the menu reads it as " +
                                     std::to_string(count) + " and shows " + std::to_string(read) +
                                     " entries");
    } else if (count < 0) {
        add(Kind::BadEntryCount, "a negative entry count: the page shows no entries");
    } else if (count > config::kMaxMenuItems) {
        add(Kind::BadEntryCount, std::to_string(count) +
                                     " entries: the menu reads only the first " +
                                     std::to_string(config::kMaxMenuItems));
    } else if (count == 0) {
        add(Kind::EmptyPage, "the entry count is 0: the page shows no entries");
    } else if (blank > 0) {
        add(Kind::BlankEntries,
            (blank == 1 ? "entry " + std::to_string(filled) + " has"
                        : "entries " + std::to_string(filled) + " to " + std::to_string(read - 1) +
                              " have") +
                " nothing written: the page shows empty entries (is the count too high?)");
    } else if (read > kEntriesAboveStrip) {
        add(Kind::TooManyEntries,
            std::to_string(read) + " entries: " + std::to_string(kEntriesAboveStrip) +
                " fit above the help strip; the next is drawn over it, and those after it "
                "lie below the page");
    }
    // An entry written right after the last one read: the count is one short. (A page
    // numbered from 1 has one too, and its own finding.)
    if (fromOne || !IsDecimal(written) || count < 0 || count >= config::kMaxMenuItems) {
        return;
    }
    for (const char* name : {config::kItemTextKey, config::kItemTypeKey, config::kItemExecuteKey}) {
        const std::string key = config::ItemKey(name, count);
        if (check.HasKey(file, section, key)) {
            check.Add(Kind::EntriesPastCount, file.name, section, key,
                      "the entry count is " + std::to_string(count) + ", so " + key +
                          " and what follows it are not read");
            return;
        }
    }
}

void CheckType(Checking& check, const LanguageFile& file, const std::string& section,
               const std::string& key) {
    const std::string written = check.Value(file, section, key);
    const int type = check.profile.GetInt(file.path, file.codePage, section, key, 0);
    if (!written.empty() && !IsDecimal(written)) {
        check.Add(Kind::BadType, file.name, section, key,
                  Quote(written) + " is not a number: the menu reads it as type " +
                      std::to_string(type));
    } else if (type < CMenuItem::kTypeExecute || type > CMenuItem::kTypeUsb) {
        check.Add(Kind::BadType, file.name, section, key,
                  "type " + std::to_string(type) + " is none of 0 to 3: the entry does nothing");
    }
}

void CheckEntry(Checking& check, const LanguageFile& file, const std::string& section, int index,
                const CMenuItem& item, std::vector<std::string>& pages) {
    const auto key = [index](const char* name) { return config::ItemKey(name, index); };
    // The values of the entry, read again so that their text is looked at.
    for (const char* name : {config::kItemTextKey, config::kItemExecuteKey, config::kItemTitleKey,
                             config::kItemDiskIdKey}) {
        check.Value(file, section, key(name));
    }
    CheckType(check, file, section, key(config::kItemTypeKey));

    if (!item.m_strText.empty()) {
        CheckEntryWidth(check, file, section, key(config::kItemTextKey), item.m_strText);
    }
    if (!item.m_strTitle.empty()) {
        CheckHelp(check, file, section, key(config::kItemTitleKey), item.m_strTitle);
    }

    const click::Action action = click::Decide(item, "", file.language);
    using ActionKind = click::Action::Kind;
    const std::string executeKey = key(config::kItemExecuteKey);
    switch (action.kind) {
    case ActionKind::Open:
        if (item.m_strExecute.empty()) {
            check.Add(Kind::TargetMissing, file.name, section, executeKey,
                      "the entry names no program or document: a click fails with \"Can not "
                      "start application\"");
        } else if (!check.files.Locate(action.path)) {
            check.Add(Kind::TargetMissing, file.name, section, executeKey,
                      Quote(item.m_strExecute) +
                          " is not on the disc: a click shows \"Can not start application\"");
        }
        CheckDiscId(check, file, section, key(config::kItemDiskIdKey), action.diskId);
        break;
    case ActionKind::Manuals:
        if (!check.manualsEntry) {
            check.manualsEntry = std::make_pair(section, executeKey);
        }
        CheckDiscId(check, file, section, key(config::kItemDiskIdKey), action.diskId);
        break;
    case ActionKind::JavaRuntime:
        if (const std::string installer = prerequisites::JavaInstallerPath("");
            !check.files.Locate(installer)) {
            check.Add(Kind::JavaInstallerMissing, file.name, section, executeKey,
                      "the Java runtime installer " + installer +
                          " is not on the disc: a click reports that it cannot be copied");
        }
        break;
    case ActionKind::SubPage:
        if (action.pageName.empty() ||
            !check.profile.HasSection(file.path, file.codePage, action.pageName)) {
            check.Add(Kind::PageMissing, file.name, section, executeKey,
                      "the file has no section " + Quote(action.pageName) +
                          ": the sub-page opens without entries");
        } else if (std::find(pages.begin(), pages.end(), action.pageName) == pages.end()) {
            pages.push_back(action.pageName);
        }
        break;
    case ActionKind::Close:
    case ActionKind::Usb:
    case ActionKind::Nothing:
        break;
    }
}

} // namespace

Page CheckPage(Checking& check, const LanguageFile& file, const std::string& name,
               std::vector<std::string>& pages) {
    Page page{name, {}};
    const config::PageContent content =
        config::ReadPage(check.profile, check.strings, file.path, file.codePage, name);
    for (const auto& item : content.items) {
        page.entries.push_back({item->m_strText, item->m_nType, item->m_strExecute,
                                item->m_strTitle, item->m_strDiskId});
    }
    const std::vector<Entry>& entries = page.entries;
    const bool fromOne = entries.size() >= 2 && entries[0].text.empty() && !entries[1].text.empty();
    CheckCount(check, file, name, entries, fromOne);
    if (fromOne) {
        check.Add(Kind::NumberedFromOne, file.name, name, config::ItemKey(config::kItemTextKey, 0),
                  "the first entry has no text while the second has one: entries are numbered "
                  "from 0, so a page numbered from 1 shows an empty first entry and loses its "
                  "last one");
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // An entry with nothing written has nothing to check; the count's check reports
        // empty entries at the end.
        if (!IsBlank(entries[i])) {
            CheckEntry(check, file, name, static_cast<int>(i), *content.items[i], pages);
        }
    }
    return page;
}

// How wide the texts of the page are drawn --------------------------------------------------

namespace {

// The help text starts 18 pixels from the left of the strip, which is as wide as the page.
constexpr int kHelpWidth =
    layout::kBackgroundWidth + layout::kColumnAndMargins - layout::kHelpTextIndent;
// Several help lines start 5 pixels below the top of the 40-pixel strip, 14 pixels apart (the
// height of a line of 12-pixel Arial): two lines are shown whole.
constexpr int kHelpLineHeight = 14;
constexpr int kHelpLinesShown =
    (layout::kHelpAreaHeight - layout::kHelpTextTopSeveralLines) / kHelpLineHeight;

} // namespace

void CheckEntryWidth(Checking& check, const LanguageFile& file, const std::string& section,
                     const std::string& key, const std::string& text) {
    const int width = check.widths.LineWidths(TextStyle::Entry, text).front();
    if (width > layout::kEntryWidth) {
        check.Add(Kind::EntryTooWide, file.name, section, key,
                  Quote(text) + " is " + std::to_string(width) +
                      " pixels wide in bold 14-pixel Arial; the entry is " +
                      std::to_string(layout::kEntryWidth) + ": the text is cut at both ends");
    }
}

void CheckHelp(Checking& check, const LanguageFile& file, const std::string& section,
               const std::string& key, const std::string& help) {
    const std::vector<std::string> lines = text::Split(help, '\\');
    if (static_cast<int>(lines.size()) > kHelpLinesShown) {
        const std::string shown = std::to_string(kHelpLinesShown);
        check.Add(Kind::HelpTooManyLines, file.name, section, key,
                  std::to_string(lines.size()) +
                      " lines (a backslash starts a line): the help strip shows " + shown);
    }
    CheckHelpWidth(check, file, section, key, ComposeHelpText(help, "").text);
}

// Measures the lines of `shown` (separated by line feeds) as the strip draws them, in the face
// chosen for the whole text.
void CheckHelpWidth(Checking& check, const LanguageFile& file, const std::string& section,
                    const std::string& key, const std::string& shown) {
    std::vector<std::string> lines = text::Split(shown, '\n');
    while (lines.size() > 1 && lines.back().empty()) {
        lines.pop_back(); // the line feeds that close a composed help text
    }
    const std::vector<int> widths = check.widths.LineWidths(TextStyle::Help, shown);
    for (std::size_t i = 0; i < lines.size() && i < widths.size(); ++i) {
        if (widths[i] > kHelpWidth) {
            check.Add(Kind::HelpTooWide, file.name, section, key,
                      (lines.size() > 1 ? "line " + std::to_string(i + 1) + ", " : std::string()) +
                          Quote(lines[i]) + ", is " + std::to_string(widths[i]) +
                          " pixels wide in 12-pixel Arial; the help strip has room for " +
                          std::to_string(kHelpWidth) + ": the rest is cut off");
            return;
        }
    }
}

// Disc ids and their prompts -------------------------------------------------------------------

void CheckDiscId(Checking& check, const LanguageFile& file, const std::string& section,
                 const std::string& key, const std::string& diskId) {
    if (diskId.empty()) {
        check.Add(Kind::NoDiscId, file.name, section, key,
                  "the entry has no disc id: a click does nothing");
        return;
    }
    if (!check.files.Exists(diskId)) {
        check.Add(Kind::DiscIdNotFound, file.name, section, key,
                  Quote(diskId) + " matches no file on the disc: a click asks for the disc and "
                                  "never finds it");
    }
    check.discIds[text::ToLowerAscii(diskId)].spelling.emplace(file.language, diskId);
}

// The prompts of the disc ids that the language's entries use.
void ReadDiscPrompts(Checking& check, const LanguageFile& file) {
    for (auto& [folded, use] : check.discIds) {
        const auto spelling = use.spelling.find(file.language);
        if (spelling == use.spelling.end()) {
            continue;
        }
        const std::string prompt = prerequisites::DiscPrompt(check.profile, file.path,
                                                             file.codePage, spelling->second, "");
        Look(check, file, prerequisites::kDiscSection, spelling->second, prompt);
        (prompt.empty() ? use.withoutPrompt : use.withPrompt).push_back(file.language);
    }
}

void CheckDiscPrompts(Checking& check) {
    for (const auto& [folded, use] : check.discIds) {
        if (use.withPrompt.empty()) {
            continue;
        }
        const std::string having = config::FilePath("", use.withPrompt.front());
        for (const int language : use.withoutPrompt) {
            check.Add(Kind::DiscPromptMissing, config::FilePath("", language),
                      prerequisites::kDiscSection, use.spelling.at(language),
                      "no disc prompt for this disc id, while " + having +
                          " has one: the prompt shows the IDS_NOMEDIAINDEVICE text instead");
        }
    }
}

// The links of the manuals page ----------------------------------------------------------------

namespace {

// The addresses of the links of an HTML page: every href attribute's value, entities other
// than &amp; left as they stand (the manuals' links are plain file names).
std::vector<std::string> LinkAddresses(const std::string& html) {
    std::vector<std::string> addresses;
    const std::string lower = text::ToLowerAscii(html);
    const auto skipBlanks = [&](std::size_t at) {
        return std::min(lower.find_first_not_of(" \t\r\n", at), lower.size());
    };
    for (std::size_t at = lower.find("href"); at != std::string::npos;
         at = lower.find("href", at)) {
        at = skipBlanks(at + 4);
        if (at >= lower.size() || lower[at] != '=') {
            continue;
        }
        at = skipBlanks(at + 1);
        const bool quoted = at < lower.size() && (lower[at] == '"' || lower[at] == '\'');
        const std::size_t start = quoted ? at + 1 : at;
        const std::size_t end =
            std::min(quoted ? lower.find(lower[at], start) : lower.find_first_of(" \t\r\n>", start),
                     lower.size());
        std::string address = html.substr(start, end - start);
        for (std::size_t amp = address.find("&amp;"); amp != std::string::npos;
             amp = address.find("&amp;", amp + 1)) {
            address.erase(amp + 1, 4);
        }
        addresses.push_back(address);
        at = end;
    }
    return addresses;
}

} // namespace

void CheckManuals(Checking& check, const LanguageFile& file,
                  const std::pair<std::string, std::string>& entry) {
    const std::string name = check.LanguageName(file.language);
    const std::string page = manuals::ListPage("", name);
    const auto bytes = check.files.Read(page);
    if (!bytes) {
        check.Add(Kind::ManualsPageMissing, file.name, entry.first, entry.second,
                  page + " is not on the disc: the manuals window shows \"Can not find HTML "
                         "file.\" and closes");
        return;
    }
    // A page with a UTF-8 mark is read as UTF-8, as the browser reads it.
    const std::string mark = "\xef\xbb\xbf";
    const std::string html = bytes->compare(0, mark.size(), mark) == 0
                                 ? bytes->substr(mark.size())
                                 : text::Decode(*bytes, file.codePage);
    // The links are decided as the window decides them, with the disc at a drive's root.
    const std::string root = "X:\\";
    const std::string documentDir = manuals::DocumentDir(root, name);
    const std::string pageUrl = manuals::ListPage(root, name);
    for (const std::string& address : LinkAddresses(html)) {
        if (!applink::CommandOf(address)) {
            continue;
        }
        const applink::Action action = applink::DecideUrl(documentDir, pageUrl, address, true);
        const std::string onDisc = text::StartsWithNoCase(action.path, root)
                                       ? action.path.substr(root.size())
                                       : action.path;
        if (action.refusal == applink::Action::Refusal::Outside) {
            check.Add(Kind::LinkOutsideManuals, page, "", address,
                      onDisc + " does not lie in " + documentDir.substr(root.size()) +
                          ": the link shows a warning and opens nothing");
        } else if (action.refusal == applink::Action::Refusal::Program) {
            check.Add(Kind::LinkToProgram, page, "", address,
                      onDisc + " is a program: the link shows a warning and starts nothing");
        } else if (action.kind == applink::Action::Kind::Open && !check.files.Locate(onDisc)) {
            check.Add(Kind::DocumentMissing, page, "", address,
                      onDisc + " is not on the disc: the link opens nothing");
        }
    }
}

// autorun.inf -----------------------------------------------------------------------------------

namespace {

const char kAutorunFile[] = "autorun.inf";
const char kAutorunSection[] = "autorun";
const char kAutorunKey[] = "open";
const char kProgram[] = "Install.exe";

} // namespace

void CheckAutorun(Checking& check) {
    const auto path = check.files.Locate(kAutorunFile);
    if (!path) {
        check.Add(Kind::Autorun, kAutorunFile, "", "",
                  "the disc has no autorun.inf: the menu does not start when the disc is "
                  "inserted");
        return;
    }
    const std::string open = check.profile.GetString(*path, text::kWesternEuropean, kAutorunSection,
                                                     kAutorunKey, "", config::kValueBufferSize);
    const auto add = [&](const std::string& message) {
        check.Add(Kind::Autorun, kAutorunFile, kAutorunSection, kAutorunKey, message);
    };
    // The program is the first word of the command, or its quoted first part.
    const bool quoted = !open.empty() && open.front() == '"';
    const std::string program =
        quoted ? open.substr(1, open.find('"', 1) - 1) : open.substr(0, open.find(' '));
    if (open.empty()) {
        add("autorun.inf starts no program: the menu does not start when the disc is "
            "inserted");
    } else if (!text::EqualsNoCase(program, kProgram)) {
        add("autorun.inf starts " + Quote(program) +
            ", not Install.exe: the menu does not start when the disc is inserted");
    } else if (!check.files.Locate(kProgram)) {
        add("autorun.inf starts Install.exe, which is not at the root of the disc");
    }
}

// The check of a disc -------------------------------------------------------------------------

Report CheckDisc(const IDiscFiles& files, ITextWidths& widths, const ShippingOptions& shipping) {
    Checking check(files, widths);
    for (int language = 0; language < languages::kCount; ++language) {
        CheckLanguage(check, language);
    }
    CheckDiscPrompts(check);
    CheckAutorun(check);
    Report& report = check.report;
    for (Finding& finding : CheckShipping(files, shipping)) {
        report.findings.push_back(std::move(finding));
    }
    for (const Finding& finding : report.findings) {
        ++(finding.severity == Severity::Error     ? report.errors
           : finding.severity == Severity::Warning ? report.warnings
                                                   : report.notes);
    }
    return std::move(report);
}

int ExitStatus(const Report& report) {
    return report.errors > 0 ? 2 : report.warnings > 0 ? 1 : 0;
}

} // namespace check
