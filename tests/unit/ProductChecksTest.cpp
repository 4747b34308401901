// The browser version that the Java runtime needs, its installation, and the product check.

#include "fakes/FakeMenuPage.h"
#include "menu/Versions.h"

#include <gtest/gtest.h>

namespace {

const char kBrowserKey[] = "SOFTWARE\\Microsoft\\Internet Explorer";
const char kInstallKey[] = "SOFTWARE\\Brenlow\\Ormix-Frame\\Install";
const char kOptionsKey[] = "SOFTWARE\\Brenlow\\Ormix-Frame\\Options";
const char kInstaller[] = "j2re-1_4_1_01-windows-i586-i.exe";

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

class ProductChecksTest : public ::testing::Test {
protected:
    ProductChecksTest() {
        page.m_strLauncherDir = "D:\\";
        page.m_texts.m_strWarning = "old browser";
        page.m_texts.m_strTitle = "Warning";
        page.m_texts.m_strNoVdInstall = "install the product";
        services.files.files[std::string("D:\\SunInstall\\") + kInstaller] = "installer";
    }
    void SetBrowser(const std::string& version) {
        services.registry.SetString(kBrowserKey, "Version", version);
    }

    fakes::FakeMenuServices services;
    fakes::FakeMenuPage page{"Main Dialog", services};
};

TEST_F(ProductChecksTest, ANewEnoughBrowserGetsTheRuntimeCopiedAndStartedQuoted) {
    SetBrowser("10.0.9200.16384");
    page.InstallJavaRuntime();
    EXPECT_TRUE(services.ui.shown.empty());
    EXPECT_EQ(services.files.files[std::string("C:\\Temp\\") + kInstaller], "installer");
    EXPECT_EQ(services.processes.startedShown,
              (std::vector<std::string>{std::string("\"C:\\Temp\\") + kInstaller + "\""}));
    // A second click copies and starts it again.
    page.InstallJavaRuntime();
    EXPECT_EQ(services.processes.startedShown.size(), 2u);
}

TEST_F(ProductChecksTest, AnOldOrUnreadableBrowserGetsTheWarningAndNothingElse) {
    for (const char* version : {"5.50.4807.2299", "5.00.3700.1000", "", "unknown"}) {
        SetBrowser(version);
        services.ui = {};
        page.InstallJavaRuntime();
        ASSERT_EQ(services.ui.shown.size(), 1u) << version;
        EXPECT_EQ(services.ui.shown[0].text, "old browser");
        EXPECT_EQ(services.ui.shown[0].caption, std::optional<std::string>("Warning"));
        EXPECT_EQ(services.ui.shown[0].style, 0x10u);
    }
    services.registry.values.clear();
    services.ui = {};
    page.InstallJavaRuntime();
    EXPECT_EQ(services.ui.shown.size(), 1u) << "no version at all";
    SetBrowser(std::string(32, '9'));
    services.ui = {};
    page.InstallJavaRuntime();
    EXPECT_EQ(services.ui.shown.size(), 1u) << "too long for its 32-byte buffer";
    EXPECT_TRUE(services.processes.startedShown.empty());
}

TEST_F(ProductChecksTest, AFailedCopyNeverStartsAnOlderFileAndSaysWhy) {
    SetBrowser("6.0.2900.2180");
    const std::string planted = std::string("C:\\Temp\\") + kInstaller;
    services.files.files[planted] = "planted";
    services.files.files.erase(std::string("D:\\SunInstall\\") + kInstaller);
    page.InstallJavaRuntime();
    EXPECT_TRUE(services.processes.startedShown.empty());
    ASSERT_EQ(services.ui.shown.size(), 1u);
    EXPECT_EQ(services.ui.shown[0].caption, std::optional<std::string>("Error"));
    EXPECT_NE(services.ui.shown[0].text.find("D:\\SunInstall\\j2re-1_4_1_01-windows-i586-i.exe"),
              std::string::npos);
    EXPECT_NE(services.ui.shown[0].text.find("Access is denied."), std::string::npos);
}

TEST_F(ProductChecksTest, AFailedStartOrNoTemporaryFolderIsReported) {
    SetBrowser("6.0");
    services.processes.startSucceeds = false;
    page.InstallJavaRuntime();
    ASSERT_EQ(services.ui.shown.size(), 1u);
    EXPECT_EQ(services.ui.shown[0].caption, std::optional<std::string>("Error"));
    EXPECT_NE(services.ui.shown[0].text.find("Access is denied."), std::string::npos);

    services.ui = {};
    services.files.tempFolder.reset();
    page.InstallJavaRuntime();
    ASSERT_EQ(services.ui.shown.size(), 1u);
    EXPECT_NE(services.ui.shown[0].text.find(kInstaller), std::string::npos);
}

TEST_F(ProductChecksTest, OnlyTheInstalledProductInVersion440Passes) {
    EXPECT_FALSE(page.IsProductInstalled());
    ASSERT_EQ(services.ui.shown.size(), 1u);
    EXPECT_EQ(services.ui.shown[0].text, "install the product");
    EXPECT_EQ(services.ui.shown[0].caption, std::nullopt) << "the application's name";
    EXPECT_EQ(services.ui.shown[0].style, 0u);

    services.registry.SetString(kOptionsKey, "Version", "4.4.0");
    EXPECT_FALSE(page.IsProductInstalled()) << "the Install key is missing";
    services.registry.AddKey(kInstallKey);
    services.ui = {};
    EXPECT_TRUE(page.IsProductInstalled());
    EXPECT_TRUE(services.ui.shown.empty());

    for (const char* version : {"4.4.1", "4.5.0", "4.4", "4.4.0.0", "4.4.0.00000"}) {
        services.registry.SetString(kOptionsKey, "Version", version);
        EXPECT_FALSE(page.IsProductInstalled()) << version;
    }
}

} // namespace
