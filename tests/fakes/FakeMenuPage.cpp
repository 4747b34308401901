#include "fakes/FakeMenuPage.h"

#include "framework/StringUtil.h"

namespace fakes {

int FakeMenuPage::GetSelectedLanguageIndex() const {
    if (languageIndexOverride != -2) {
        return languageIndexOverride;
    }
    return selection >= 0 && selection < static_cast<int>(chooser.size())
               ? chooser[selection].second
               : -1;
}

void FakeMenuPage::ResetLanguageChooser() {
    chooser.clear();
    selection = -1;
}

void FakeMenuPage::AddLanguage(const std::string& name, int languageIndex) {
    chooser.emplace_back(name, languageIndex);
}

void FakeMenuPage::SetChooserSelection(int position) {
    selection = position >= 0 && position < static_cast<int>(chooser.size()) ? position : -1;
}

// As a drop-down list does it: from the entry after the start (0) to the end, then the start.
void FakeMenuPage::SelectChooserEntryStartingWith(const std::string& text) {
    const int count = static_cast<int>(chooser.size());
    for (int step = 1; step <= count; ++step) {
        const int i = step % count;
        if (text::StartsWithNoCase(chooser[i].first, text)) {
            selection = i;
            return;
        }
    }
}

} // namespace fakes
