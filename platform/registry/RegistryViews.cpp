#include "platform/registry/RegistryViews.h"

#include "framework/text/StringUtil.h"

namespace registry_views {

namespace {

using platform::RegistryView;

// A folder variable and what a program of the other architecture calls the same folder.
struct FolderVariable {
    const char* name;
    const char* for32BitProgram; // a 64-bit program's folder, as a 32-bit program names it
    const char* for64BitProgram; // a 32-bit program's folder, as a 64-bit program names it
};

const FolderVariable kFolderVariables[] = {
    {"%ProgramFiles%", "%ProgramW6432%", "%ProgramFiles(x86)%"},
    {"%CommonProgramFiles%", "%CommonProgramW6432%", "%CommonProgramFiles(x86)%"},
};

// `text` with every `name` (in any letter case) replaced by `replacement`.
std::string ReplaceNoCase(const std::string& text, const std::string& name,
                          const std::string& replacement) {
    const std::string lowerText = text::ToLowerAscii(text);
    const std::string lowerName = text::ToLowerAscii(name);
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = lowerText.find(lowerName); at != std::string::npos;
         at = lowerText.find(lowerName, from)) {
        result += text.substr(from, at - from) + replacement;
        from = at + name.size();
    }
    return result + text.substr(from);
}

bool IsMissing(unsigned long code) {
    return code == platform::errors::kFileNotFound || code == platform::errors::kPathNotFound;
}

} // namespace

std::optional<Choice> ParseChoice(const std::string& text) {
    const std::string choice = text::Trim(text);
    if (choice.empty() || text::EqualsNoCase(choice, "both")) {
        return Choice::Both;
    }
    if (choice == "64") {
        return Choice::Only64;
    }
    if (choice == "32") {
        return Choice::Only32;
    }
    return std::nullopt;
}

std::vector<RegistryView> SearchOrder(bool systemHasTwoViews, Choice choice) {
    if (!systemHasTwoViews) {
        return {RegistryView::Own};
    }
    switch (choice) {
    case Choice::Only64:
        return {RegistryView::Bits64};
    case Choice::Only32:
        return {RegistryView::Bits32};
    case Choice::Both:
        break;
    }
    return {RegistryView::Bits64, RegistryView::Bits32};
}

std::string ForView(const std::string& text, RegistryView view, bool program64,
                    bool systemHasTwoViews) {
    const bool otherArchitecture =
        (view == RegistryView::Bits64 && !program64) || (view == RegistryView::Bits32 && program64);
    if (!systemHasTwoViews || !otherArchitecture) {
        return text;
    }
    std::string result = text;
    for (const FolderVariable& variable : kFolderVariables) {
        result = ReplaceNoCase(result, variable.name,
                               program64 ? variable.for64BitProgram : variable.for32BitProgram);
    }
    return result;
}

std::string OtherFoldersVariable(bool program64) {
    return program64 ? "ProgramFiles(x86)" : "ProgramW6432";
}

bool KeyExistsInAny(const platform::IRegistry& registry, const std::vector<RegistryView>& views,
                    const std::string& key) {
    for (const RegistryView view : views) {
        if (registry.KeyExistsIn(view, key)) {
            return true;
        }
    }
    return false;
}

platform::Result<platform::RegistryValue>
ReadFromAny(const platform::IRegistry& registry, const std::vector<RegistryView>& views,
            const std::string& key, const std::string& name, std::size_t bufferSize) {
    std::optional<platform::Result<platform::RegistryValue>> failure;
    for (const RegistryView view : views) {
        auto value = registry.ReadValueIn(view, key, name, bufferSize);
        if (value) {
            return value;
        }
        if (!failure || (IsMissing(failure->error.code) && !IsMissing(value.error.code))) {
            failure = std::move(value);
        }
    }
    if (failure) {
        return *failure;
    }
    return platform::Result<platform::RegistryValue>::Failure(platform::errors::kFileNotFound);
}

} // namespace registry_views
