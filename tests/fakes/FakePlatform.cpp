#include "fakes/FakePlatform.h"

#include "framework/text/CodePages.h"
#include "framework/text/StringUtil.h"
#include "res/resource.h"

namespace fakes {

namespace {
constexpr platform::Atom kFirstAtom = 0xC000;

std::string Folder(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
} // namespace

platform::Result<platform::Atom> FakeAtomTable::Find(const std::string& name) const {
    const std::size_t i = IndexOf(name);
    return i < m_names.size() && m_counts[i] > 0
               ? platform::Result<platform::Atom>::Success(
                     static_cast<platform::Atom>(kFirstAtom + i))
               : platform::Result<platform::Atom>::Failure(platform::errors::kFileNotFound);
}

platform::Result<platform::Atom> FakeAtomTable::Add(const std::string& name) {
    std::size_t i = IndexOf(name);
    if (i == m_names.size()) {
        m_names.push_back(name);
        m_counts.push_back(0);
    }
    ++m_counts[i];
    return platform::Result<platform::Atom>::Success(static_cast<platform::Atom>(kFirstAtom + i));
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

platform::Result<std::string> FakeFileSystem::CreateUniqueFolder(const std::string& parent,
                                                                 const std::string& prefix) {
    if (!foldersCanBeMade) {
        return platform::Result<std::string>::Failure(5);
    }
    const std::string number = std::to_string(++foldersMade);
    const std::string path =
        parent + prefix + std::string(kRandomNameDigits - number.size(), '0') + number + "\\";
    folders.insert(path);
    return platform::Result<std::string>::Success(path);
}

std::vector<std::string> FakeFileSystem::FoldersIn(const std::string& parent,
                                                   const std::string& prefix) const {
    std::vector<std::string> names;
    for (const std::string& folder : folders) {
        const std::string path = folder.substr(0, folder.size() - 1); // without its backslash
        const std::string name = path.substr(Folder(path).size());
        if (Folder(path) == parent && text::StartsWithNoCase(name, prefix)) {
            names.push_back(name);
        }
    }
    return names;
}

platform::Result<platform::FolderFacts>
FakeFileSystem::InspectFolder(const std::string& path) const {
    const std::string folder = path.back() == '\\' ? path : path + "\\";
    if (folders.count(folder) == 0) {
        return platform::Result<platform::FolderFacts>::Failure(platform::errors::kPathNotFound);
    }
    return platform::Result<platform::FolderFacts>::Success(
        {links.count(folder) != 0, othersFolders.count(folder) == 0});
}

namespace {

// Takes its path off the list of held files when it goes.
class FakeHeldFile final : public platform::IHeldFile {
public:
    FakeHeldFile(std::shared_ptr<std::set<std::string>> held, std::string path)
        : m_held(std::move(held)), m_path(std::move(path)) {
        m_held->insert(m_path);
    }
    FakeHeldFile(const FakeHeldFile&) = delete;
    FakeHeldFile& operator=(const FakeHeldFile&) = delete;
    ~FakeHeldFile() override { m_held->erase(m_path); }

private:
    std::shared_ptr<std::set<std::string>> m_held;
    std::string m_path;
};

} // namespace

platform::Result<std::shared_ptr<platform::IHeldFile>>
FakeFileSystem::Hold(const std::string& trusted, const std::string& path) {
    using Held = platform::Result<std::shared_ptr<platform::IHeldFile>>;
    holds.push_back(trusted + "|" + path);
    // What was to come in its place arrives before the hold, never while it lasts.
    if (const auto swap = swaps.find(path); swap != swaps.end() && held->count(path) == 0) {
        files[path] = swap->second;
        swaps.erase(swap);
    }
    if (files.count(path) == 0) {
        return Held::Failure(platform::errors::kFileNotFound);
    }
    if (linksOnTheWay.count(path) != 0) {
        return Held::Failure(platform::errors::kAccessDenied);
    }
    return Held::Success(std::make_shared<FakeHeldFile>(held, path));
}

bool FakeFileSystem::IsHeld(const std::string& path) const {
    return held->count(path) != 0;
}

platform::Outcome FakeFileSystem::RemoveFolder(const std::string& path) {
    const std::string folder = path.back() == '\\' ? path : path + "\\";
    calls.push_back("remove " + folder);
    if (links.count(folder) != 0 || othersFolders.count(folder) != 0) {
        return platform::Outcome::Failure(platform::errors::kAccessDenied);
    }
    if (busyFolders.count(folder) != 0) {
        return platform::Outcome::Failure(32);
    }
    folders.erase(folder);
    for (auto it = files.begin(); it != files.end();) {
        it = it->first.rfind(folder, 0) == 0 ? files.erase(it) : std::next(it);
    }
    return platform::Outcome::Success();
}

platform::Outcome FakeFileSystem::Copy(const std::string& from, const std::string& to) {
    calls.push_back("copy " + from + " " + to);
    ++reads[from];
    const auto source = files.find(from);
    const bool ok = from.size() <= maxPath && to.size() <= maxPath && source != files.end() &&
                    from != to && !Folder(to).empty();
    if (!ok) {
        return platform::Outcome::Failure(5);
    }
    files[to] = copiesComeOutWrong ? source->second.substr(1) : source->second;
    return platform::Outcome::Success();
}

platform::Outcome FakeFileSystem::CopyChecked(const std::string& from, const std::string& to) {
    calls.push_back("copy " + from + " " + to);
    ++reads[from];
    const auto source = files.find(from);
    const bool ok = from.size() <= maxPath && to.size() <= maxPath && source != files.end() &&
                    files.count(to) == 0 && !Folder(to).empty();
    if (!ok) {
        return platform::Outcome::Failure(5);
    }
    // The written copy is compared with the bytes read, not with the source again.
    const std::string read = source->second;
    files[to] = copiesComeOutWrong ? read.substr(1) : read;
    if (files[to] != read) {
        files.erase(to);
        return platform::Outcome::Failure(1392);
    }
    return platform::Outcome::Success();
}

bool FakeFileSystem::SameContents(const std::string& first, const std::string& second) const {
    ++reads[first];
    ++reads[second];
    const auto a = files.find(first);
    const auto b = files.find(second);
    return a != files.end() && b != files.end() && a->second == b->second;
}

bool FakeFileSystem::Exists(const std::string& pattern) const {
    return files.count(pattern) != 0 || patterns.count(pattern) != 0;
}

platform::Outcome FakeProcesses::StartAndWaitUntilReady(const std::string& line,
                                                        const std::string& directory) {
    if (!startSucceeds) {
        return platform::Outcome::Failure(5);
    }
    started.push_back(line);
    startedIn.push_back(directory);
    return platform::Outcome::Success();
}

platform::Outcome FakeProcesses::StartShown(const std::string& line, const std::string& directory) {
    if (!startSucceeds) {
        return platform::Outcome::Failure(5);
    }
    startedShown.push_back(line);
    startedShownIn.push_back(directory);
    if (whileStartingShown) {
        whileStartingShown(line);
    }
    return platform::Outcome::Success();
}

platform::Outcome FakeShell::Open(platform::WindowRef owner, const std::string& file,
                                  const std::optional<std::string>& parameters) {
    opened.push_back({owner, file, parameters});
    const auto failure = failures.find(file);
    return failure == failures.end() ? platform::Outcome::Success()
                                     : platform::Outcome::Failure(failure->second);
}

platform::Result<std::string> FakeShell::FindAssociatedProgram(const std::string& file) const {
    const auto found = associations.find(file);
    return found == associations.end() ? platform::Result<std::string>::Failure(31)
                                       : platform::Result<std::string>::Success(found->second);
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
    return KeyExistsIn(platform::RegistryView::Own, key);
}

platform::Result<platform::RegistryValue> FakeRegistry::ReadValue(const std::string& key,
                                                                  const std::string& name,
                                                                  std::size_t bufferSize) const {
    return ReadValueIn(platform::RegistryView::Own, key, name, bufferSize);
}

bool FakeRegistry::KeyExistsIn(platform::RegistryView view, const std::string& key) const {
    viewsAsked.push_back(view);
    return (Is64(view) ? keys64 : keys).count(text::ToLowerAscii(key)) != 0;
}

platform::Result<platform::RegistryValue> FakeRegistry::ReadValueIn(platform::RegistryView view,
                                                                    const std::string& key,
                                                                    const std::string& name,
                                                                    std::size_t bufferSize) const {
    const auto& stored = Is64(view) ? values64 : values;
    const auto found = stored.find(text::ToLowerAscii(key + "\\" + name));
    if (!KeyExistsIn(view, key) || found == stored.end()) {
        return platform::Result<platform::RegistryValue>::Failure(platform::errors::kFileNotFound);
    }
    if (found->second.text.size() + 1 > bufferSize) {
        return platform::Result<platform::RegistryValue>::Failure(
            platform::errors::kInsufficientBuffer);
    }
    return platform::Result<platform::RegistryValue>::Success(found->second);
}

void FakeRegistry::SetString64(const std::string& key, const std::string& name,
                               const std::string& text) {
    AddKey64(key);
    values64[text::ToLowerAscii(key + "\\" + name)] = {true, text};
}

void FakeRegistry::SetString(const std::string& key, const std::string& name,
                             const std::string& text) {
    AddKey(key);
    values[text::ToLowerAscii(key + "\\" + name)] = {true, text};
}

void FakeRegistry::SetExpandable(const std::string& key, const std::string& name,
                                 const std::string& text) {
    AddKey(key);
    values[text::ToLowerAscii(key + "\\" + name)] = {true, text, true};
}

void FakeRegistry::SetBinary(const std::string& key, const std::string& name,
                             const std::string& bytes) {
    AddKey(key);
    values[text::ToLowerAscii(key + "\\" + name)] = {false, bytes};
}

// The built-in texts as the resources hold them: written in code page 1252, loaded as UTF-8.
FakeStringTable::FakeStringTable()
    : texts{
#define DISCMENU_BUILTIN_TEXT(id, value) {id, text::Decode(value, text::kWesternEuropean)},
#include "res/BuiltinTexts.inc"
#undef DISCMENU_BUILTIN_TEXT
      } {
}

std::string FakeStringTable::Load(unsigned id) const {
    const auto found = texts.find(id);
    return found == texts.end() ? std::string() : found->second;
}

} // namespace fakes
