#include "platform/profile/ProfileIndex.h"

#include <algorithm>

namespace platform::profile {

Index::Index(std::string bytes, unsigned codePage)
    : m_bytes(std::move(bytes)), m_codePage(codePage), m_text(Decode(m_bytes, codePage)) {
    Section* current = &m_sections[Text()];
    std::vector<Text>* currentKeyNames = &m_keyNames[Text()];
    const TextView text(m_text);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of(u"\r\n", start), text.size());
        const TextView line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty()) {
            continue;
        }
        const std::size_t close = line.rfind(u']');
        if (line.front() == u'[' && close != TextView::npos) {
            const TextView written = Clean(line.substr(1, close - 1));
            Text name = Folded(written);
            if (m_headers.insert(name).second) {
                m_headerNames.emplace_back(written);
            }
            const auto [section, added] = m_sections.try_emplace(name);
            current = added ? &section->second : nullptr;
            currentKeyNames = added ? &m_keyNames[name] : nullptr;
            continue;
        }
        if (current != nullptr) {
            const std::size_t equals = line.find(u'=');
            const std::optional<TextView> value =
                equals == TextView::npos ? std::nullopt
                                         : std::optional(Clean(line.substr(equals + 1)));
            const TextView written = Clean(line.substr(0, equals));
            if (current->try_emplace(Folded(written), value).second) {
                currentKeyNames->emplace_back(written);
            }
        }
    }
}

std::optional<TextView> Index::Find(TextView section, TextView key) const {
    const auto found = m_sections.find(Folded(section));
    if (found == m_sections.end()) {
        return std::nullopt;
    }
    const auto value = found->second.find(Folded(key));
    return value != found->second.end() ? value->second : std::nullopt;
}

std::vector<Text> Index::KeyNames(TextView section) const {
    const auto found = m_keyNames.find(Folded(section));
    return found == m_keyNames.end() ? std::vector<Text>() : found->second;
}

} // namespace platform::profile
