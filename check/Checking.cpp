// The state shared by the parts of the disc check, and how a finding quotes a value.

#include "check/Checking.h"
#include "check/ProgramResources.h"
#include "framework/text/Unicode.h"
#include "menu/Configuration.h"
#include "menu/Languages.h"

namespace check {

std::optional<product::Brand> Checking::ProgramBrand(const IDiscFiles& files) {
    const auto bytes = files.Read("Install.exe");
    const auto ini = bytes ? resources::BrandIni(*bytes) : std::nullopt;
    return ini ? std::optional<product::Brand>(product::ReadBrand(*ini)) : std::nullopt;
}

void Checking::Add(Kind kind, const std::string& file, const std::string& section,
                   const std::string& key, const std::string& message) {
    report.findings.push_back({SeverityOf(kind), kind, file, section, key, message, {}});
}

void Checking::AddOnce(Kind kind, const std::string& cause, const Place& place,
                       const std::string& message) {
    const auto [found, added] = findingOfCause.try_emplace({kind, cause}, report.findings.size());
    if (added) {
        Add(kind, place.file, place.section, place.key, message);
    } else {
        report.findings[found->second].otherPlaces.push_back(place);
    }
}

std::string Checking::Value(const LanguageFile& file, const std::string& section,
                            const std::string& key) {
    std::string value =
        profile.GetString(file.path, file.codePage, section, key, "", config::kValueBufferSize);
    Look(*this, section, key, value);
    return value;
}

bool Checking::HasKey(const LanguageFile& file, const std::string& section,
                      const std::string& key) const {
    const auto read = [&](const char* def) {
        return profile.GetString(file.path, file.codePage, section, key, def,
                                 config::kValueBufferSize);
    };
    return read("a") == read("b");
}

std::string Checking::LanguageName(int language) const {
    return strings.Load(languages::NameTextId(language));
}

std::string Quote(const std::string& value) {
    constexpr std::size_t kLongest = 48;
    const std::u16string wide = text::Utf8ToUtf16(value);
    if (wide.size() <= kLongest) {
        return "\"" + value + "\"";
    }
    return "\"" + text::Utf16ToUtf8(wide.substr(0, kLongest - 3)) + "...\"";
}

bool IsDecimal(const std::string& value) {
    const std::size_t digits = !value.empty() && (value[0] == '+' || value[0] == '-') ? 1 : 0;
    return value.size() > digits &&
           value.find_first_not_of("0123456789", digits) == std::string::npos;
}

} // namespace check
