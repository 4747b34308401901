// The Win32 implementations of the platform interfaces against the real API.

#include "WineTestSupport.h"
#include "app/StartupDecision.h"
#include "framework/CommandLineInfo.h"
#include "platform/registry/RegistryViews.h"
#include "platform/win32/Win32AtomTable.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32InstanceLock.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32StringTable.h"
#include "platform/win32/Win32SystemErrors.h"
#include "platform/win32/Win32UserInterface.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace {

using namespace platform;

TEST(Win32AtomTable, GlobalAtomsAreCountedAcrossAddsAndDeletes) {
    Win32AtomTable atoms;
    const std::string name = "__discmenu_test_atom__";
    EXPECT_EQ(atoms.Find(name).error.code, errors::kFileNotFound);
    const auto added = atoms.Add(name);
    ASSERT_TRUE(added);
    const Atom first = *added;
    EXPECT_EQ(*atoms.Add(name), first);
    EXPECT_EQ(*atoms.Find(name), first);
    EXPECT_EQ(GlobalFindAtomA(name.c_str()), first) << "not the global atom table";
    atoms.Delete(first);
    EXPECT_EQ(*atoms.Find(name), first) << "one add is still counted";
    atoms.Delete(first);
    EXPECT_FALSE(atoms.Find(name));
}

class Win32RegistryTest : public ::testing::Test {
protected:
    static constexpr const char* kKey = "SOFTWARE\\discmenu-test\\Values";

    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &m_key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(m_key);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    }
    void Set(const char* name, DWORD type, const std::string& bytes) {
        ASSERT_EQ(RegSetValueExA(m_key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }

    HKEY m_key = nullptr;
    Win32Registry registry;
};

TEST_F(Win32RegistryTest, ReadsStringsThatFitTheBufferWithTheirZero) {
    Set("Nine", REG_SZ, std::string("123456789") + '\0');
    Set("Ten", REG_SZ, std::string("1234567890") + '\0');
    const auto nine = registry.ReadValue(kKey, "Nine", 10);
    ASSERT_TRUE(nine.has_value());
    EXPECT_TRUE(nine->isString);
    EXPECT_EQ(nine->text, "123456789");
    EXPECT_FALSE(registry.ReadValue(kKey, "Ten", 10).has_value());
    EXPECT_EQ(registry.ReadValue(kKey, "Ten", 11)->text, "1234567890");
}

TEST_F(Win32RegistryTest, AStringStoredWithoutItsZeroStillNeedsRoomForOne) {
    Set("Bare", REG_SZ, "abcd");
    EXPECT_FALSE(registry.ReadValue(kKey, "Bare", 4).has_value());
    EXPECT_EQ(registry.ReadValue(kKey, "Bare", 5)->text, "abcd");
}

TEST_F(Win32RegistryTest, TellsStringsFromOtherTypes) {
    Set("Number", REG_DWORD, std::string("\x44\x45\x55\x00", 4));
    Set("Expand", REG_EXPAND_SZ, std::string("%DISCMENU_TEST_ROOT%\\Product") + '\0');
    SetEnvironmentVariableA("DISCMENU_TEST_ROOT", "C:\\Programs");
    const auto number = registry.ReadValue(kKey, "Number", 10);
    ASSERT_TRUE(number.has_value());
    EXPECT_FALSE(number->isString);
    const auto expand = registry.ReadValue(kKey, "Expand", 100);
    ASSERT_TRUE(expand.has_value());
    EXPECT_TRUE(expand->isString);
    EXPECT_EQ(expand->text, "C:\\Programs\\Product") << "stored to be expanded, read expanded";
}

TEST_F(Win32RegistryTest, MissingKeysAndValues) {
    EXPECT_TRUE(registry.KeyExists(kKey));
    EXPECT_FALSE(registry.KeyExists("SOFTWARE\\discmenu-test\\Absent"));
    EXPECT_FALSE(registry.ReadValue(kKey, "Absent", 10).has_value());
    EXPECT_FALSE(registry.ReadValue("SOFTWARE\\discmenu-test\\Absent", "x", 10).has_value());
}

// A key of one view of the registry: created for the test, deleted after it.
class ViewKey {
public:
    ViewKey(REGSAM view, const std::wstring& path) : m_view(view), m_path(path) {
        m_created = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                    KEY_WRITE | view, nullptr, &m_key, nullptr) == ERROR_SUCCESS;
    }
    ViewKey(const ViewKey&) = delete;
    ViewKey& operator=(const ViewKey&) = delete;
    ~ViewKey() {
        if (m_created) {
            RegCloseKey(m_key);
            RegDeleteKeyExW(HKEY_LOCAL_MACHINE, m_path.c_str(), m_view, 0);
        }
    }
    bool Set(const std::wstring& name, DWORD type, const std::wstring& text) {
        return m_created &&
               RegSetValueExW(
                   m_key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }

private:
    REGSAM m_view;
    std::wstring m_path;
    HKEY m_key = nullptr;
    bool m_created = false;
};

std::string Variable(const char* name) {
    char value[MAX_PATH + 1] = {};
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

// The tests' prefixes are 64-bit ones, as 64-bit Windows: a 32-bit program runs under WoW64.
TEST(Win32RegistryViews, AKeyOfEitherViewIsFoundWhereItIs) {
    Win32Registry registry;
    ASSERT_TRUE(registry.HasTwoViews()) << "not a 64-bit prefix";
    const std::wstring only64 = L"SOFTWARE\\discmenu-test\\Only64";
    const std::wstring only32 = L"SOFTWARE\\discmenu-test\\Only32";
    ViewKey key64(KEY_WOW64_64KEY, only64);
    ViewKey key32(KEY_WOW64_32KEY, only32);
    ASSERT_TRUE(key64.Set(L"Where", REG_SZ, L"64"));
    ASSERT_TRUE(key32.Set(L"Where", REG_SZ, L"32"));
    const std::string path64 = text::FromWide(only64);
    const std::string path32 = text::FromWide(only32);

    EXPECT_TRUE(registry.KeyExistsIn(RegistryView::Bits64, path64));
    EXPECT_FALSE(registry.KeyExistsIn(RegistryView::Bits32, path64));
    EXPECT_TRUE(registry.KeyExistsIn(RegistryView::Bits32, path32));
    EXPECT_FALSE(registry.KeyExistsIn(RegistryView::Bits64, path32));
    // The program's own view is its architecture's.
    const bool program64 = sizeof(void*) == 8;
    EXPECT_EQ(registry.KeyExists(path64), program64);
    EXPECT_EQ(registry.KeyExists(path32), !program64);

    const std::vector<RegistryView> both = {RegistryView::Bits64, RegistryView::Bits32};
    const auto from64 = registry_views::ReadFromAny(registry, both, path64, "Where", 10);
    const auto from32 = registry_views::ReadFromAny(registry, both, path32, "Where", 10);
    ASSERT_TRUE(from64 && from32);
    EXPECT_EQ(from64->text, "64");
    EXPECT_EQ(from32->text, "32");
    EXPECT_EQ(registry.ReadValueIn(RegistryView::Bits32, path64, "Where", 10).error.code,
              static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
}

TEST(Win32RegistryViews, AFolderOfTheOtherArchitecturesViewIsThatArchitecturesFolder) {
    Win32Registry registry;
    const bool program64 = sizeof(void*) == 8;
    const REGSAM other = program64 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    const REGSAM own = program64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    ViewKey otherKey(other, L"SOFTWARE\\discmenu-test\\OtherFolder");
    ViewKey ownKey(own, L"SOFTWARE\\discmenu-test\\OwnFolder");
    ASSERT_TRUE(otherKey.Set(L"WBPATH", REG_EXPAND_SZ, L"%ProgramFiles%\\Ormix"));
    ASSERT_TRUE(ownKey.Set(L"WBPATH", REG_EXPAND_SZ, L"%ProgramFiles%\\Ormix"));
    const auto otherView = program64 ? RegistryView::Bits32 : RegistryView::Bits64;
    const auto ownView = program64 ? RegistryView::Bits64 : RegistryView::Bits32;

    // The other architecture's programs' folder, as this program sees it.
    const std::string otherFolder = Variable(program64 ? "ProgramFiles(x86)" : "ProgramW6432");
    const std::string ownFolder = Variable("ProgramFiles");
    ASSERT_FALSE(otherFolder.empty());
    ASSERT_NE(otherFolder, ownFolder) << "WoW64 keeps two program folders";
    const auto read =
        registry.ReadValueIn(otherView, "SOFTWARE\\discmenu-test\\OtherFolder", "WBPATH", 260);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->text, otherFolder + "\\Ormix");
    const auto readOwn =
        registry.ReadValueIn(ownView, "SOFTWARE\\discmenu-test\\OwnFolder", "WBPATH", 260);
    ASSERT_TRUE(readOwn);
    EXPECT_EQ(readOwn->text, ownFolder + "\\Ormix");
}

// The wide functions: a key and a value named outside the system's ANSI code page.
TEST(Win32RegistryViews, NamesOutsideTheAnsiCodePage) {
    Win32Registry registry;
    const std::wstring path = L"SOFTWARE\\discmenu-test\\\u5965\u7c73\u514b\u65af";
    ViewKey key(0, path);
    ASSERT_TRUE(key.Set(L"\u7248\u672c", REG_SZ, L"4.4.0 \u7248"));
    const auto value =
        registry.ReadValue(text::FromWide(path), text::FromWide(L"\u7248\u672c"), 10);
    ASSERT_TRUE(value) << value.error.code;
    EXPECT_EQ(value->text, "4.4.0 \xe7\x89\x88");
    EXPECT_TRUE(registry.KeyExists(text::FromWide(path)));
}

TEST(Win32FileSystem, TemporaryFolderEndsInABackslash) {
    const auto folder = Win32FileSystem().GetTempFolder();
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(folder->back(), '\\');
    EXPECT_NE(GetFileAttributesA(folder->c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32FileSystem, FoldersOfTheirOwnCopiesAndRemoval) {
    Win32FileSystem files;
    const std::string parent = winetest::MakeScratchFolder("copies");
    const auto first = files.CreateUniqueFolder(parent, kProgramFolderPrefix);
    const auto second = files.CreateUniqueFolder(parent, kProgramFolderPrefix);
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second) << "no name is foreseeable";
    std::vector<std::string> names;
    for (const auto& folder : {*first, *second}) {
        ASSERT_EQ(folder.rfind(parent, 0), 0u) << folder;
        names.push_back(folder.substr(parent.size(), folder.size() - parent.size() - 1));
        EXPECT_TRUE(IsCopyFolderName(names.back())) << names.back();
        EXPECT_NE(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    auto listed = files.FoldersIn(parent, kProgramFolderPrefix);
    std::sort(listed.begin(), listed.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(listed, names);

    // Copies, compared byte for byte.
    const std::string source = parent + "source.exe";
    const std::string copy = *first + "source.exe";
    ASSERT_TRUE(winetest::WriteFile(source, "program"));
    ASSERT_TRUE(files.Copy(source, copy));
    EXPECT_TRUE(files.SameContents(source, copy));
    ASSERT_TRUE(winetest::WriteFile(parent + "other.exe", "progran"));
    EXPECT_FALSE(files.SameContents(source, parent + "other.exe"));
    EXPECT_FALSE(files.SameContents(source, parent + "missing.exe"));
    const Outcome ontoItself = files.Copy(source, source);
    EXPECT_FALSE(ontoItself) << "a file is not copied onto itself";
    EXPECT_NE(ontoItself.error.code, 0u);
    EXPECT_FALSE(files.Copy(source, parent + std::string(300, 'y') + ".exe"));

    // A checked copy, from one read of the source: the same bytes, into a new file only.
    const std::string checked = *second + "checked.exe";
    ASSERT_TRUE(files.CopyChecked(source, checked));
    EXPECT_TRUE(files.SameContents(source, checked));
    const Outcome again = files.CopyChecked(parent + "other.exe", checked);
    EXPECT_FALSE(again) << "an existing file is not replaced";
    EXPECT_EQ(again.error.code, static_cast<unsigned long>(ERROR_FILE_EXISTS));
    EXPECT_TRUE(files.SameContents(source, checked)) << "and stays as it was";
    EXPECT_EQ(files.CopyChecked(parent + "missing.exe", *second + "none.exe").error.code,
              static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA((*second + "none.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(files.CopyChecked(source, *second + "nowhere\\copy.exe"));
    const std::string empty = parent + "empty.exe";
    ASSERT_TRUE(winetest::WriteFile(empty, ""));
    ASSERT_TRUE(files.CopyChecked(empty, *second + "empty.exe"));
    EXPECT_TRUE(files.SameContents(empty, *second + "empty.exe"));

    // Removed with everything in it, read-only files too; a file in use keeps its folder.
    ASSERT_TRUE(CreateDirectoryA((*first + "sub").c_str(), nullptr));
    ASSERT_TRUE(winetest::WriteFile(*first + "sub\\data.txt", "x"));
    SetFileAttributesA((*first + "sub\\data.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(files.RemoveFolder(*first));
    EXPECT_EQ(GetFileAttributesA(first->c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(winetest::WriteFile(*second + "held.txt", "x"));
    HANDLE held = CreateFileA((*second + "held.txt").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files.RemoveFolder(*second));
    CloseHandle(held);
    EXPECT_TRUE(files.RemoveFolder(*second));
    EXPECT_TRUE(files.FoldersIn(parent, kProgramFolderPrefix).empty());
}

// What the clean-up learns of a folder, and a file held from its check until its use.
TEST(Win32FileSystem, FoldersAreInspectedAndFilesHeldWithoutFollowingLinks) {
    Win32FileSystem files;
    const std::string parent = winetest::MakeScratchFolder("held");
    const auto own = files.InspectFolder(parent);
    ASSERT_TRUE(own);
    EXPECT_FALSE(own->link);
    EXPECT_TRUE(own->ownedByThisUser) << "made by this process";
    EXPECT_FALSE(files.InspectFolder(parent + "missing\\"));

    ASSERT_TRUE(CreateDirectoryA((parent + "steps").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((parent + "steps\\on").c_str(), nullptr));
    const std::string file = parent + "steps\\on\\package.inf";
    ASSERT_TRUE(winetest::WriteFile(file, "[Version]"));
    ASSERT_TRUE(winetest::WriteFile(parent + "other.inf", "[Other]"));
    {
        const auto held = files.Hold("", file);
        ASSERT_TRUE(held) << held.error.code;
        // Nobody can write, delete or rename the file. (That no folder on its way can be renamed
        // either, Windows enforces through the same sharing; Wine does not for folders.)
        EXPECT_EQ(CreateFileA(file.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr),
                  INVALID_HANDLE_VALUE);
        EXPECT_FALSE(DeleteFileA(file.c_str()));
        EXPECT_FALSE(MoveFileA(file.c_str(), (parent + "steps\\on\\other.inf").c_str()));
        EXPECT_FALSE(
            MoveFileExA((parent + "other.inf").c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING))
            << "nor replace it";
        // Reading it, as the system does to register or start it, still works.
        HANDLE reader = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(reader, INVALID_HANDLE_VALUE);
        CloseHandle(reader);
        const auto again = files.Hold(parent, file);
        EXPECT_TRUE(again) << "held twice, from a trusted folder";
    }
    EXPECT_TRUE(MoveFileA(file.c_str(), (parent + "steps\\on\\moved.inf").c_str()))
        << "let go with its hold";
    EXPECT_TRUE(MoveFileA((parent + "steps").c_str(), (parent + "stairs").c_str()));
    const std::string moved = parent + "stairs\\on\\moved.inf";
    EXPECT_TRUE(files.Hold(parent + "stairs\\", moved));
    const auto folder = files.Hold("", parent + "stairs\\on");
    EXPECT_FALSE(folder) << "a folder is no file";
    EXPECT_EQ(folder.error.code, 5u);
    EXPECT_FALSE(files.Hold("", parent + "stairs\\on\\missing.inf"));
    EXPECT_FALSE(files.Hold("", "relative\\package.inf"));
    // A file with a second name (a hard link) could be changed through that one.
    ASSERT_TRUE(CreateHardLinkA((parent + "second-name.inf").c_str(), moved.c_str(), nullptr));
    const auto linked = files.Hold("", moved);
    EXPECT_FALSE(linked);
    EXPECT_EQ(linked.error.code, 5u);
    // The removal goes as before for a folder of this user's.
    EXPECT_TRUE(files.RemoveFolder(parent + "stairs\\"));
    EXPECT_EQ(GetFileAttributesA((parent + "stairs").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32FileSystem, ExistsHonoursWildcardsAndFolders) {
    Win32FileSystem files;
    const std::string folder = winetest::MakeScratchFolder("exists");
    ASSERT_TRUE(winetest::WriteFile(folder + "data1.cab", "x"));
    EXPECT_TRUE(files.Exists(folder + "data1.cab"));
    EXPECT_TRUE(files.Exists(folder + "*.cab"));
    EXPECT_TRUE(files.Exists(folder.substr(0, folder.size() - 1)));
    EXPECT_FALSE(files.Exists(folder + "*.msi"));
    EXPECT_FALSE(files.Exists(folder + "absent\\data1.cab"));
}

std::string ToolPath(const char* name) {
    return winetest::FromLinuxPath(std::string(DISCMENU_TOOLS_DIR) + "/" + name);
}

// Runs the argument echo with `arguments` and returns what the C runtime made of them.
std::vector<std::string> CRuntimeSplit(Win32Processes& processes, const std::string& arguments) {
    const std::string output = winetest::MakeScratchFolder("argv") + "argv.txt";
    SetEnvironmentVariableA("DISCMENU_ARGV_FILE", output.c_str());
    DeleteFileA(output.c_str());
    const std::string program = ToolPath("argvecho.exe");
    EXPECT_TRUE(processes.StartAndWaitUntilReady("\"" + program + "\" " + arguments, ""));
    for (int i = 0; i < 200 && GetFileAttributesA(output.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
        Sleep(50);
    }
    Sleep(100);
    std::vector<std::string> args;
    const std::string content = winetest::ReadFile(output);
    std::string::size_type start = 0;
    for (auto end = content.find('\n'); end != std::string::npos;
         start = end + 1, end = content.find('\n', start)) {
        args.push_back(content.substr(start, end - start));
    }
    if (!args.empty()) {
        args[0] = program; // the runtime may report the path as given; compare the rest
    }
    return args;
}

TEST(Win32Processes, StartsProgramsAndSplitsTheirCommandLinesLikeTheCRuntime) {
    Win32Processes processes;
    for (const std::string arguments :
         {R"(-InfPath "D:\")", R"(-InfPath "D:\Setup\")", R"(/INFPATH D:\Setup)",
          R"(a\\b "c d" e\"f g\\"h i")", "  x \t y  ", R"("" "a""b" c)", R"(-InfPath A -X B)"}) {
        const std::string program = ToolPath("argvecho.exe");
        auto expected = SplitCommandLine("\"" + program + "\" " + arguments);
        EXPECT_EQ(CRuntimeSplit(processes, arguments), expected) << arguments;
    }
}

TEST(Win32Processes, ReportsAProgramThatCannotBeStarted) {
    EXPECT_FALSE(Win32Processes().StartAndWaitUntilReady(
        "\"C:\\no such folder\\nothing.exe\" -InfPath \"x\"", ""));
    EXPECT_FALSE(Win32Processes().StartShown("\"C:\\no such folder\\nothing.exe\"", ""));
}

TEST(Win32Processes, StartsProgramsInTheWorkingDirectoryTheyAreGiven) {
    Win32Processes processes;
    const std::string folder = winetest::MakeScratchFolder("working");
    const std::string output = folder + "argv.txt";
    SetEnvironmentVariableA("DISCMENU_ARGV_FILE", output.c_str());
    ASSERT_TRUE(processes.StartShown("\"" + ToolPath("argvecho.exe") + "\"", folder));
    for (int i = 0;
         i < 200 && GetFileAttributesA((output + ".cwd").c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
        Sleep(50);
    }
    Sleep(100);
    EXPECT_EQ(lstrcmpiA(winetest::ReadFile(output + ".cwd").c_str(),
                        folder.substr(0, folder.size() - 1).c_str()),
              0)
        << winetest::ReadFile(output + ".cwd");

    const std::string system = processes.SystemFolder().value.value_or("");
    ASSERT_FALSE(system.empty());
    EXPECT_EQ(system.back(), '\\');
    processes.SetWorkingDirectory(system);
    char current[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_EQ(lstrcmpiA((std::string(current) + "\\").c_str(), system.c_str()), 0) << current;
}

TEST(Win32InstanceLock, HeldByTheFirstUntilEveryHolderLetsGo) {
    const std::string name = "discmenu-test-lock";
    {
        Win32InstanceLock first(name);
        EXPECT_TRUE(first.Hold());
        EXPECT_TRUE(first.Hold()) << "holding again changes nothing";
        Win32InstanceLock second(name);
        EXPECT_FALSE(second.Hold()) << "another holder is told";
    }
    Win32InstanceLock later(name);
    EXPECT_TRUE(later.Hold()) << "gone with its holders";
}

TEST(Win32Processes, KnowsItsOwnProgram) {
    Win32Processes processes;
    const std::string path = processes.ModulePath();
    EXPECT_NE(path.find("PlatformTest.exe"), std::string::npos) << path;
    EXPECT_NE(path.find('\\'), std::string::npos);
    EXPECT_EQ(processes.CommandLine(), GetCommandLineA());
}

TEST(Win32StringTable, LoadsBuiltInTextsAndNothingForUnknownIds) {
    Win32StringTable strings;
    EXPECT_EQ(strings.Load(IDS_LANGUAGE_ENGLISH), "English");
    EXPECT_EQ(strings.Load(IDS_BUILTIN_OK), "OK");
    EXPECT_EQ(strings.Load(4242), "");
}

// A language's texts: its own "error <code>", the built-in text of every other id.
class FrenchErrorCode final : public IStringTable {
public:
    std::string Load(unsigned id) const override {
        return id == IDS_BUILTIN_ERROR_CODE ? "erreur %s" : Win32StringTable().Load(id);
    }
};

TEST(Win32SystemErrors, TheSystemsTextElseTheLanguagesErrorCode) {
    const Win32StringTable strings;
    const Win32SystemErrors errors(strings);
    const FrenchErrorCode french;
    const unsigned long none = 0x2000BEEF; // an application's code: the system has no text
    EXPECT_EQ(errors.Describe(none), "error " + std::to_string(none));
    EXPECT_EQ(errors.Describe(none, french), "erreur " + std::to_string(none));
    const std::string denied = errors.Describe(ERROR_ACCESS_DENIED);
    EXPECT_NE(denied.find_first_not_of(" \r\n"), std::string::npos);
    EXPECT_EQ(denied.rfind("error ", 0), std::string::npos) << denied;
    EXPECT_EQ(errors.Describe(ERROR_ACCESS_DENIED, french), denied)
        << "the system's own text, in the language of Windows";
}

TEST(Win32Locale, GivesTheThreeLetterLanguageAbbreviation) {
    const auto name = Win32Locale().GetAbbreviatedLanguageName(10);
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(name->size(), 3u) << *name;
    EXPECT_FALSE(Win32Locale().GetAbbreviatedLanguageName(2).has_value()) << "does not fit";
}

TEST(Win32UserInterface, MessageBoxesShowTextCaptionAndReturnTheButton) {
    Win32UserInterface ui; // named after the program file
    winetest::AnsweredBox box;
    std::thread answer(winetest::AnswerMessageBox, "Prompt", IDCANCEL, std::ref(box));
    EXPECT_EQ(ui.ShowMessage(nullptr, "Insert the disc", std::string("Prompt"),
                             mb::kRetryCancel | mb::kIconExclamation),
              mb::kIdCancel);
    answer.join();
    EXPECT_EQ(box.text, "Insert the disc");

    winetest::AnsweredBox untitled;
    std::thread answerUntitled(winetest::AnswerMessageBox, "PlatformTest", IDOK,
                               std::ref(untitled));
    EXPECT_EQ(ui.ShowMessage(nullptr, "Done", std::nullopt, mb::kOk), mb::kIdOk);
    answerUntitled.join();
    EXPECT_EQ(untitled.text, "Done") << "a box without caption carries the application's name";
}

TEST(Win32UserInterface, WaitCursorIsBalanced) {
    HCURSOR before = SetCursor(LoadCursor(nullptr, IDC_ARROW));
    (void)before;
    Win32UserInterface ui;
    ui.BeginWaitCursor();
    ui.BeginWaitCursor();
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    ui.EndWaitCursor();
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT)) << "still one wait pending";
    ui.EndWaitCursor();
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

} // namespace
