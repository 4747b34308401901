#pragma once
// Which views of the registry a product's keys are looked for in, and in which order, and how a
// value of the other architecture's view names its folders.
//
// A 32-bit program on 64-bit Windows reads the 32-bit view unless it asks for another, and a
// product whose setup is a 64-bit program writes its keys to the 64-bit view; one set up by a
// 32-bit program, to the 32-bit view. The menu looks in the 64-bit view first, then in the
// 32-bit one, unless the brand names one (brand.ini's [Registry] View=64 or View=32).

#include "platform/Registry.h"

#include <optional>
#include <string>
#include <vector>

namespace registry_views {

enum class Choice {
    Both,   // the 64-bit view, then the 32-bit one
    Only64, // the 64-bit view alone
    Only32, // the 32-bit view alone
};

// A brand's View= text: empty for both, "64" or "32" (blanks around it and letter case do not
// matter, "both" is both); nothing for any other text.
std::optional<Choice> ParseChoice(const std::string& text);

// The views to look in, in order. A system with one view (32-bit Windows, XP) has nothing to
// choose: its one view, whatever the brand names.
std::vector<platform::RegistryView> SearchOrder(bool systemHasTwoViews, Choice choice);

// `text` of a REG_EXPAND_SZ value read from `view` by a program whose own view is the 64-bit one
// (`program64`) or the 32-bit one, before it is expanded: where the value belongs to the other
// architecture's programs, its folder variables are replaced by the names under which this
// program sees those programs' folders (%ProgramFiles% of a 64-bit product read by a 32-bit
// program is %ProgramW6432%; of a 32-bit product read by a 64-bit program, %ProgramFiles(x86)%).
std::string ForView(const std::string& text, platform::RegistryView view, bool program64,
                    bool systemHasTwoViews);

// The variable that ForView turns %ProgramFiles% into for such a program, for it to tell
// whether its system has it (Windows before 7 gives a 32-bit program no %ProgramW6432%).
std::string OtherFoldersVariable(bool program64);

// Whether `key` opens in one of `views`.
bool KeyExistsInAny(const platform::IRegistry& registry,
                    const std::vector<platform::RegistryView>& views, const std::string& key);

// Value `name` of `key` from the first of `views` that holds it and where it fits `bufferSize`.
// When none does, the first failure other than a missing key or value (a value too long, say),
// else the first view's.
platform::Result<platform::RegistryValue>
ReadFromAny(const platform::IRegistry& registry, const std::vector<platform::RegistryView>& views,
            const std::string& key, const std::string& name, std::size_t bufferSize);

} // namespace registry_views
