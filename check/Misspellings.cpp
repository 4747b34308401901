// Names in a language file that the menu never reads: keys of the sections it reads that are
// none of its own, each with the known name it is most likely a misspelling of; and, for a
// section that an entry names and the file lacks, the section it most likely meant.

#include "check/Checking.h"
#include "framework/text/StringUtil.h"
#include "menu/Configuration.h"

#include <algorithm>
#include <functional>

namespace check {

namespace {

// How many characters must be inserted, deleted or replaced to make `a` into `b`.
std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t replaced = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            diagonal = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, replaced});
        }
    }
    return row[b.size()];
}

// The entry number at the end of `key` as the menu writes it (no sign, no leading zeros), and
// the key without it; no number when the key does not end in digits.
std::pair<std::string, std::string> SplitNumber(const std::string& key) {
    std::size_t start = key.size();
    while (start > 0 && key[start - 1] >= '0' && key[start - 1] <= '9') {
        --start;
    }
    std::string number = key.substr(start);
    while (number.size() > 1 && number.front() == '0') {
        number.erase(0, 1);
    }
    return {key.substr(0, start), number};
}

// Whether the menu reads `key` in a page's section: its entry count, or an entry key with its
// number as the menu writes it (an entry past the count is the count's finding).
bool IsPageKey(const std::string& key) {
    if (text::EqualsNoCase(key, config::kCountKey)) {
        return true;
    }
    const std::pair<std::string, std::string> split = SplitNumber(key);
    const std::string& number = split.second;
    return !number.empty() && key.size() - split.first.size() == number.size() &&
           std::any_of(std::begin(kEntryKeys), std::end(kEntryKeys),
                       [&](const char* item) { return text::EqualsNoCase(split.first, item); });
}

// The keys a page's key may have been meant as: the count, and the entry keys with its number.
std::vector<std::string> PageKeysLike(const std::string& key) {
    const std::string number = SplitNumber(key).second;
    std::vector<std::string> keys{config::kCountKey};
    for (const char* item : kEntryKeys) {
        keys.push_back(item + (number.empty() ? "0" : number));
    }
    return keys;
}

// Reports each key of `section` that `known` does not take as one the menu reads, with `why`
// and the nearest of the keys `like` gives for it. Returns those nearest keys.
std::vector<std::string>
CheckKeys(Checking& check, const LanguageFile& file, const std::string& section,
          const std::function<bool(const std::string&)>& known,
          const std::function<std::vector<std::string>(const std::string&)>& like,
          const std::string& why) {
    std::vector<std::string> meant;
    for (const std::string& key : check.profile.KeyNames(file.path, file.codePage, section)) {
        // Lines starting with ';' are comments; an empty name is no key anybody writes.
        if (key.empty() || key.front() == ';' || known(key)) {
            continue;
        }
        const std::string nearest = Nearest(key, like(key));
        std::string message = why;
        if (!nearest.empty()) {
            message += ": did you mean " + nearest + "?";
        }
        check.Add(Kind::UnknownKey, file.name, section, key, message);
        if (!nearest.empty()) {
            meant.push_back(nearest);
        }
    }
    return meant;
}

} // namespace

std::string Nearest(const std::string& name, const std::vector<std::string>& names) {
    const std::string folded = text::ToLowerAscii(name);
    std::string nearest;
    std::size_t least = std::min<std::size_t>(3, std::max<std::size_t>(1, folded.size() / 4));
    for (const std::string& candidate : names) {
        const std::size_t distance = EditDistance(folded, text::ToLowerAscii(candidate));
        if (distance > 0 && (distance < least || (distance == least && nearest.empty()))) {
            nearest = candidate;
            least = distance;
        }
    }
    return nearest;
}

std::string SectionHint(const Checking& check, const LanguageFile& file,
                        const std::string& section) {
    const std::string nearest =
        Nearest(section, check.profile.SectionNames(file.path, file.codePage));
    return nearest.empty() ? std::string() : " (did you mean [" + nearest + "]?)";
}

void CheckTextKeys(Checking& check, const LanguageFile& file) {
    const std::vector<std::string> keys = config::TextKeys();
    const auto known = [&](const std::string& key) {
        return std::any_of(keys.begin(), keys.end(),
                           [&](const std::string& text) { return text::EqualsNoCase(key, text); });
    };
    const auto like = [&](const std::string&) -> const std::vector<std::string>& { return keys; };
    CheckKeys(check, file, config::kTextSection, known, like,
              "the menu reads no text of this name");
}

std::vector<std::string> CheckPageKeys(Checking& check, const LanguageFile& file,
                                       const std::string& section) {
    return CheckKeys(check, file, section, IsPageKey, PageKeysLike,
                     "the menu reads no key of this name");
}

void CheckPromptKeys(Checking& check, const LanguageFile& file, const std::string& section,
                     const std::vector<std::string>& discIds) {
    const auto known = [&](const std::string& key) {
        return std::any_of(discIds.begin(), discIds.end(),
                           [&](const std::string& id) { return text::EqualsNoCase(key, id); });
    };
    const auto like = [&](const std::string&) -> const std::vector<std::string>& {
        return discIds;
    };
    CheckKeys(check, file, section, known, like,
              "no entry of this file has this disc id, so the menu never shows this prompt");
}

} // namespace check
