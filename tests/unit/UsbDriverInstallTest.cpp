// The OK button of the USB driver dialog: which driver packages are registered, in which
// order and from where, what counts as success, and what the user is shown.

#include "usb/UsbDriverInstall.h"
#include "fakes/FakeDriverStore.h"
#include "fakes/FakePlatform.h"
#include "framework/text/StringUtil.h"
#include "res/resource.h"
#include "usb/ElevatedRegistration.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using usb::InstallOutcome;
using usb::kChecked;
using usb::kUnchecked;

const char kInstallKey[] = "SOFTWARE\\Brenlow\\Ormix-Frame\\Install";
const char kFolder[] = "C:\\Program Files\\Ormix";
const char kFirstInf[] = "C:\\Program Files\\Ormix\\RKVU021\\ser2pl.inf";
const char kSecondInf[] = "C:\\Program Files\\Ormix\\RKVU031\\RKVU031.inf";
const char kTitle[] = "USB Drivers Files Installation";
const char kSuccess[] = "USB driver files installlation succeeded";

// The system's texts for a few codes, "error <code>" for the others.
class TextSystemErrors : public platform::ISystemErrors {
public:
    std::string Describe(unsigned long code) const override {
        const auto found = texts.find(code);
        return found != texts.end() ? found->second : "error " + std::to_string(code);
    }
    std::string Describe(unsigned long code, const platform::IStringTable& strings) const override {
        const auto found = texts.find(code);
        return found != texts.end()
                   ? found->second
                   : text::FillIn(strings.Load(IDS_BUILTIN_ERROR_CODE), {std::to_string(code)});
    }
    std::map<unsigned long, std::string> texts{
        {2, "The system cannot find the file specified.\r\n"},
        {3, "The system cannot find the path specified.\r\n"},
        {5, "Access is denied.\r\n"}};
};

class UsbDriverInstallTest : public ::testing::Test {
protected:
    UsbDriverInstallTest() { registry.SetString(kInstallKey, "WBPATH", kFolder); }

    // What OK does with the two check states: install, then report.
    InstallOutcome PressOk(int firstState, int secondState) {
        const InstallOutcome outcome =
            usb::InstallDriverPackages(firstState, secondState, registry, store);
        usb::ReportOutcome(outcome, {ui, strings, errors}, owner, kTitle, kSuccess);
        return outcome;
    }

    void ExpectOneMessage(const std::string& text) const {
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text, text);
        EXPECT_EQ(ui.shown[0].owner, owner) << "owned by the dialog";
        EXPECT_FALSE(ui.shown[0].caption.has_value()) << "the application's name as caption";
        EXPECT_EQ(ui.shown[0].style, platform::mb::kOk);
    }

    void ExpectPathNotFound(int firstState, int secondState) {
        const InstallOutcome outcome = PressOk(firstState, secondState);
        EXPECT_TRUE(store.registered.empty()) << "nothing from the root of the current drive";
        EXPECT_EQ(outcome.kind, InstallOutcome::Kind::Failed);
        EXPECT_EQ(outcome.error, 3u);
        ExpectOneMessage(
            "USB Drivers Files Installation failed with error: The system cannot find the path "
            "specified.\r\n");
    }

    fakes::FakeRegistry registry;
    fakes::FakeDriverStore store;
    fakes::FakeUserInterface ui;
    const fakes::FakeStringTable strings;
    TextSystemErrors errors;
    int window = 0;
    platform::WindowRef owner = &window;
};

TEST_F(UsbDriverInstallTest, FirstBoxRegistersTheRkvaPackageOnly) {
    const InstallOutcome outcome = PressOk(kChecked, kUnchecked);
    EXPECT_EQ(store.registered, std::vector<std::string>{kFirstInf});
    EXPECT_EQ(outcome.kind, InstallOutcome::Kind::Succeeded);
    ExpectOneMessage(kSuccess);
}

TEST_F(UsbDriverInstallTest, SecondBoxRegistersTheRkvbPackageOnly) {
    const InstallOutcome outcome = PressOk(kUnchecked, kChecked);
    EXPECT_EQ(store.registered, std::vector<std::string>{kSecondInf});
    EXPECT_EQ(outcome.kind, InstallOutcome::Kind::Succeeded);
    ExpectOneMessage(kSuccess);
}

TEST_F(UsbDriverInstallTest, BothBoxesRegisterRkvaThenRkvbAndReportOneSuccess) {
    const InstallOutcome outcome = PressOk(kChecked, kChecked);
    EXPECT_EQ(store.registered, (std::vector<std::string>{kFirstInf, kSecondInf}));
    EXPECT_EQ(outcome.kind, InstallOutcome::Kind::Succeeded);
    ExpectOneMessage(kSuccess);
}

TEST_F(UsbDriverInstallTest, NoBoxRegistersNothingAndShowsNothing) {
    const InstallOutcome outcome = PressOk(kUnchecked, kUnchecked);
    EXPECT_EQ(outcome.kind, InstallOutcome::Kind::Nothing);
    EXPECT_TRUE(store.registered.empty());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(UsbDriverInstallTest, OtherCheckStatesRegisterNothing) {
    const int indeterminate = 2;
    for (const auto& [first, second] :
         std::vector<std::pair<int, int>>{{indeterminate, kChecked},
                                          {kChecked, indeterminate},
                                          {indeterminate, kUnchecked},
                                          {indeterminate, indeterminate}}) {
        EXPECT_EQ(PressOk(first, second).kind, InstallOutcome::Kind::Nothing)
            << first << "," << second;
    }
    EXPECT_TRUE(store.registered.empty());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(UsbDriverInstallTest, AFailedFirstRegistrationStillAttemptsTheSecond) {
    store.results[kFirstInf] = platform::Outcome::Failure(5);
    store.results[kSecondInf] = platform::Outcome::Success();
    const InstallOutcome outcome = PressOk(kChecked, kChecked);
    EXPECT_EQ(store.registered, (std::vector<std::string>{kFirstInf, kSecondInf}));
    EXPECT_EQ(outcome.kind, InstallOutcome::Kind::Failed);
    EXPECT_EQ(outcome.error, 5u) << "the code of the registration that failed";
    ExpectOneMessage("USB Drivers Files Installation failed with error: Access is denied.\r\n");
}

TEST_F(UsbDriverInstallTest, AFailedSecondRegistrationReportsItsError) {
    store.results[kSecondInf] = platform::Outcome::Failure(2);
    const InstallOutcome outcome = PressOk(kChecked, kChecked);
    EXPECT_EQ(store.registered, (std::vector<std::string>{kFirstInf, kSecondInf}));
    EXPECT_EQ(outcome.kind, InstallOutcome::Kind::Failed);
    EXPECT_EQ(outcome.error, 2u);
    ExpectOneMessage("USB Drivers Files Installation failed with error: The system cannot find "
                     "the file specified.\r\n");
}

TEST_F(UsbDriverInstallTest, OnlyAResultOfExactlyOneIsSuccess) {
    for (const int result : {2, -1, 0}) {
        store.results[kFirstInf] = platform::RegistrationOutcome(result, 5);
        ui.shown.clear();
        const InstallOutcome outcome = PressOk(kChecked, kUnchecked);
        EXPECT_EQ(outcome.kind, InstallOutcome::Kind::Failed) << result;
        EXPECT_EQ(outcome.error, 5u);
        ExpectOneMessage("USB Drivers Files Installation failed with error: Access is "
                         "denied.\r\n");
    }
    store.results[kFirstInf] = platform::RegistrationOutcome(1, 5);
    EXPECT_EQ(PressOk(kChecked, kUnchecked).kind, InstallOutcome::Kind::Succeeded)
        << "the error code of a success does not matter";
}

TEST_F(UsbDriverInstallTest, BothMustSucceedForSuccess) {
    store.results[kSecondInf] = platform::RegistrationOutcome(2, 5);
    EXPECT_EQ(PressOk(kChecked, kChecked).kind, InstallOutcome::Kind::Failed);
}

TEST_F(UsbDriverInstallTest, ATrailingBackslashOfTheFolderIsDoubled) {
    registry.SetString(kInstallKey, "WBPATH", "C:\\Ormix\\");
    PressOk(kChecked, kChecked);
    EXPECT_EQ(store.registered, (std::vector<std::string>{"C:\\Ormix\\\\RKVU021\\ser2pl.inf",
                                                          "C:\\Ormix\\\\RKVU031\\RKVU031.inf"}));
}

TEST_F(UsbDriverInstallTest, TheFolderIsUsedAsTheRegistryHoldsIt) {
    EXPECT_EQ(usb::FormDriverPackagePaths("d:/x y").first, "d:/x y\\RKVU021\\ser2pl.inf");
    EXPECT_EQ(usb::FormDriverPackagePaths("d:/x y").second, "d:/x y\\RKVU031\\RKVU031.inf");
}

TEST_F(UsbDriverInstallTest, AFolderOnlyInThe64BitViewIsFoundOn64BitWindows) {
    registry = fakes::FakeRegistry{};
    registry.twoViews = true;
    registry.SetString64(kInstallKey, "WBPATH", kFolder);
    PressOk(kChecked, kChecked);
    EXPECT_EQ(store.registered, (std::vector<std::string>{kFirstInf, kSecondInf}));
}

TEST_F(UsbDriverInstallTest, WithoutTheKeyNothingIsRegisteredAndThePathIsNotFound) {
    registry = fakes::FakeRegistry{};
    ExpectPathNotFound(kChecked, kChecked);
}

TEST_F(UsbDriverInstallTest, WithoutTheValueNothingIsRegisteredAndThePathIsNotFound) {
    registry = fakes::FakeRegistry{};
    registry.SetString(kInstallKey, "Version", "5.0");
    ExpectPathNotFound(kChecked, kUnchecked);
}

TEST_F(UsbDriverInstallTest, AValueThatIsNoStringIsNotAFolder) {
    registry.SetBinary(kInstallKey, "WBPATH", "C:\\Program Files\\Ormix");
    ExpectPathNotFound(kUnchecked, kChecked);
}

TEST_F(UsbDriverInstallTest, AnEmptyValueIsNotAFolder) {
    registry.SetString(kInstallKey, "WBPATH", "");
    ExpectPathNotFound(kChecked, kChecked);
}

TEST_F(UsbDriverInstallTest, AFolderMustFitOneHundredBytesWithItsZero) {
    const std::string fits = "C:\\" + std::string(96, 'a'); // 99 bytes and the zero
    registry.SetString(kInstallKey, "WBPATH", fits);
    PressOk(kChecked, kUnchecked);
    EXPECT_EQ(store.registered, std::vector<std::string>{fits + "\\RKVU021\\ser2pl.inf"});

    store.registered.clear();
    ui.shown.clear();
    registry.SetString(kInstallKey, "WBPATH", fits + "a"); // the zero does not fit
    ExpectPathNotFound(kChecked, kUnchecked);
}

TEST_F(UsbDriverInstallTest, AnUnreadableFolderShowsNothingWhenNoBoxIsSet) {
    registry = fakes::FakeRegistry{};
    EXPECT_EQ(PressOk(kUnchecked, kUnchecked).kind, InstallOutcome::Kind::Nothing);
    EXPECT_TRUE(store.registered.empty());
    EXPECT_TRUE(ui.shown.empty());
}

TEST(UsbDriverErrorMessage, NamesTheTitleAndKeepsTheSystemTextAsItComes) {
    const fakes::FakeStringTable strings;
    EXPECT_EQ(
        usb::FormatErrorMessage(strings, "USB Drivers Files Installation", "Access is denied.\r\n"),
        "USB Drivers Files Installation failed with error: Access is denied.\r\n");
    EXPECT_EQ(usb::FormatErrorMessage(strings, "Treiber %s", "100% kaputt"),
              "Treiber %s failed with error: 100% kaputt")
        << "no format characters are interpreted";
}

TEST(UsbDriverErrorMessage, ACodeWithoutSystemTextIsShownAsItsNumber) {
    fakes::FakeUserInterface ui;
    const fakes::FakeStringTable strings;
    const fakes::FakeSystemErrors errors;
    int window = 0;
    usb::ShowErrorMessage({ui, strings, errors}, &window, "Title", 1234);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Title failed with error: error 1234");
    EXPECT_EQ(ui.shown[0].owner, &window);
    EXPECT_FALSE(ui.shown[0].caption.has_value());
    EXPECT_EQ(ui.shown[0].style, platform::mb::kOk);
}

// --- Where the system demands administrator rights ----------------------------------------

// What the elevated copy's run gives: its exit code, or the reason it did not run.
platform::Result<unsigned long> Exited(unsigned long code) {
    return platform::Result<unsigned long>::Success(code);
}
platform::Result<unsigned long> NotRun(unsigned long error) {
    return platform::Result<unsigned long>::Failure(error);
}

struct ElevationRow {
    bool elevated;
    bool userAccountControl;
    platform::Result<unsigned long> run; // of the elevated copy, when there is one
    bool byCopy;                         // the copy registers, not this process
    InstallOutcome::Kind kind;
    std::string message;
};

TEST_F(UsbDriverInstallTest, TheProcesssRightsDecideWhoRegistersAndTheCopysRunIsReported) {
    const std::string declined =
        "No USB driver was installed: administrator rights were not granted.";
    const std::string denied =
        "USB Drivers Files Installation failed with error: Access is denied.\r\n";
    const std::string notFound = "USB Drivers Files Installation failed with error: The system "
                                 "cannot find the file specified.\r\n";
    const std::vector<ElevationRow> rows{
        // Already elevated, or no user account control (as before Vista): this process.
        {true, true, Exited(5), false, InstallOutcome::Kind::Succeeded, kSuccess},
        {true, false, Exited(5), false, InstallOutcome::Kind::Succeeded, kSuccess},
        {false, false, Exited(5), false, InstallOutcome::Kind::Succeeded, kSuccess},
        // Not elevated under user account control: the elevated copy, reported as from here.
        {false, true, Exited(0), true, InstallOutcome::Kind::Succeeded, kSuccess},
        {false, true, Exited(5), true, InstallOutcome::Kind::Failed, denied},
        {false, true, Exited(2), true, InstallOutcome::Kind::Failed, notFound},
        {false, true, NotRun(1223), true, InstallOutcome::Kind::Declined, declined},
        {false, true, NotRun(2), true, InstallOutcome::Kind::Failed, notFound},
    };
    for (const ElevationRow& row : rows) {
        SCOPED_TRACE(std::to_string(row.elevated) + std::to_string(row.userAccountControl) + " " +
                     row.message);
        store.registered.clear();
        ui.shown.clear();
        std::vector<std::vector<std::string>> runs;
        const auto runElevated = [&](const std::vector<std::string>& paths) {
            runs.push_back(paths);
            return row.run;
        };
        const InstallOutcome outcome =
            usb::InstallDriverPackages(kChecked, kChecked, registry, store,
                                       {row.elevated, row.userAccountControl}, runElevated);
        usb::ReportOutcome(outcome, {ui, strings, errors}, owner, kTitle, kSuccess);
        EXPECT_EQ(outcome.kind, row.kind);
        ExpectOneMessage(row.message);
        if (row.byCopy) {
            EXPECT_TRUE(store.registered.empty());
            EXPECT_EQ(runs, (std::vector<std::vector<std::string>>{{"first", "second"}}));
        } else {
            EXPECT_TRUE(runs.empty());
            EXPECT_EQ(store.registered, (std::vector<std::string>{kFirstInf, kSecondInf}));
        }
    }
}

TEST_F(UsbDriverInstallTest, TheCopyIsNotAskedForWhenNothingIsChosenOrTheFolderIsUnknown) {
    int runs = 0;
    const auto runElevated = [&](const std::vector<std::string>&) {
        ++runs;
        return Exited(0);
    };
    EXPECT_EQ(usb::InstallDriverPackages(kUnchecked, kUnchecked, registry, store, {false, true},
                                         runElevated)
                  .kind,
              InstallOutcome::Kind::Nothing);
    registry = fakes::FakeRegistry();
    const InstallOutcome outcome = usb::InstallDriverPackages(kChecked, kUnchecked, registry, store,
                                                              {false, true}, runElevated);
    EXPECT_EQ(outcome.kind, InstallOutcome::Kind::Failed);
    EXPECT_EQ(outcome.error, 3u);
    EXPECT_EQ(runs, 0);
}

TEST(ElevatedCopy, ItsParametersAreTheSwitchAndTheChosenPackagesSelectors) {
    EXPECT_EQ(usb::ElevatedCopyParameters(usb::ChosenSelectors(kChecked, kChecked)),
              "-RegisterPackages first second");
    EXPECT_EQ(usb::ElevatedCopyParameters(usb::ChosenSelectors(kUnchecked, kChecked)),
              "-RegisterPackages second");
    EXPECT_EQ(usb::ChosenSelectors(kChecked, kUnchecked), std::vector<std::string>{"first"});
    EXPECT_TRUE(usb::ChosenSelectors(kUnchecked, kUnchecked).empty());
    EXPECT_TRUE(usb::ChosenSelectors(2, kChecked).empty()) << "an indeterminate box";
}

TEST(ElevatedCopy, IsTheDiscsOwnProgramHeldUntilItHasRun) {
    fakes::FakeFileSystem files;
    fakes::FakeProcesses processes;
    processes.modulePath = R"(C:\Temp\discmenu.0123456789abcdef\Install.exe)";
    files.files[R"(D:\Install.exe)"] = "program";
    bool heldWhileRunning = false;
    processes.whileRunningElevated = [&](const std::string& program) {
        heldWhileRunning = files.IsHeld(program);
    };
    const auto run =
        usb::RunHeldElevated(files, processes, nullptr, R"(D:\)", "-RegisterPackages first");
    EXPECT_TRUE(run);
    EXPECT_TRUE(heldWhileRunning);
    EXPECT_EQ(files.holds, std::vector<std::string>{R"(D:\|D:\Install.exe)"})
        << "only the program itself is checked: the disc is trusted";
    EXPECT_EQ(processes.ranElevated,
              std::vector<std::string>{R"(D:\Install.exe -RegisterPackages first)"});
    EXPECT_FALSE(files.IsHeld(R"(D:\Install.exe)")) << "let go once the copy has ended";

    // The disc is out: nothing is started, and the system's reason is reported.
    files.files.clear();
    processes.ranElevated.clear();
    const auto missing = usb::RunHeldElevated(files, processes, nullptr, R"(D:\)", "x");
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.error.code, 2u);
    EXPECT_TRUE(processes.ranElevated.empty());
}

struct CopyRow {
    std::vector<std::string> arguments;
    unsigned long exitCode;
    std::vector<std::string> registered;
};

// A folder that the registry holds with a backslash at its end gives a doubled one.
const char kDoubled[] = R"(C:\Program Files\Ormix\\RKVU021\ser2pl.inf)";

TEST(ElevatedCopy, RegistersOnlyThePackagesItsSelectorsName) {
    const std::vector<CopyRow> rows{
        {{"-RegisterPackages", "first"}, 0, {kFirstInf}},
        {{"-RegisterPackages", "second"}, 0, {kSecondInf}},
        {{"-RegisterPackages", "first", "second"}, 0, {kFirstInf, kSecondInf}},
        {{"-RegisterPackages", "second", "first"}, 0, {kSecondInf, kFirstInf}},
        {{"-registerpackages", "FIRST"}, 0, {kFirstInf}},
        // Paths are refused, even the very paths of the packages.
        {{"-RegisterPackages", kFirstInf}, 5, {}},
        {{"-RegisterPackages", R"(C:\Program Files\Ormix\Data\Zz.inf)"}, 5, {}},
        {{"-RegisterPackages", "first", R"(C:\Windows\INF\other.inf)"}, 5, {}},
        // Unknown or repeated selectors, and anything else on the command line.
        {{"-RegisterPackages", "third"}, 5, {}},
        {{"-RegisterPackages", "first", "first"}, 5, {}},
        {{"-RegisterPackages", "first", "second", "first"}, 5, {}},
        {{"-RegisterPackages", ""}, 5, {}},
        {{"-RegisterPackages"}, 5, {}},
        {{R"(E:\x.inf)", "-RegisterPackages", "first"}, 5, {}},
        {{"-RegisterPackages", "first", "-InfPath", R"(D:\)"}, 5, {}},
        {{"-InfPath", R"(D:\)", "-RegisterPackages", "first"}, 5, {}},
        {{"-RegisterPackages", "-RegisterPackages", "first"}, 5, {}},
        {{}, 5, {}},
    };
    for (const CopyRow& row : rows) {
        SCOPED_TRACE(row.arguments.empty() ? "no argument" : row.arguments.back());
        fakes::FakeRegistry registry;
        registry.SetString(kInstallKey, "WBPATH", kFolder);
        fakes::FakeFileSystem files;
        for (const char* path : {kFirstInf, kSecondInf, R"(C:\Windows\INF\other.inf)",
                                 R"(C:\Program Files\Ormix\Data\Zz.inf)"}) {
            files.files[path] = "";
        }
        fakes::FakeDriverStore store;
        EXPECT_EQ(usb::RegisterPackagesAsAdministrator(row.arguments, registry, files, store),
                  row.exitCode);
        EXPECT_EQ(store.registered, row.registered);
    }
}

// The packages it registers, under the product's folder as HKLM holds it.
TEST(ElevatedCopy, FindsThePackagesUnderTheFolderThatTheRegistryNames) {
    fakes::FakeDriverStore store;
    fakes::FakeRegistry registry;
    fakes::FakeFileSystem files;
    files.files[kDoubled] = "";
    registry.SetString(kInstallKey, "WBPATH", std::string(kFolder) + "\\");
    EXPECT_EQ(usb::RegisterPackagesAsAdministrator({"-RegisterPackages", "first"}, registry, files,
                                                   store),
              0u);
    EXPECT_EQ(store.registered, std::vector<std::string>{kDoubled});
    EXPECT_EQ(files.holds, std::vector<std::string>{std::string("|") + kDoubled})
        << "held from the drive's root, every step checked";
}

TEST(ElevatedCopy, RefusesAnExpandableFolderAFileReachedThroughALinkAndAMissingFile) {
    const struct Row {
        const char* what;
        std::function<void(fakes::FakeRegistry&, fakes::FakeFileSystem&)> arrange;
        unsigned long exitCode;
    } rows[] = {
        {"the folder as %VARIABLE%, expanded with the user's environment",
         [](fakes::FakeRegistry& registry, fakes::FakeFileSystem&) {
             registry.SetExpandable(kInstallKey, "WBPATH", kFolder);
         },
         5},
        {"a link on the way to the second package",
         [](fakes::FakeRegistry&, fakes::FakeFileSystem& files) {
             files.linksOnTheWay.insert(kSecondInf);
         },
         5},
        {"the second package missing",
         [](fakes::FakeRegistry&, fakes::FakeFileSystem& files) { files.files.erase(kSecondInf); },
         5},
        {"no product folder",
         [](fakes::FakeRegistry& registry, fakes::FakeFileSystem&) {
             registry = fakes::FakeRegistry();
         },
         3},
        {"the folder not a string",
         [](fakes::FakeRegistry& registry, fakes::FakeFileSystem&) {
             registry.SetBinary(kInstallKey, "WBPATH", "C:\\Program Files\\Ormix");
         },
         3},
    };
    for (const Row& row : rows) {
        fakes::FakeRegistry registry;
        registry.SetString(kInstallKey, "WBPATH", kFolder);
        fakes::FakeFileSystem files;
        files.files[kFirstInf] = "";
        files.files[kSecondInf] = "";
        row.arrange(registry, files);
        fakes::FakeDriverStore store;
        EXPECT_EQ(usb::RegisterPackagesAsAdministrator({"-RegisterPackages", "first", "second"},
                                                       registry, files, store),
                  row.exitCode)
            << row.what;
        EXPECT_TRUE(store.registered.empty()) << row.what << ": one refused, none registered";
    }
}

TEST(ElevatedCopy, RegistersEachFileWhileItIsHeld) {
    fakes::FakeRegistry registry;
    registry.SetString(kInstallKey, "WBPATH", kFolder);
    fakes::FakeFileSystem files;
    files.files[kFirstInf] = "package";
    files.swaps[kFirstInf] = "swapped";
    fakes::FakeDriverStore store;
    std::vector<bool> heldAtRegistration;
    store.onRegister = [&](const std::string& path) {
        heldAtRegistration.push_back(files.IsHeld(path));
        EXPECT_EQ(files.files[path], "swapped") << "a swap can only come before the hold";
    };
    EXPECT_EQ(usb::RegisterPackagesAsAdministrator({"-RegisterPackages", "first"}, registry, files,
                                                   store),
              0u);
    EXPECT_EQ(heldAtRegistration, std::vector<bool>{true});
    EXPECT_FALSE(files.IsHeld(kFirstInf));
}

TEST(ElevatedCopy, EndsWithTheLastRegistrationErrorOrPathNotFoundWithoutTheFolder) {
    fakes::FakeRegistry registry;
    fakes::FakeFileSystem files;
    files.files[kFirstInf] = "";
    files.files[kSecondInf] = "";
    fakes::FakeDriverStore store;
    EXPECT_EQ(usb::RegisterPackagesAsAdministrator({"-RegisterPackages", "first"}, registry, files,
                                                   store),
              3u);
    EXPECT_TRUE(store.registered.empty());

    registry.SetString(kInstallKey, "WBPATH", kFolder);
    store.results[kFirstInf] = platform::Outcome::Failure(0xE000022Fu);
    EXPECT_EQ(usb::RegisterPackagesAsAdministrator({"-RegisterPackages", "first", "second"},
                                                   registry, files, store),
              0xE000022Fu);
    EXPECT_EQ(store.registered, (std::vector<std::string>{kFirstInf, kSecondInf}));
}

} // namespace
