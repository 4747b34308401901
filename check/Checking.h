#pragma once
// What the parts of the disc check share: the disc and how its texts are read and measured,
// the findings so far, and the language file being read. Each part checks one kind of thing
// and has its own file; the check of a disc (DiscCheck.cpp) calls them in turn.

#include "check/CheckerTexts.h"
#include "check/DiscCheck.h"
#include "menu/Configuration.h"
#include "platform/profile/ProfileReader.h"
#include "res/Brand.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace check {

// The keys of an entry of a page, without the entry's number.
inline constexpr const char* kEntryKeys[] = {config::kItemTextKey, config::kItemTypeKey,
                                             config::kItemExecuteKey, config::kItemTitleKey,
                                             config::kItemDiskIdKey};

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
        : files(discFiles), widths(textWidths), programBrand(ProgramBrand(discFiles)) {}

    // The brand of the disc's Install.exe: the one it carries, or the sample's for a program
    // that carries none; nothing where the disc has no program whose resources can be read.
    static std::optional<product::Brand> ProgramBrand(const IDiscFiles& files);

    void Add(Kind kind, const std::string& file, const std::string& section, const std::string& key,
             const std::string& message);
    // Adds a finding that has one cause, named by `cause`, wherever it shows: the first time as
    // a finding, every later time as another place of that finding.
    void AddOnce(Kind kind, const std::string& cause, const Place& place,
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
    const std::optional<product::Brand> programBrand;
    Report report;
    // The findings that AddOnce added, by kind and cause: their places in report.findings.
    std::map<std::pair<Kind, std::string>, std::size_t> findingOfCause;

    // Of the language being checked.
    Tally invalid;  // values with bytes that are no character of the code page
    Tally nonAscii; // values with characters other than ASCII
    std::optional<std::pair<std::string, std::string>> manualsEntry; // its section and key
    // Of every language: the disc ids, by their names with ASCII letters in lower case (the
    // reader matches key names so).
    std::map<std::string, DiscIdUse> discIds;
};

// A value as a finding quotes it: in quotes, and shortened when long.
std::string Quote(const std::string& value);

// Whether the profile reader's value is a decimal number: an optional sign and digits only.
bool IsDecimal(const std::string& value);

// Language files and their texts (LanguageFiles.cpp): every language of the chooser, in its
// order.
void CheckLanguages(Checking& check);

// Bytes that are no character of the file's code page, and files saved as UTF-8
// (Encoding.cpp): each value read is looked at, and the file's bytes at its end.
void Look(Checking& check, const std::string& section, const std::string& key,
          const std::string& value);
void ReportEncoding(Checking& check, const LanguageFile& file, const std::string& bytes);

// Pages and their entries (Pages.cpp): checks a page and its entries; appends the pages its entries
// open to `pages`.
Page CheckPage(Checking& check, const LanguageFile& file, const std::string& name,
               std::vector<std::string>& pages);

// How wide the texts of the page are drawn (TextFit.cpp).
void CheckEntryWidth(Checking& check, const LanguageFile& file, const std::string& section,
                     const std::string& key, const std::string& text);
void CheckHelp(Checking& check, const LanguageFile& file, const std::string& section,
               const std::string& key, const std::string& help);
void CheckHelpWidth(Checking& check, const LanguageFile& file, const std::string& section,
                    const std::string& key, const std::string& shown);

// Disc ids and their prompts (DiscIds.cpp).
void CheckDiscId(Checking& check, const LanguageFile& file, const std::string& section,
                 const std::string& key, const std::string& diskId);
// Notes that an entry of the file uses the disc id, without checking it.
void UseDiscId(Checking& check, const LanguageFile& file, const std::string& diskId);
void ReadDiscPrompts(Checking& check, const LanguageFile& file);
void CheckDiscPrompts(Checking& check);

// Names the menu never reads (Misspellings.cpp). Nearest: the one of `names` nearest to `name`
// (ASCII letters in any case) when it is near enough to be a misspelling of it, else empty.
// SectionHint: " (did you mean [name]?)" for the file's section nearest to `section`, or
// nothing. The checks of the keys of RES_STR, of a page's section (returning the keys that the
// unknown ones were most likely meant as), and of the DISKID section against the disc ids the
// file's entries use.
std::string Nearest(const std::string& name, const std::vector<std::string>& names);
std::string SectionHint(const Checking& check, const LanguageFile& file,
                        const std::string& section);
void CheckTextKeys(Checking& check, const LanguageFile& file);
std::vector<std::string> CheckPageKeys(Checking& check, const LanguageFile& file,
                                       const std::string& section);
void CheckPromptKeys(Checking& check, const LanguageFile& file, const std::string& section,
                     const std::vector<std::string>& discIds);

// The links of the manuals page (ManualsLinks.cpp).
void CheckManuals(Checking& check, const LanguageFile& file,
                  const std::pair<std::string, std::string>& entry);

// autorun.inf (Autorun.cpp).
void CheckAutorun(Checking& check);

} // namespace check
