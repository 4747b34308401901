// The disc ids of the entries, and the prompts that ask for their discs.

#include "check/Checking.h"
#include "framework/text/StringUtil.h"
#include "menu/Configuration.h"
#include "menu/Prerequisites.h"

namespace check {

void CheckDiscId(Checking& check, const LanguageFile& file, const std::string& section,
                 const std::string& key, const std::string& diskId) {
    if (diskId.empty()) {
        check.Add(Kind::NoDiscId, file.name, section, key,
                  "the entry has no disc id: a click does nothing");
        return;
    }
    if (!check.files.Exists(diskId)) {
        check.AddOnce(Kind::DiscIdNotFound, text::ToLowerAscii(diskId), {file.name, section, key},
                      Quote(diskId) +
                          " matches no file on the disc: a click asks for the disc and never "
                          "finds it");
    }
    UseDiscId(check, file, diskId);
}

void UseDiscId(Checking& check, const LanguageFile& file, const std::string& diskId) {
    check.discIds[text::ToLowerAscii(diskId)].spelling.emplace(file.language, diskId);
}

// The prompts of the disc ids that the language's entries use.
void ReadDiscPrompts(Checking& check, const LanguageFile& file) {
    std::vector<std::string> used;
    for (auto& [folded, use] : check.discIds) {
        const auto spelling = use.spelling.find(file.language);
        if (spelling == use.spelling.end()) {
            continue;
        }
        used.push_back(spelling->second);
        const std::string prompt = prerequisites::DiscPrompt(check.profile, file.path,
                                                             file.codePage, spelling->second, "");
        Look(check, prerequisites::kDiscSection, spelling->second, prompt);
        (prompt.empty() ? use.withoutPrompt : use.withPrompt).push_back(file.language);
    }
    CheckPromptKeys(check, file, prerequisites::kDiscSection, used);
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

} // namespace check
