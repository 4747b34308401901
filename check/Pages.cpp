// The pages of a language file and their entries: the entry count, the types, and what a click
// on each entry would do.

#include "check/Checking.h"
#include "framework/text/StringUtil.h"
#include "menu/ClickAction.h"
#include "menu/Configuration.h"
#include "menu/PageLayout.h"
#include "menu/Prerequisites.h"

#include <algorithm>

namespace check {

namespace {

// What the page has room for (menu/PageLayout.h). Seven entries end above the help strip; the
// eighth is drawn over it and the ones after it lie below the page.
constexpr int kEntriesAboveStrip =
    (layout::kBackgroundHeight - layout::kEntryTop - layout::kEntryHeight) / layout::kEntryPitch +
    1;

bool IsBlank(const CMenuItem& entry) {
    return entry.m_strText.empty() && entry.m_nType == CMenuItem::kTypeExecute &&
           entry.m_strExecute.empty() && entry.m_strTitle.empty() && entry.m_strDiskId.empty();
}

// Whether one of `keys` is `key`, in any letter case.
bool Holds(const std::vector<std::string>& keys, const std::string& key) {
    return std::any_of(keys.begin(), keys.end(),
                       [&](const std::string& held) { return text::EqualsNoCase(held, key); });
}

// The entry count: at most one finding about it, the first that applies. A count that is
// missing because its key is misspelt is the misspelling's finding.
void CheckCount(Checking& check, const LanguageFile& file, const std::string& section,
                const std::vector<CMenuItem>& entries, bool fromOne,
                const std::vector<std::string>& misspelt) {
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
        if (!Holds(misspelt, config::kCountKey)) {
            add(Kind::EmptyPage, "the page has no entry count: it shows no entries");
        }
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

// Checks an entry and what a click on it would do, unless one of its keys is misspelt: the menu
// then reads another entry than the one written, and the misspelling is the finding.
void CheckEntry(Checking& check, const LanguageFile& file, const std::string& section, int index,
                const CMenuItem& item, std::vector<std::string>& pages,
                const std::vector<std::string>& misspelt) {
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

    if (std::any_of(std::begin(kEntryKeys), std::end(kEntryKeys),
                    [&](const char* name) { return Holds(misspelt, key(name)); })) {
        if (!item.m_strDiskId.empty()) {
            UseDiscId(check, file, item.m_strDiskId); // its prompt is not unused
        }
        return;
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
            check.AddOnce(Kind::TargetMissing, text::ToLowerAscii(action.path),
                          {file.name, section, executeKey},
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
            check.AddOnce(Kind::JavaInstallerMissing, installer, {file.name, section, executeKey},
                          "the Java runtime installer " + installer +
                              " is not on the disc: a click reports that it cannot be copied");
        }
        break;
    case ActionKind::SubPage:
        if (action.pageName.empty() ||
            !check.profile.HasSection(file.path, file.codePage, action.pageName)) {
            check.Add(Kind::PageMissing, file.name, section, executeKey,
                      "the file has no section " + Quote(action.pageName) +
                          SectionHint(check, file, action.pageName) +
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
    const std::vector<std::string> misspelt = CheckPageKeys(check, file, name);
    const config::PageContent content =
        config::ReadPage(check.profile, check.strings, file.path, file.codePage, name);
    for (const auto& item : content.items) {
        page.entries.push_back(*item);
    }
    const std::vector<CMenuItem>& entries = page.entries;
    const bool fromOne =
        entries.size() >= 2 && entries[0].m_strText.empty() && !entries[1].m_strText.empty();
    CheckCount(check, file, name, entries, fromOne, misspelt);
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
            CheckEntry(check, file, name, static_cast<int>(i), entries[i], pages, misspelt);
        }
    }
    return page;
}

} // namespace check
