#pragma once
// The check of a disc before it is pressed: reads every language file as the menu reads it
// (the same file names, reader, code pages, defaults and caps), follows the pages from the main
// page through the sub-page entries, and reports what would go wrong on the user's screen.

#include "check/DiscFiles.h"
#include "check/TextWidths.h"
#include "menu/MenuItem.h"

#include <string>
#include <utility>
#include <vector>

namespace check {

enum class Severity { Note, Warning, Error };

// What a finding is about. Errors: something the menu cannot do. Warnings: something it does,
// but not as the disc's author meant. Notes: something to know before shipping the disc.
enum class Kind {
    NoLanguageFile,         // error: the disc has none of the language files
    LanguageFileMissing,    // note: a language without its file, which the chooser leaves out
    LanguageFileUnreadable, // error: the file is there but cannot be read
    LanguageFileTooLarge,   // error: larger than the menu reads
    PageMissing,            // error: a sub-page entry (or the main page) names no section
    BadEntryCount,          // error: "Number of menu" not a number, negative or over the cap
    BadType,                // error: an entry type that is not a number or outside 0 to 3
    TargetMissing,          // error: the program or document of an entry is not on the disc
    NoDiscId,               // error: an entry that opens something has no disc id: it does nothing
    DiscIdNotFound,         // error: the disc id matches no file: the disc prompt never ends
    JavaInstallerMissing,   // error: the Java runtime entry's installer is not on the disc
    ManualsPageMissing,     // error: the manuals entry's page is not on the disc
    DocumentMissing,        // error: an app: link of a manuals page names a missing document
    LinkOutsideManuals,     // error: an app: link names a file outside the manuals' folder
    LinkToProgram,          // error: an app: link names a program
    SavedAsUtf8,            // error: a language file saved as UTF-8: its texts are garbled
    EmptyPage,              // warning: a page without entries
    TooManyEntries,         // warning: more entries than fit above the help strip
    EntriesPastCount,       // warning: entries written after the last one the count lets in
    BlankEntries,           // warning: the count lets in entries that have nothing written
    NumberedFromOne,        // warning: the entries start at 1, so the first one is empty
    EntryTooWide,           // warning: an entry text wider than the entry face
    HelpTooWide,            // warning: a help line wider than the help strip
    HelpTooManyLines,       // warning: more help lines than the strip shows
    TextBlanks,             // error: a text with other blanks (%s) than its built-in text
    InvalidBytes,           // warning: bytes that are no character of the file's code page
    DiscPromptMissing,      // warning: a disc prompt one language has and another lacks
    UnknownKey,             // warning: a key the menu never reads, most likely misspelt
    Autorun,                // warning: autorun.inf missing, or not starting Install.exe
    TextsInEnglish,         // note: texts a language file other than English leaves to English
    FallbackNamesProduct,   // warning: texts left to built-in ones that name the sample product
    // Shipping the disc (check/ShippableDisc.h):
    Unsigned,           // note (a warning when checking a release): Install.exe is not signed
    NoSha1Signature,    // warning: no SHA-1 signature, which Windows XP could check
    CertificateExpired, // warning: the signer's certificate has ended and there is no timestamp
    NoDoublePictures,   // warning: pictures without their 2x form for screens of high DPI
    NameTooLong,        // warning: a name longer than Joliet carries
    NameCharacters,     // warning: a name with characters Joliet cannot carry
    PathTooDeep,        // warning: a folder deeper, or a path longer, than a disc image carries
    DiscSize,           // note: the files do not fit on a CD (or a DVD)
    FileOver4Gb,        // note: a file too large for a USB stick formatted FAT32
    // A brand folder (check/Brand.h):
    BrandPictureUnreadable, // error: a picture that is no bitmap file
    BrandPictureSize,       // error: a picture not at its fixed size
    BrandPictureDepth,      // error: a picture not at its bit depth
    BrandNotRegistryPath,   // error: a registry key of brand.ini that names no key
    BrandName,              // error: a product or company name the resources cannot carry
    BrandIconMissing,       // warning: no icon, so the sample's stays
    NoDoublePicture,        // warning: a picture of the brand without its 2x form
    BrandColour,            // error: a colour of brand.ini that is no #RRGGBB
    BrandRegistryView,      // error: a registry view of brand.ini that is none of the choices
};

Severity SeverityOf(Kind kind);
// A short stable name for pipelines: "target-missing", "help-too-wide", ...
const char* NameOf(Kind kind);
const char* NameOf(Severity severity);

// Where a finding shows: a file of the disc, and the section and key in it (both empty when the
// finding is about the whole file).
struct Place {
    std::string file;
    std::string section;
    std::string key;
};

// One finding: where (the first place it shows) and what, with why, in a sentence. A finding
// with one cause, such as a disc id that matches no file, is one finding however many entries
// show it: the other places are listed after the first.
struct Finding {
    Severity severity = Severity::Warning;
    Kind kind = Kind::Autorun;
    std::string file;
    std::string section;
    std::string key;
    std::string message;
    std::vector<Place> otherPlaces;
};

// A page of the menu: its section name as the entry that opens it writes it, and its entries
// as the menu reads them (a type outside 0 to 3 reads as CMenuItem::kTypeNone, -1).
struct Page {
    std::string name;
    std::vector<CMenuItem> entries;
};

// A language of the chooser and what the menu shows of it.
struct Language {
    std::string code;  // "ENU", ...
    std::string file;  // its file on the disc: "Inst.inf", ...
    unsigned codePage; // the code page the file is read in
    bool read = false; // whether the file is there and could be read
    // Every text of the file's RES_STR section that has a built-in one, by key, as the menu
    // shows it: the file's, or the built-in one where the file has none or one it cannot use.
    std::vector<std::pair<std::string, std::string>> texts;
    std::vector<Page> pages; // from the main page on, each page once, in the order they are found
};

struct Report {
    bool brand = false;              // the check of a brand folder, which has no languages
    std::vector<Language> languages; // in the chooser's order
    std::vector<Finding> findings;   // per language, page and entry, then across the disc
    int errors = 0;
    int warnings = 0;
    int notes = 0;
};

// How the disc is checked for shipping.
struct ShippingOptions {
    // A check of the disc as it is to be released: an unsigned Install.exe is a warning.
    bool release = false;
    // The time of the check, "YYYYMMDDhhmmss" in UTC, against which the end of a signer's
    // certificate is compared; empty to leave it unchecked.
    std::string now;
};

// Checks the disc whose files `files` gives, measuring the texts with `widths`.
Report CheckDisc(const IDiscFiles& files, ITextWidths& widths,
                 const ShippingOptions& shipping = {});

// 0 when the report has no errors or warnings (notes aside), 1 when it has warnings only, 2
// when it has errors.
int ExitStatus(const Report& report);

} // namespace check
