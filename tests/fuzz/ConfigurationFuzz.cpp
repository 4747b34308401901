// Loading of a page's configuration (menu/Configuration.h) over any language file, read with the
// program's portable reader in code pages 1252 and 936: the main page, a page with no name, the
// first sections of the file, and the sub-pages that its type-1 entries open. A page holds its
// file's count of entries, capped, every text has a value, every entry type is known, and no
// value is longer than its buffer.

#include "FuzzSupport.h"
#include "fakes/FakePlatform.h"
#include "framework/text/CodePages.h"
#include "framework/text/StringUtil.h"
#include "framework/text/Unicode.h"
#include "menu/Configuration.h"
#include "platform/profile/ProfileReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kMaxSections = 3;
constexpr std::size_t kMaxSubPages = 4;

// The names of the first few sections of the file, decoded from the code page.
std::vector<std::string> SectionsOf(const std::string& bytes, unsigned codePage) {
    std::vector<std::string> sections;
    std::size_t start = 0;
    while (start < bytes.size() && sections.size() < kMaxSections) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        const std::string line = bytes.substr(start, end - start);
        start = end + 1;
        const std::size_t open = line.find('[');
        const std::size_t close = line.rfind(']');
        if (open != std::string::npos && close != std::string::npos && open < close) {
            sections.push_back(text::Decode(line.substr(open + 1, close - open - 1), codePage));
        }
    }
    return sections;
}

bool FitsBuffer(const std::string& value) {
    return fuzz::IsValidUtf8(value) && text::Utf8ToUtf16(value).size() < config::kValueBufferSize;
}

// Reads `pageName` and checks it; returns the pages its type-1 entries open.
std::vector<std::string> CheckPage(const platform::IProfileFile& profile,
                                   const fakes::FakeStringTable& strings, const std::string& file,
                                   unsigned codePage, const std::string& pageName) {
    const config::PageContent page = config::ReadPage(profile, strings, file, codePage, pageName);
    const int count = profile.GetInt(file, codePage, pageName, "Number of menu", 0);
    fuzz::Check(page.items.size() ==
                    static_cast<std::size_t>(std::clamp(count, 0, config::kMaxMenuItems)),
                "a page holds the file's count of entries, at most the cap");
    const CTextTable& t = page.texts;
    for (const std::string* text :
         {&t.m_strWarning, &t.m_strTitle, &t.m_strNoneSelectText, &t.m_strCaption, &t.m_strUsbTitle,
          &t.m_strFirstCheckBoxCaption, &t.m_strSecondCheckBoxCaption, &t.m_strOk, &t.m_strCancel,
          &t.m_strFileCopySuccess, &t.m_strFileCopyFail, &t.m_strNoVdInstall,
          &t.m_strNoMediaInDevice}) {
        fuzz::Check(!text->empty(), "every text has a value, the file's or the built-in one");
        fuzz::Check(fuzz::IsValidUtf8(*text), "every text is well-formed UTF-8");
    }
    for (const config::TextKey& key : config::KeyedTexts()) {
        const std::string shown = config::TextFor(t, key.builtinId);
        fuzz::Check(!shown.empty() && fuzz::IsValidUtf8(shown),
                    "every message has a well-formed value, the file's or the built-in one");
        fuzz::Check(!key.message || text::SameBlanks(shown, strings.Load(key.builtinId)),
                    "a message keeps the blanks of its built-in text");
    }
    fuzz::Check(FitsBuffer(page.label), "the label fits its buffer");
    std::vector<std::string> subPages;
    for (const auto& item : page.items) {
        fuzz::Check(item->m_nType >= CMenuItem::kTypeNone && item->m_nType <= CMenuItem::kTypeUsb,
                    "every entry type is one the page knows");
        for (const std::string* value :
             {&item->m_strText, &item->m_strExecute, &item->m_strTitle, &item->m_strDiskId}) {
            fuzz::Check(FitsBuffer(*value), "every value of an entry fits its buffer");
        }
        if (item->m_nType == CMenuItem::kTypeSubPage && subPages.size() < kMaxSubPages) {
            subPages.push_back(item->m_strExecute);
        }
    }
    return subPages;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::TempFile file;
    static const fakes::FakeStringTable strings;
    const std::string bytes = fuzz::Bytes(data, size);
    file.Write(bytes);
    const platform::ProfileReader profile;

    for (const unsigned codePage : {text::kWesternEuropean, text::kSimplifiedChinese}) {
        std::vector<std::string> pages = SectionsOf(bytes, codePage);
        pages.insert(pages.begin(), {"Main Dialog", ""});
        std::set<std::string> read;
        for (const std::string& page : pages) {
            if (!read.insert(page).second) {
                continue;
            }
            for (const std::string& subPage :
                 CheckPage(profile, strings, file.Path(), codePage, page)) {
                if (read.insert(subPage).second) {
                    CheckPage(profile, strings, file.Path(), codePage, subPage);
                }
            }
        }
    }
    return 0;
}
