#include "platform/portable/ProfileIndex.h"

#include <algorithm>

namespace platform::profile {

Index::Index(std::string bytes, unsigned codePage)
    : m_bytes(std::move(bytes)), m_codePage(codePage), m_text(Decode(m_bytes, codePage)) {
    Section* current = &m_sections[Text()];
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
            Text name = Folded(Clean(line.substr(1, close - 1)));
            m_headers.insert(name);
            const auto [section, added] = m_sections.try_emplace(std::move(name));
            current = added ? &section->second : nullptr;
            continue;
        }
        if (current != nullptr) {
            const std::size_t equals = line.find(u'=');
            const std::optional<TextView> value =
                equals == TextView::npos ? std::nullopt
                                         : std::optional(Clean(line.substr(equals + 1)));
            current->try_emplace(Folded(Clean(line.substr(0, equals))), value);
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

} // namespace platform::profile
