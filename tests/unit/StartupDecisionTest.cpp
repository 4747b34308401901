// The start-up decision: show the menu, relaunch from the temporary folder, or end.

#include "app/StartupDecision.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

const char kProgram[] = R"(D:\Setup\start.exe)";

class StartupDecisionTest : public ::testing::Test {
protected:
    StartupDecisionTest() {
        processes.modulePath = kProgram;
        processes.commandLine = kProgram;
        files.files[kProgram] = "program";
    }

    std::optional<std::string> Decide() {
        StartupServices services{atoms, files, processes, ui};
        auto result = DecideStartup(services);
        EXPECT_EQ(ui.waitBegun, 1);
        EXPECT_EQ(ui.waitEnded, 1) << "wait cursor left on";
        return result;
    }

    void ExpectOnlyMessage(const std::string& text) {
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text, text);
        EXPECT_EQ(ui.shown[0].caption, std::optional<std::string>("Installer"));
        EXPECT_EQ(ui.shown[0].style, 0u);
        EXPECT_EQ(ui.shown[0].owner, nullptr);
    }

    fakes::FakeAtomTable atoms;
    fakes::FakeFileSystem files;
    fakes::FakeProcesses processes;
    fakes::FakeUserInterface ui;
};

TEST_F(StartupDecisionTest, WithALauncherDirectoryTheMenuRunsWhateverTheMarkerSays) {
    processes.commandLine = R"("C:\Temp\start.exe" -InfPath "D:\Setup\")";
    atoms.Add(kInstanceAtomName);
    EXPECT_EQ(Decide(), std::optional<std::string>(R"(D:\Setup\)"));
    EXPECT_TRUE(files.calls.empty());
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(StartupDecisionTest, RelaunchesTheCopyFromTheTemporaryFolder) {
    EXPECT_EQ(Decide(), std::nullopt);
    EXPECT_EQ(files.files[R"(C:\Temp\start.exe)"], "program");
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0], R"("C:\Temp\start.exe" -InfPath "D:\Setup\")");
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(StartupDecisionTest, TheCopysCommandLineGivesItTheLauncherDirectory) {
    Decide();
    ASSERT_EQ(processes.started.size(), 1u);
    processes.commandLine = processes.started[0];
    ui = {};
    EXPECT_EQ(Decide(), std::optional<std::string>(R"(D:\Setup\)"));
}

TEST_F(StartupDecisionTest, TheProgramPathComesFromTheProgramFileNotTheCommandLine) {
    // Typed without its directory, or with arguments other than the flag.
    for (const char* line : {"start", R"(D:\Setup\start.exe /x "y z")", "start.exe -InfPath"}) {
        processes.commandLine = line;
        processes.started.clear();
        ui = {};
        EXPECT_EQ(Decide(), std::nullopt) << line;
        ASSERT_EQ(processes.started.size(), 1u) << line;
        EXPECT_EQ(processes.started[0], R"("C:\Temp\start.exe" -InfPath "D:\Setup\")");
        EXPECT_TRUE(ui.shown.empty()) << line;
    }
}

TEST_F(StartupDecisionTest, BesideARunningMenuEndsSilentlyWithoutCopying) {
    atoms.Add(kInstanceAtomName);
    EXPECT_EQ(Decide(), std::nullopt);
    EXPECT_TRUE(files.calls.empty());
    EXPECT_TRUE(processes.started.empty());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(StartupDecisionTest, AnEarlierReadOnlyCopyIsMadeWritableAndOverwritten) {
    files.files[R"(C:\Temp\start.exe)"] = "old";
    files.readOnly.insert(R"(C:\Temp\start.exe)");
    Decide();
    EXPECT_EQ(files.files[R"(C:\Temp\start.exe)"], "program");
    EXPECT_EQ(processes.started.size(), 1u);
}

TEST_F(StartupDecisionTest, NoTemporaryFolder) {
    files.tempFolder.reset();
    EXPECT_EQ(Decide(), std::nullopt);
    ExpectOnlyMessage("Failed to get Temp Folder. Exiting installer");
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(StartupDecisionTest, AttributesCannotBeSet) {
    files.lockedFolders.insert(R"(C:\Temp\)");
    EXPECT_EQ(Decide(), std::nullopt);
    ExpectOnlyMessage("Failed to set normal attribute on temp file. Try cleaning temp folder. "
                      "Exiting installer");
    EXPECT_TRUE(processes.started.empty());
}

const char kCopyFailed[] = "Failed on CopyFile. Check if Installer is already running or enough "
                           "disk space or permissions. Exiting installer";

TEST_F(StartupDecisionTest, CopyOntoItselfFails) {
    // The copy in the temporary folder started without arguments.
    processes.modulePath = R"(C:\Temp\start.exe)";
    files.files[R"(C:\Temp\start.exe)"] = "program";
    EXPECT_EQ(Decide(), std::nullopt);
    ExpectOnlyMessage(kCopyFailed);
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(StartupDecisionTest, ATemporaryPathTooLongForTheSystemIsACopyFailure) {
    files.tempFolder = "C:\\" + std::string(300, 't') + "\\";
    EXPECT_EQ(Decide(), std::nullopt);
    ExpectOnlyMessage(kCopyFailed);
}

TEST_F(StartupDecisionTest, TheCopyCannotBeStarted) {
    processes.startSucceeds = false;
    EXPECT_EQ(Decide(), std::nullopt);
    ExpectOnlyMessage("Failed to start 2nd Installer. Exiting installer");
}

} // namespace
