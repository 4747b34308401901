#include "fakes/FakePlatform.h"

#include "framework/StringUtil.h"
#include "res/resource.h"

namespace fakes {

namespace {
constexpr platform::Atom kFirstAtom = 0xC000;

std::string Folder(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
} // namespace

platform::Atom FakeAtomTable::Find(const std::string& name) const {
    const std::size_t i = IndexOf(name);
    return i < m_names.size() && m_counts[i] > 0 ? static_cast<platform::Atom>(kFirstAtom + i) : 0;
}

platform::Atom FakeAtomTable::Add(const std::string& name) {
    std::size_t i = IndexOf(name);
    if (i == m_names.size()) {
        m_names.push_back(name);
        m_counts.push_back(0);
    }
    ++m_counts[i];
    return static_cast<platform::Atom>(kFirstAtom + i);
}

void FakeAtomTable::Delete(platform::Atom atom) {
    const std::size_t i = atom >= kFirstAtom ? atom - kFirstAtom : m_names.size();
    if (i < m_names.size() && m_counts[i] > 0) {
        --m_counts[i];
    }
}

int FakeAtomTable::Count(const std::string& name) const {
    const std::size_t i = IndexOf(name);
    return i < m_names.size() ? m_counts[i] : 0;
}

std::size_t FakeAtomTable::IndexOf(const std::string& name) const {
    std::size_t i = 0;
    while (i < m_names.size() && !text::EqualsNoCase(m_names[i], name)) {
        ++i;
    }
    return i;
}

platform::AttributeResult FakeFileSystem::SetNormalAttributes(const std::string& path) {
    calls.push_back("attributes " + path);
    if (path.size() > maxPath) {
        return platform::AttributeResult::NameTooLong;
    }
    if (lockedFolders.count(Folder(path)) != 0) {
        return platform::AttributeResult::Failed;
    }
    if (files.count(path) == 0) {
        return platform::AttributeResult::NotFound;
    }
    readOnly.erase(path);
    return platform::AttributeResult::Ok;
}

bool FakeFileSystem::Copy(const std::string& from, const std::string& to,
                          platform::FileError* error) {
    calls.push_back("copy " + from + " " + to);
    const auto source = files.find(from);
    const bool ok = from.size() <= maxPath && to.size() <= maxPath && source != files.end() &&
                    readOnly.count(to) == 0 && from != to && !Folder(to).empty();
    if (!ok) {
        if (error != nullptr) {
            error->code = 5;
        }
        return false;
    }
    files[to] = source->second;
    return true;
}

bool FakeFileSystem::Exists(const std::string& pattern) const {
    return files.count(pattern) != 0 || patterns.count(pattern) != 0;
}

bool FakeProcesses::Start(const std::string& line) {
    if (!startSucceeds) {
        return false;
    }
    started.push_back(line);
    return true;
}

bool FakeProcesses::StartShown(const std::string& line, unsigned long* error) {
    if (!startSucceeds) {
        if (error != nullptr) {
            *error = 5;
        }
        return false;
    }
    startedShown.push_back(line);
    return true;
}

long long FakeShell::Open(platform::WindowRef owner, const std::string& file,
                          const std::optional<std::string>& parameters) {
    opened.push_back({owner, file, parameters});
    const auto result = results.find(file);
    return result == results.end() ? 42 : result->second;
}

std::optional<std::string> FakeShell::FindAssociatedProgram(const std::string& file) const {
    const auto found = associations.find(file);
    return found == associations.end() ? std::nullopt : std::optional<std::string>(found->second);
}

int FakeUserInterface::ShowMessage(platform::WindowRef owner, const std::string& text,
                                   const std::optional<std::string>& caption, unsigned style) {
    shown.push_back({owner, text, caption, style});
    if (onShow) {
        onShow(shown.size());
    }
    if (answers.empty()) {
        return platform::mb::kIdOk;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

bool FakeRegistry::KeyExists(const std::string& key) const {
    return keys.count(text::ToLowerAscii(key)) != 0;
}

std::optional<platform::RegistryValue> FakeRegistry::ReadValue(const std::string& key,
                                                               const std::string& name,
                                                               std::size_t bufferSize) const {
    const auto found = values.find(text::ToLowerAscii(key + "\\" + name));
    if (!KeyExists(key) || found == values.end() || found->second.text.size() + 1 > bufferSize) {
        return std::nullopt;
    }
    return found->second;
}

void FakeRegistry::SetString(const std::string& key, const std::string& name,
                             const std::string& text) {
    AddKey(key);
    values[text::ToLowerAscii(key + "\\" + name)] = {true, text};
}

void FakeRegistry::SetBinary(const std::string& key, const std::string& name,
                             const std::string& bytes) {
    AddKey(key);
    values[text::ToLowerAscii(key + "\\" + name)] = {false, bytes};
}

FakeStringTable::FakeStringTable()
    : texts{
          {IDS_BUILTIN_TITLE, "Warning"},
          {IDS_BUILTIN_WARNING,
           "There is old Version Internet Explorer installed on you machine.\\Java Runtime "
           "Environment installation requires Internet Explorer 5.5 SP2."},
          {IDS_BUILTIN_NONE_SELECT_TEXT,
           "Help will be displayed if a mouse cursor is moved onto a menu."},
          {IDS_LANGUAGE_ENGLISH, "English"},
          {IDS_LANGUAGE_FRENCH, "Fran\xe7"
                                "ais"},
          {IDS_LANGUAGE_GERMAN, "Deutsch"},
          {IDS_LANGUAGE_SPANISH, "Espa\xf1ol"},
          {IDS_LANGUAGE_ITALIAN, "Italiano"},
          {IDS_LANGUAGE_CHINESE, "Chinese"},
          {IDS_BUILTIN_NO_PDF_READER,
           "Can not find application for PDF files. Please install Acrobat Reader."},
          {IDS_BUILTIN_LABEL, "Select the installation language in the list below"},
          {IDS_BUILTIN_CAPTION, "Ormix-Designer Manuals"},
          {IDS_BUILTIN_USBTITLE, "USB Drivers Files Installation"},
          {IDS_BUILTIN_FIRSTCHECKBOXCAPTION, "Install USB driver files for RKVA"},
          {IDS_BUILTIN_SECONDCHECKBOXCAPTION, "Install USB driver files for RKVB"},
          {IDS_BUILTIN_OK, "OK"},
          {IDS_BUILTIN_CANCEL, "Cancel"},
          {IDS_BUILTIN_FILECOPYSUCCESS, "USB driver files installlation succeeded"},
          {IDS_BUILTIN_FILECOPYFAIL, "USB driver files installation failed"},
          {IDS_BUILTIN_NOVDINSTALL, "Please install Ormix-Designer before installing USB driver"},
          {IDS_BUILTIN_NOMEDIAINDEVICE, "Please insert Ormix-Designer CD, then click Retry to "
                                        "continue. Cancel returns to the main menu."},
      } {}

std::string FakeStringTable::Load(unsigned id) const {
    const auto found = texts.find(id);
    return found == texts.end() ? std::string() : found->second;
}

} // namespace fakes
