// The start-up decision: show the menu, relaunch from a folder of its own in the temporary
// folder, or bring the running menu forward.

#include "app/StartupDecision.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const char kProgram[] = R"(D:\Setup\start.exe)";
const char kDisc[] = R"(D:\Setup\)";
const char kMark[] = "main page";
const char kFirstFolder[] = R"(C:\Temp\discmenu.0000000000000001\)";

// A start of the program on fakes of the system.
struct Start {
    Start() {
        processes.modulePath = kProgram;
        processes.commandLine = kProgram;
        files.files[kProgram] = "program";
    }

    std::optional<std::string> Decide() {
        StartupServices services{atoms, files, processes, ui, instance, kMark};
        auto result = DecideStartup(services);
        EXPECT_EQ(ui.waitBegun, 1);
        EXPECT_EQ(ui.waitEnded, 1) << "wait cursor left on";
        return result;
    }

    fakes::FakeAtomTable atoms;
    fakes::FakeFileSystem files;
    fakes::FakeProcesses processes;
    fakes::FakeUserInterface ui;
    fakes::FakeInstanceLock instance;
};

class StartupDecisionTest : public ::testing::Test, protected Start {};

TEST_F(StartupDecisionTest, WithALauncherDirectoryTheMenuRunsWhateverTheMarksSay) {
    processes.commandLine = R"("C:\Temp\start.exe" -InfPath "D:\Setup\")";
    atoms.Add(kInstanceAtomName);
    instance.heldElsewhere = true;
    EXPECT_EQ(Decide(), std::optional<std::string>(kDisc));
    EXPECT_TRUE(files.calls.empty());
    EXPECT_TRUE(processes.started.empty());
    EXPECT_EQ(atoms.Count(kInstanceAtomName), 1) << "the running menus' marker stays";
}

TEST_F(StartupDecisionTest, RelaunchesACopyInAFolderOfItsOwnWithThatFolderAsWorkingDirectory) {
    EXPECT_EQ(Decide(), std::nullopt);
    EXPECT_EQ(files.files[std::string(kFirstFolder) + "start.exe"], "program");
    EXPECT_EQ(files.reads[kProgram], 1) << "the program is read from the disc once";
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0],
              "\"" + std::string(kFirstFolder) + "start.exe\" -InfPath \"D:\\Setup\\\"");
    EXPECT_EQ(processes.startedIn[0], kFirstFolder) << "the disc is not its current directory";
    EXPECT_EQ(instance.holds, 1) << "held until the copy is up";
    EXPECT_TRUE(ui.shown.empty());

    // The copy's command line gives it the launcher directory.
    processes.commandLine = processes.started[0];
    ui = {};
    EXPECT_EQ(Decide(), std::optional<std::string>(kDisc));
}

TEST_F(StartupDecisionTest, TheProgramPathComesFromTheProgramFileNotTheCommandLine) {
    // Typed without its directory, or with arguments other than the flag.
    for (const char* line : {"start", R"(D:\Setup\start.exe /x "y z")", "start.exe -InfPath"}) {
        processes.commandLine = line;
        processes.started.clear();
        ui = {};
        EXPECT_EQ(Decide(), std::nullopt) << line;
        ASSERT_EQ(processes.started.size(), 1u) << line;
        EXPECT_NE(processes.started[0].find("\\start.exe\" -InfPath \"D:\\Setup\\\""),
                  std::string::npos);
    }
}

TEST_F(StartupDecisionTest, ARunningMenuIsBroughtForwardAndNothingElseHappens) {
    instance.heldElsewhere = true;
    atoms.Add(kInstanceAtomName);
    EXPECT_EQ(Decide(), std::nullopt);
    EXPECT_EQ(ui.broughtForward, std::vector<std::string>{kMark});
    EXPECT_TRUE(files.calls.empty());
    EXPECT_TRUE(processes.started.empty());
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(atoms.Count(kInstanceAtomName), 1) << "the running menu's marker stays";
}

// Another program may have made the lock (it lives in the user's session, where any program
// can): with no menu of this program to bring forward, the start goes on as if it were free.
TEST_F(StartupDecisionTest, ALockHeldWithoutAMenuOfOursStopsNothing) {
    instance.heldElsewhere = true;
    ui.menuAnswers = false;
    EXPECT_EQ(Decide(), std::nullopt);
    EXPECT_EQ(ui.broughtForward, std::vector<std::string>{kMark});
    ASSERT_EQ(processes.started.size(), 1u) << "the copy is started as usual";
    EXPECT_EQ(files.files[std::string(kFirstFolder) + "start.exe"], "program");
}

// Whatever goes wrong with the copy, the menu shows: from the disc, with a current directory
// that is not on the disc, and with no folder of the failed copy left.
TEST_F(StartupDecisionTest, WithoutACopyTheMenuShowsFromTheDisc) {
    struct Row {
        const char* what;
        std::function<void(Start&)> arrange;
        const char* currentDirectory;
    };
    const Row rows[] = {
        {"no temporary folder", [](auto& t) { t.files.tempFolder.reset(); },
         R"(C:\Windows\system32\)"},
        {"no folder can be made there", [](auto& t) { t.files.foldersCanBeMade = false; },
         R"(C:\Temp\)"},
        {"a temporary folder that is not there",
         [](auto& t) {
             t.files.foldersCanBeMade = false;
             t.processes.missingFolders.insert(*t.files.tempFolder);
         },
         R"(C:\Windows\system32\)"},
        {"the copy fails", [](auto& t) { t.files.files.erase(kProgram); }, R"(C:\Temp\)"},
        {"a path too long for the system",
         [](auto& t) { t.files.tempFolder = "C:\\" + std::string(300, 't') + "\\"; }, nullptr},
        {"the copy differs from the program", [](auto& t) { t.files.copiesComeOutWrong = true; },
         R"(C:\Temp\)"},
        {"the copy cannot be started", [](auto& t) { t.processes.startSucceeds = false; },
         R"(C:\Temp\)"},
    };
    for (const Row& row : rows) {
        Start t;
        row.arrange(t);
        EXPECT_EQ(t.Decide(), std::optional<std::string>(kDisc)) << row.what;
        EXPECT_TRUE(t.processes.started.empty()) << row.what;
        EXPECT_TRUE(t.ui.shown.empty()) << row.what;
        const std::string expected =
            row.currentDirectory != nullptr ? row.currentDirectory : *t.files.tempFolder;
        EXPECT_EQ(t.processes.currentDirectory, expected) << row.what;
        EXPECT_TRUE(t.files.folders.empty()) << row.what << ": the failed copy's folder goes";
        EXPECT_EQ(t.instance.holds, 1) << row.what << ": the menu from the disc holds the mark";
    }
}

TEST_F(StartupDecisionTest, AStaleMarkerGoesAndTheMenuStarts) {
    // A killed menu's, or one some other program added, as often as it was added.
    for (int i = 0; i < 3; ++i) {
        atoms.Add(kInstanceAtomName);
    }
    EXPECT_EQ(Decide(), std::nullopt);
    EXPECT_EQ(atoms.Count(kInstanceAtomName), 0);
    EXPECT_EQ(processes.started.size(), 1u);
    EXPECT_TRUE(ui.broughtForward.empty());
}

TEST_F(StartupDecisionTest, EarlierCopiesGoExceptWhereAProgramStillRuns) {
    const std::string earlier = R"(C:\Temp\discmenu.00000000000000a1\)";
    const std::string running = R"(C:\Temp\discmenu.00000000000000B2\)";
    const std::string foreign = R"(C:\Temp\discmenu.notours\)";
    files.folders = {earlier, running, foreign, R"(C:\Temp\other\)"};
    files.files[earlier + "start.exe"] = "old";
    files.busyFolders.insert(running);
    Decide();
    EXPECT_EQ(files.folders, (std::set<std::string>{running, foreign, R"(C:\Temp\other\)",
                                                    R"(C:\Temp\discmenu.0000000000000001\)"}));
    EXPECT_EQ(files.files.count(earlier + "start.exe"), 0u);
    EXPECT_EQ(processes.started.size(), 1u);
}

TEST_F(StartupDecisionTest, LinksAndOtherUsersFoldersInTheTemporaryFolderStay) {
    const std::string earlier = R"(C:\Temp\discmenu.00000000000000a1\)";
    const std::string link = R"(C:\Temp\discmenu.0123456789abcdef\)";
    const std::string others = R"(C:\Temp\discmenu.00000000000000c3\)";
    files.folders = {earlier, link, others};
    files.links.insert(link);
    files.othersFolders.insert(others);
    Decide();
    EXPECT_EQ(files.folders,
              (std::set<std::string>{link, others, R"(C:\Temp\discmenu.0000000000000001\)"}));
    for (const std::string& call : files.calls) {
        EXPECT_NE(call, "remove " + link) << "a link is not even handed to the removal";
        EXPECT_NE(call, "remove " + others);
    }
}

// What a start removes from the temporary folder: only its own copies' folders.
TEST(StartupDecision, EarlierCopiesToRemove) {
    using Facts = platform::Result<platform::FolderFacts>;
    const Facts own = Facts::Success({false, true});
    const struct Row {
        const char* what;
        const char* name;
        Facts facts;
        bool removed;
    } rows[] = {
        {"an earlier copy's folder", "discmenu.0123456789abcdef", own, true},
        {"in capitals", "DISCMENU.0123456789ABCDEF", own, true},
        {"a link at the top", "discmenu.0123456789abcdef", Facts::Success({true, true}), false},
        {"a link another user made", "discmenu.0123456789abcdef", Facts::Success({true, false}),
         false},
        {"another user's folder", "discmenu.0123456789abcdef", Facts::Success({false, false}),
         false},
        {"a folder that cannot be opened", "discmenu.0123456789abcdef", Facts::Failure(5), false},
        {"gone in the meantime", "discmenu.0123456789abcdef", Facts::Failure(3), false},
        {"another name", "discmenu.notours", own, false},
        {"one digit short", "discmenu.0123456789abcde", own, false},
        {"another program's", "other", own, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsEarlierCopyToRemove(row.name, row.facts), row.removed) << row.what;
    }
}

TEST(StartupDecision, CopyFolderNames) {
    EXPECT_TRUE(IsCopyFolderName("discmenu.0123456789abcdef"));
    EXPECT_TRUE(IsCopyFolderName("DISCMENU.0123456789ABCDEF"));
    EXPECT_FALSE(IsCopyFolderName("discmenu.0123456789abcde"));
    EXPECT_FALSE(IsCopyFolderName("discmenu.0123456789abcdef0"));
    EXPECT_FALSE(IsCopyFolderName("discmenu.0123456789abcdeg"));
    EXPECT_FALSE(IsCopyFolderName("xiscmenu.0123456789abcdef"));
}

} // namespace
