// The browser version that the Java runtime needs, its installation, and the product check.

#include "menu/Prerequisites.h"
#include "fakes/FakePageWindow.h"
#include "menu/Versions.h"
#include "res/Product.h"

#include <gtest/gtest.h>

namespace {

const char kBrowserKey[] = "SOFTWARE\\Microsoft\\Internet Explorer";
const char kInstallKey[] = "SOFTWARE\\Brenlow\\Ormix-Frame\\Install";
const char kOptionsKey[] = "SOFTWARE\\Brenlow\\Ormix-Frame\\Options";
const std::string kInstaller = "j2re-1_4_1_01-windows-i586-i.exe";

TEST(Versions, AreComparedNumberByNumber) {
    const char* minimum = "5.50.4807.2300";
    for (const char* newer : {"5.50.4807.2300", "6.0.2900.2180", "5.50.4807.3000",
                              "10.0.9200.16384", "11.0", "5.50.4807.2300.1"}) {
        EXPECT_GE(CompareDottedVersions(newer, minimum), 0) << newer;
    }
    for (const char* older : {"5.50.4807.2299", "5.00.3700.1000", "5.50.4807.23", "5.5", "", "abc",
                              "6.0 beta", "6..0", "-7.0"}) {
        EXPECT_LT(CompareDottedVersions(older, minimum), 0) << older;
    }
    EXPECT_EQ(CompareDottedVersions("5.50", "5.50.0.0"), 0);
    EXPECT_GT(CompareDottedVersions("99999999999999999999.0", "5.50"), 0) << "no overflow";
}

TEST(Prerequisites, AnotherBrandsProductByItsOwnKeysAndVersion) {
    product::UseBrand(product::ReadBrand("[Registry]\nInstallKey=SOFTWARE\\Tessel\\Quarry\n"
                                         "VersionKey=SOFTWARE\\Tessel\\Quarry\\Options\n"
                                         "Version=2.0\nView=32\n"));
    fakes::FakeRegistry sample;
    sample.AddKey(kInstallKey);
    sample.SetString(kOptionsKey, "Version", "4.4.0");
    const bool sampleSeen = prerequisites::IsProductInstalled(sample);
    fakes::FakeRegistry own;
    own.AddKey("SOFTWARE\\Tessel\\Quarry");
    own.SetString("SOFTWARE\\Tessel\\Quarry\\Options", "Version", "2.0");
    const bool ownSeen = prerequisites::IsProductInstalled(own);
    const registry_views::Choice view = product::CurrentBrand().view;
    product::UseBrand(product::SampleBrand());
    EXPECT_FALSE(sampleSeen) << "the sample product's keys are not the brand's";
    EXPECT_TRUE(ownSeen);
    EXPECT_EQ(view, registry_views::Choice::Only32);
    EXPECT_EQ(product::CurrentBrand().installKey, kInstallKey) << "the sample's again";
}

TEST(Prerequisites, TheBrowserMustBeAtLeast55Sp2) {
    const std::pair<std::optional<std::string>, bool> cases[] = {
        {"10.0.9200.16384", true},
        {"5.50.4807.2300", true},
        {"5.50.4807.2299", false},
        {"5.00.3700.1000", false},
        {"", false},
        {"unknown", false},
        {std::nullopt, false},
        {std::string(32, '9'), false}}; // too long for its buffer
    for (const auto& [version, recent] : cases) {
        fakes::FakeRegistry registry;
        if (version) {
            registry.SetString(kBrowserKey, "Version", *version);
        }
        EXPECT_EQ(prerequisites::IsBrowserRecentEnough(registry), recent) << version.value_or("-");
    }
}

TEST(Prerequisites, OnlyTheInstalledProductInVersion440) {
    const std::pair<const char*, bool> cases[] = {{"4.4.0", true},    {"4.4.1", false},
                                                  {"4.5.0", false},   {"4.4", false},
                                                  {"4.4.0.0", false}, {"4.4.0.00000", false}};
    for (const auto& [version, installed] : cases) {
        fakes::FakeRegistry registry;
        registry.SetString(kOptionsKey, "Version", version);
        EXPECT_FALSE(prerequisites::IsProductInstalled(registry)) << "the Install key is missing";
        registry.AddKey(kInstallKey);
        EXPECT_EQ(prerequisites::IsProductInstalled(registry), installed) << version;
    }
}

// A 32-bit program on 64-bit Windows: a product set up by a 64-bit program keeps its keys in
// the 64-bit view, one set up by a 32-bit program in the 32-bit view; either is found.
TEST(Prerequisites, TheProductIsFoundInEitherViewOf64BitWindows) {
    struct Case {
        bool twoViews;
        bool install64, install32;
        const char* version64;
        const char* version32;
        bool installed;
    };
    const Case cases[] = {
        {true, true, false, "4.4.0", nullptr, true},
        {true, false, true, nullptr, "4.4.0", true},
        {true, true, false, nullptr, "4.4.0", true}, // each key where it is
        {true, false, true, "4.4.0", nullptr, true},
        {true, true, true, "4.4.1", "4.4.0", false}, // the 64-bit view's version first
        {true, false, false, "4.4.0", "4.4.0", false},
        // 32-bit Windows: its one view, as the program's own.
        {false, true, false, "4.4.0", nullptr, false},
        {false, false, true, nullptr, "4.4.0", true},
    };
    for (const Case& c : cases) {
        fakes::FakeRegistry registry;
        registry.twoViews = c.twoViews;
        if (c.install64) {
            registry.AddKey64(kInstallKey);
        }
        if (c.install32) {
            registry.AddKey(kInstallKey);
        }
        if (c.version64 != nullptr) {
            registry.SetString64(kOptionsKey, "Version", c.version64);
        }
        if (c.version32 != nullptr) {
            registry.SetString(kOptionsKey, "Version", c.version32);
        }
        EXPECT_EQ(prerequisites::IsProductInstalled(registry), c.installed)
            << c.twoViews << c.install64 << c.install32 << " " << (c.version64 ? c.version64 : "-")
            << " " << (c.version32 ? c.version32 : "-");
    }
}

TEST(Prerequisites, TheBrowserVersionIsReadInTheProgramsOwnView) {
    fakes::FakeRegistry registry;
    registry.twoViews = true;
    registry.SetString64(kBrowserKey, "Version", "11.0.9600.0");
    EXPECT_FALSE(prerequisites::IsBrowserRecentEnough(registry)) << "the other architecture's";
    registry.SetString(kBrowserKey, "Version", "11.0.9600.0");
    EXPECT_TRUE(prerequisites::IsBrowserRecentEnough(registry));
    for (const platform::RegistryView view : registry.viewsAsked) {
        EXPECT_EQ(view, platform::RegistryView::Own);
    }
}

TEST(Prerequisites, TheRuntimeIsCopiedAndOnlyThatCopyStartedQuoted) {
    fakes::FakeMenuServices services;
    services.files.files["D:\\SunInstall\\" + kInstaller] = "installer";
    const auto install = [&services] {
        return prerequisites::InstallJavaRuntime(
            "D:\\", {services.files, services.processes, services.strings, services.errors});
    };
    // Each copy goes to a new folder of its own and starts there.
    const std::string first = "C:\\Temp\\discmenu.0000000000000001\\";
    EXPECT_EQ(install(), std::nullopt);
    EXPECT_EQ(services.files.files[first + kInstaller], "installer");
    EXPECT_EQ(services.processes.startedShown,
              (std::vector<std::string>{"\"" + first + kInstaller + "\""}));
    EXPECT_EQ(services.processes.startedShownIn, std::vector<std::string>{first});

    // Held from its comparison with the disc's file until it has started; a copy changed before
    // that (by another program of the user's) is not started.
    bool heldWhileStarting = false;
    services.processes.whileStartingShown = [&](const std::string&) {
        heldWhileStarting =
            services.files.IsHeld("C:\\Temp\\discmenu.0000000000000002\\" + kInstaller);
    };
    EXPECT_EQ(install(), std::nullopt);
    EXPECT_TRUE(heldWhileStarting);
    EXPECT_EQ(services.files.holds.back(),
              "C:\\Temp\\|C:\\Temp\\discmenu.0000000000000002\\" + kInstaller);
    EXPECT_FALSE(services.files.IsHeld("C:\\Temp\\discmenu.0000000000000002\\" + kInstaller));
    services.files.swaps["C:\\Temp\\discmenu.0000000000000003\\" + kInstaller] = "planted";
    EXPECT_EQ(install(), "Can not copy D:\\SunInstall\\" + kInstaller +
                             " to C:\\Temp\\discmenu.0000000000000003\\" + kInstaller +
                             ".\r\n\r\nerror 13");
    EXPECT_EQ(services.processes.startedShown.size(), 2u) << "the changed copy is not started";

    // A failed copy never starts an older file, and says why.
    services.files.files.erase("D:\\SunInstall\\" + kInstaller);
    EXPECT_EQ(install(), "Can not copy D:\\SunInstall\\" + kInstaller +
                             " to C:\\Temp\\discmenu.0000000000000004\\" + kInstaller +
                             ".\r\n\r\nAccess is denied.\r\n");
    EXPECT_EQ(services.processes.startedShown.size(), 2u);

    services.files.files["D:\\SunInstall\\" + kInstaller] = "installer";
    services.processes.startSucceeds = false;
    EXPECT_EQ(install(), "Can not start C:\\Temp\\discmenu.0000000000000005\\" + kInstaller +
                             ".\r\n\r\nAccess is denied.\r\n");
    services.files.foldersCanBeMade = false;
    EXPECT_EQ(install(), "Can not copy D:\\SunInstall\\" + kInstaller +
                             ": the temporary folder is not available.\r\n\r\nAccess is "
                             "denied.\r\n");
    services.files.tempFolder.reset();
    EXPECT_EQ(install(), "Can not copy D:\\SunInstall\\" + kInstaller +
                             ": the temporary folder is not available.");
}

} // namespace
