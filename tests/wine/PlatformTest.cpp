// The Win32 implementations of the platform interfaces against the real API.

#include "WineTestSupport.h"
#include "framework/CommandLineInfo.h"
#include "framework/win32/WinApp.h"
#include "platform/win32/Win32AtomTable.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32StringTable.h"
#include "platform/win32/Win32UserInterface.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace platform;

TEST(Win32AtomTable, GlobalAtomsAreCountedAcrossAddsAndDeletes) {
    Win32AtomTable atoms;
    const std::string name = "__discmenu_test_atom__";
    EXPECT_EQ(atoms.Find(name), 0);
    const Atom first = atoms.Add(name);
    ASSERT_NE(first, 0);
    EXPECT_EQ(atoms.Add(name), first);
    EXPECT_EQ(atoms.Find(name), first);
    EXPECT_EQ(GlobalFindAtomA(name.c_str()), first) << "not the global atom table";
    atoms.Delete(first);
    EXPECT_EQ(atoms.Find(name), first) << "one add is still counted";
    atoms.Delete(first);
    EXPECT_EQ(atoms.Find(name), 0);
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
    Set("Expand", REG_EXPAND_SZ, std::string("DEU") + '\0');
    const auto number = registry.ReadValue(kKey, "Number", 10);
    ASSERT_TRUE(number.has_value());
    EXPECT_FALSE(number->isString);
    EXPECT_TRUE(registry.ReadValue(kKey, "Expand", 10)->isString);
}

TEST_F(Win32RegistryTest, MissingKeysAndValues) {
    EXPECT_TRUE(registry.KeyExists(kKey));
    EXPECT_FALSE(registry.KeyExists("SOFTWARE\\discmenu-test\\Absent"));
    EXPECT_FALSE(registry.ReadValue(kKey, "Absent", 10).has_value());
    EXPECT_FALSE(registry.ReadValue("SOFTWARE\\discmenu-test\\Absent", "x", 10).has_value());
}

TEST(Win32FileSystem, TemporaryFolderEndsInABackslash) {
    const auto folder = Win32FileSystem().GetTempFolder();
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(folder->back(), '\\');
    EXPECT_NE(GetFileAttributesA(folder->c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32FileSystem, AttributesAndCopies) {
    Win32FileSystem files;
    const std::string folder = winetest::MakeScratchFolder("files");
    const std::string source = folder + "source.exe";
    const std::string target = folder + "target.exe";
    ASSERT_TRUE(winetest::WriteFile(source, "new"));

    EXPECT_EQ(files.SetNormalAttributes(target).error.code, errors::kFileNotFound);
    EXPECT_EQ(files.SetNormalAttributes(folder + "missing\\target.exe").error.code,
              errors::kPathNotFound);
    EXPECT_EQ(files.SetNormalAttributes(folder + std::string(300, 'x') + ".exe").error.code,
              errors::kFileNameTooLong);

    ASSERT_TRUE(winetest::WriteFile(target, "old"));
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(files.SetNormalAttributes(target));
    EXPECT_EQ(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_TRUE(files.Copy(source, target));
    EXPECT_EQ(winetest::ReadFile(target), "new");

    const Outcome ontoItself = files.Copy(source, source);
    EXPECT_FALSE(ontoItself) << "a file is not copied onto itself";
    EXPECT_NE(ontoItself.error.code, 0u);
    EXPECT_FALSE(files.Copy(source, folder + std::string(300, 'y') + ".exe"));
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
    EXPECT_TRUE(processes.Start("\"" + program + "\" " + arguments));
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
    EXPECT_FALSE(Win32Processes().Start("\"C:\\no such folder\\nothing.exe\" -InfPath \"x\""));
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

TEST(Win32Locale, GivesTheThreeLetterLanguageAbbreviation) {
    const auto name = Win32Locale().GetAbbreviatedLanguageName(10);
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(name->size(), 3u) << *name;
    EXPECT_FALSE(Win32Locale().GetAbbreviatedLanguageName(2).has_value()) << "does not fit";
}

TEST(Win32UserInterface, MessageBoxesShowTextCaptionAndReturnTheButton) {
    CWinApp app; // names the application after the program file
    Win32UserInterface ui;
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

TEST(CWinApp, WaitCursorIsBalanced) {
    CWinApp app;
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
