#pragma once
// The sections and keys of a profile file, found once so that a page's dozens of lookups in one
// file need not read it again.

#include "platform/profile/ProfileText.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace platform::profile {

// A file as the lookups see it: its text and, for the first section of each name, the first
// line of each key name in it (a key without '=' has no value). Lines before the first section
// header form the section with the empty name; a later section of a name already seen is never
// read.
class Index {
public:
    Index(std::string bytes, unsigned codePage);
    Index(const Index&) = delete;
    Index& operator=(const Index&) = delete;

    bool IsOf(unsigned codePage) const { return codePage == m_codePage; }
    bool IsOf(const std::string& bytes, unsigned codePage) const {
        return IsOf(codePage) && bytes == m_bytes;
    }

    // The value of the first `key` in the first `section`; nothing when there is no such key
    // or its line has no '='.
    std::optional<TextView> Find(TextView section, TextView key) const;

    // Whether a section header of this name is in the file.
    bool HasHeader(TextView section) const { return m_headers.count(Folded(section)) != 0; }

    // The names of the sections with a header, as first written, in the order of the file.
    const std::vector<Text>& HeaderNames() const { return m_headerNames; }

    // The key names of the first `section`, as first written, in the order of the file.
    std::vector<Text> KeyNames(TextView section) const;

private:
    using Section = std::map<Text, std::optional<TextView>>;

    const std::string m_bytes;
    const unsigned m_codePage;
    const Text m_text; // the values point into it
    std::map<Text, Section> m_sections;
    std::set<Text> m_headers; // the names of the sections with a header
    // The same as first written, in the order of the file; and by section, its key names so.
    std::vector<Text> m_headerNames;
    std::map<Text, std::vector<Text>> m_keyNames;
};

} // namespace platform::profile
