#include "platform/profile/ProfileReader.h"

#include "framework/text/Unicode.h"
#include "platform/profile/ProfileFileInput.h"
#include "platform/profile/ProfileIndex.h"
#include "platform/profile/ProfileValues.h"

#include <ctime>

namespace platform {

using profile::Text;
using profile::TextView;

ProfileReader::ProfileReader() = default;
ProfileReader::~ProfileReader() = default;

// A page reads dozens of values from one file, and reading a file costs far more than looking
// at its size and last-write time. As the system's own profile functions do, the last file's
// index is used again while its size and last-write time stay as they were; the file is read
// again (and decoded again if its bytes changed) whenever they differ, and whenever it was
// written so shortly before it was read that a later change could keep both (the time is kept
// in seconds, or two on some file systems).
std::shared_ptr<const profile::Index> ProfileReader::IndexOf(const std::string& file,
                                                             unsigned codePage) const {
    constexpr long long kWriteTimeGrain = 2;
    const std::optional<profile::FileSignature> signature = profile::SignatureOf(file);
    if (m_last != nullptr && m_lastFile == file && m_last->IsOf(codePage) && signature &&
        signature == m_lastSignature && signature->writeTime + kWriteTimeGrain < m_lastReadTime) {
        return m_last;
    }
    const long long readTime = static_cast<long long>(std::time(nullptr));
    auto bytes = profile::ReadFile(file);
    if (!bytes) {
        return nullptr;
    }
    if (m_last == nullptr || m_lastFile != file || !m_last->IsOf(*bytes, codePage)) {
        m_last = std::make_shared<const profile::Index>(std::move(*bytes), codePage);
        m_lastFile = file;
    }
    m_lastSignature = signature;
    m_lastReadTime = readTime;
    return m_last;
}

std::string ProfileReader::GetString(const std::string& file, unsigned codePage,
                                     const std::string& section, const std::string& key,
                                     const std::string& def, std::size_t bufferSize) const {
    if (bufferSize == 0) {
        return {};
    }
    const auto index = IndexOf(file, codePage);
    if (index == nullptr) {
        // Without a file the default is only cut to the buffer, its quotes stay.
        return text::Utf16ToUtf8(TextView(profile::DefaultText(def)).substr(0, bufferSize - 1));
    }
    const auto value = index->Find(profile::QueryName(section), profile::QueryName(key));
    return text::Utf16ToUtf8(
        profile::Copy(value ? *value : TextView(profile::DefaultText(def)), bufferSize));
}

int ProfileReader::GetInt(const std::string& file, unsigned codePage, const std::string& section,
                          const std::string& key, int def) const {
    const auto index = IndexOf(file, codePage);
    if (index == nullptr) {
        return def;
    }
    const auto value = index->Find(profile::QueryName(section), profile::QueryName(key));
    if (!value) {
        return def;
    }
    const Text digits = profile::Copy(*value, profile::kIntegerBufferSize);
    return digits.empty() ? def : profile::ParseInteger(digits);
}

bool ProfileReader::HasSection(const std::string& file, unsigned codePage,
                               const std::string& section) const {
    const auto index = IndexOf(file, codePage);
    return index != nullptr && index->HasHeader(profile::QueryName(section));
}

namespace {

std::vector<std::string> Utf8Names(const std::vector<Text>& names) {
    std::vector<std::string> utf8;
    utf8.reserve(names.size());
    for (const Text& name : names) {
        utf8.push_back(text::Utf16ToUtf8(name));
    }
    return utf8;
}

} // namespace

std::vector<std::string> ProfileReader::SectionNames(const std::string& file,
                                                     unsigned codePage) const {
    const auto index = IndexOf(file, codePage);
    return index == nullptr ? std::vector<std::string>() : Utf8Names(index->HeaderNames());
}

std::vector<std::string> ProfileReader::KeyNames(const std::string& file, unsigned codePage,
                                                 const std::string& section) const {
    const auto index = IndexOf(file, codePage);
    return index == nullptr ? std::vector<std::string>()
                            : Utf8Names(index->KeyNames(profile::QueryName(section)));
}

} // namespace platform
