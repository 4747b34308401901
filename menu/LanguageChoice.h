#pragma once
// The first language of a page and the lock of its chooser: a language the registry forces
// comes first and, when it is one of the six codes, locks the chooser; else the user's locale
// decides; else English.

#include "platform/Registry.h"
#include "platform/StringTable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace languages {

// The size of the buffer the user's abbreviated language name is read into.
constexpr std::size_t kLocaleBufferSize = 10;

// The forced language: value "ForceLanguage" of the first of two keys that holds it as text.
// A value that is not text is no language, whatever its bytes spell.
std::optional<std::string> ReadForcedLanguage(const platform::IRegistry& registry);

// The index of the language whose code equals `forced` regardless of letter case, or -1.
int LanguageOfCode(const std::string& forced);

// Whether the chooser is locked: the forced value is one of the six codes.
bool IsLocked(const std::optional<std::string>& forced);

struct InitialChoice {
    // The chooser selects its first entry that begins with this text, regardless of letter
    // case; none when no entry does.
    std::string chooserPrefix;
    bool locked = false;
};

// The first choice from the forced value (if any) or else from the abbreviated language name
// of the user's locale (if known): the first two letters of a language's code must begin it.
InitialChoice ChooseInitialLanguage(const std::optional<std::string>& forced,
                                    const std::optional<std::string>& localeAbbreviation,
                                    const platform::IStringTable& strings);

// The chooser's position of the first of its entries `names` that begins with `prefix`
// regardless of letter case, searched as a drop-down list searches: from the second entry on,
// then the first; -1 when none does.
int PositionStartingWith(const std::vector<std::string>& names, const std::string& prefix);

// The languages the chooser lists, in chooser order: those whose files `present` marks (a flag
// by language index); all of them when the disc has none, so that a page without any language
// file behaves as with all.
std::vector<int> ListedLanguages(const std::vector<bool>& present);

// The chooser's first position for `prefix` (see PositionStartingWith) among the names of the
// languages it lists, `listed` (language indexes) of `allNames` (by language index). A prefix
// that begins the name of a language the disc lacks falls back to the first listed one; any
// other prefix that begins no name selects nothing.
int FirstPosition(const std::vector<std::string>& allNames, const std::vector<int>& listed,
                  const std::string& prefix);

// The chooser's position of language `languageIndex`, given the language of each position;
// -1 when it is not listed.
int ChooserPosition(const std::vector<int>& chooserLanguages, int languageIndex);

} // namespace languages
