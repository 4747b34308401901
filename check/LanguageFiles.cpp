// The language files: whether the menu can read each, its texts, and what the rest of the check
// finds in it.

#include "check/Checking.h"
#include "framework/text/StringUtil.h"
#include "menu/Configuration.h"
#include "menu/Languages.h"
#include "platform/profile/ProfileReader.h"
#include "res/Brand.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace check {

namespace {

// The blanks of a text as a finding names them: "%s and %d", or "no blank".
std::string NameBlanks(const std::string& blanks) {
    if (blanks.empty()) {
        return "no blank";
    }
    std::string names;
    for (std::size_t i = 0; i < blanks.size(); ++i) {
        names += std::string(i == 0                   ? ""
                             : i + 1 == blanks.size() ? " and "
                                                      : ", ") +
                 "%" + blanks[i];
    }
    return names;
}

// The keys, separated by commas.
std::string Joined(const std::vector<std::string>& keys) {
    std::string joined;
    for (const std::string& key : keys) {
        joined += (joined.empty() ? "" : ", ") + key;
    }
    return joined;
}

// Whether a built-in text names the sample's product or one of its driver packages.
bool NamesTheSampleProduct(const std::string& builtin) {
    static const product::Brand sample = product::SampleBrand();
    for (const std::string* name : {&sample.name, &sample.firstPackage, &sample.secondPackage}) {
        if (builtin.find(*name) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Checks the file's texts, and returns them as the menu shows them.
std::vector<std::pair<std::string, std::string>> CheckTexts(Checking& check,
                                                            const LanguageFile& file) {
    CheckTextKeys(check, file);
    std::vector<std::pair<std::string, std::string>> shown;
    std::vector<std::string> english;     // the keys whose built-in English text shows
    std::vector<std::string> sampleNamed; // those of them that name the sample's product
    const product::Brand brand = check.programBrand.value_or(product::SampleBrand());
    for (const config::TextKey& text : config::KeyedTexts()) {
        const std::string value = check.Value(file, config::kTextSection, text.key);
        const std::string builtin = check.strings.Load(text.builtinId);
        const bool blanksKept = !text.message || text::SameBlanks(value, builtin);
        // The menu shows a built-in text with the names of its brand.
        shown.emplace_back(
            text.key, value.empty() || !blanksKept ? product::NamedFor(builtin, brand) : value);
        if (value.empty() && NamesTheSampleProduct(builtin)) {
            sampleNamed.emplace_back(text.key);
        }
        if (value.empty()) {
            english.emplace_back(text.key);
        } else if (!blanksKept) {
            check.Add(Kind::TextBlanks, file.name, config::kTextSection, text.key,
                      "the text has " + NameBlanks(text::Blanks(value)) +
                          " where the built-in text has " + NameBlanks(text::Blanks(builtin)) +
                          ": its values would go to the wrong places, so the menu shows the "
                          "built-in text " +
                          Quote(builtin) + " instead");
            english.emplace_back(text.key);
        }
        if (std::string(text.key) == "IDS_NONE_SELECT_TEXT" && !value.empty()) {
            // Shown in the help strip as it stands, one line.
            CheckHelpWidth(check, file, config::kTextSection, text.key, value);
        }
    }
    check.Value(file, config::kTextSection, config::kLabelKey);
    if (file.language != languages::kEnglish && !english.empty()) {
        check.Add(Kind::TextsInEnglish, file.name, config::kTextSection, "",
                  "the file leaves " + std::to_string(english.size()) +
                      (english.size() == 1 ? " text" : " texts") +
                      " to the built-in English, which the menu shows in " +
                      check.LanguageName(file.language) + ": " + Joined(english));
    }
    // A program of the sample's brand on a disc whose files leave out texts that name the
    // product shows the sample product's name there.
    if (check.programBrand && check.programBrand->name == product::SampleBrand().name &&
        !sampleNamed.empty()) {
        check.Add(Kind::FallbackNamesProduct, file.name, config::kTextSection, "",
                  "Install.exe carries the sample's brand, so the built-in texts the file leaves "
                  "out name the sample product, " +
                      product::SampleBrand().name +
                      ": give the program your brand with discmenu-brand, or give these texts: " +
                      Joined(sampleNamed));
    }
    return shown;
}

void CheckLanguage(Checking& check, int language) {
    Language view{languages::Code(language),
                  config::FilePath("", language),
                  languages::CodePage(language),
                  false,
                  {}};
    const std::string& name = view.file;
    if (!check.files.Exists(name)) {
        check.Add(Kind::LanguageFileMissing, name, "", "",
                  "the disc has no language file for " + check.LanguageName(language) +
                      ": the chooser lists only the languages whose files are on the disc");
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
    check.nonAscii = {};
    check.manualsEntry.reset();

    view.texts = CheckTexts(check, file);
    if (!check.profile.HasSection(file.path, file.codePage, config::kMainPage)) {
        check.Add(Kind::PageMissing, name, config::kMainPage, "",
                  "the file has no main page section" +
                      SectionHint(check, file, config::kMainPage) +
                      ": the menu shows no entries in this language");
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
    ReportEncoding(check, file, *bytes);
    check.report.languages.push_back(view);
}

} // namespace

void CheckLanguages(Checking& check) {
    std::string names;
    for (int language = 0; language < languages::kCount; ++language) {
        names += (language > 0 ? ", " : "") + config::FilePath("", language);
        if (check.files.Exists(config::FilePath("", language))) {
            names.clear();
            break;
        }
    }
    // A disc needs one language at least; without any, the menu has nothing of its own to show,
    // and a note for each missing file would only say so six times.
    if (!names.empty()) {
        check.Add(Kind::NoLanguageFile, "", "", "",
                  "the disc has no language file (" + names +
                      "): the menu shows the built-in texts and no entries");
    }
    for (int language = 0; language < languages::kCount; ++language) {
        if (names.empty()) {
            CheckLanguage(check, language);
        } else {
            check.report.languages.push_back({languages::Code(language),
                                              config::FilePath("", language),
                                              languages::CodePage(language),
                                              false,
                                              {}});
        }
    }
}

} // namespace check
