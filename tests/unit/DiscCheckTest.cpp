// The disc check and its Retry/Cancel prompt.

#include "fakes/FakeMenuPage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class DiscCheckTest : public ::testing::Test {
protected:
    DiscCheckTest() {
        page.m_strLauncherDir = "D:\\";
        page.m_texts.m_strTitle = "Achtung";
        page.m_texts.m_strNoMediaInDevice = "Bitte CD einlegen";
    }
    ~DiscCheckTest() override {
        if (!m_config.empty()) {
            fs::remove(m_config);
        }
    }
    void WriteConfiguration(const std::string& content) {
        m_config = (fs::temp_directory_path() / "discmenu-diskid.inf").string();
        std::ofstream(m_config, std::ios::binary) << content;
        page.m_strConfigPath = m_config;
    }
    std::vector<std::string> Prompts() const {
        std::vector<std::string> texts;
        for (const auto& shown : services.ui.shown) {
            texts.push_back(shown.text);
        }
        return texts;
    }

    std::string m_config;
    fakes::FakeMenuServices services;
    fakes::FakeMenuPage page{"Main Dialog", services};
};

TEST_F(DiscCheckTest, NoDiscIdIsARefusalWithoutPrompt) {
    EXPECT_FALSE(page.CheckDisk(""));
    EXPECT_TRUE(services.ui.shown.empty());
}

TEST_F(DiscCheckTest, TheRightDiscPassesAtOnce) {
    services.files.files["D:\\Disk1\\disk1.id"] = "";
    EXPECT_TRUE(page.CheckDisk("Disk1\\disk1.id"));
    services.files.patterns.insert("D:\\Disk2\\*.cab");
    EXPECT_TRUE(page.CheckDisk("Disk2\\*.cab")) << "a wildcard pattern is searched as such";
    EXPECT_TRUE(services.ui.shown.empty());
}

TEST_F(DiscCheckTest, RetryUntilTheDiscIsThere) {
    using platform::mb::kIdRetry;
    services.ui.answers = {kIdRetry, kIdRetry, kIdRetry, platform::mb::kIdCancel};
    services.ui.onShow = [this](std::size_t count) {
        if (count == 3) {
            services.files.files["D:\\Disk1\\disk1.id"] = ""; // inserted before the third Retry
        }
    };
    EXPECT_TRUE(page.CheckDisk("Disk1\\disk1.id"));
    ASSERT_EQ(services.ui.shown.size(), 3u);
    for (const auto& prompt : services.ui.shown) {
        EXPECT_EQ(prompt.text, "Bitte CD einlegen");
        EXPECT_EQ(prompt.caption, std::optional<std::string>("Achtung"));
        EXPECT_EQ(prompt.style, 0x10035u);
        EXPECT_EQ(prompt.owner, page.GetWindowRef());
    }
}

TEST_F(DiscCheckTest, CancelAtAnyPromptRefuses) {
    services.ui.answers = {platform::mb::kIdRetry, platform::mb::kIdCancel};
    EXPECT_FALSE(page.CheckDisk("Disk1\\disk1.id"));
    EXPECT_EQ(services.ui.shown.size(), 2u);
}

TEST_F(DiscCheckTest, ThePromptComesFromTheDiscIdSectionLookedUpAnewEachTime) {
    WriteConfiguration("[DISKID]\r\nDisk1\\disk1.id=Insert disc 1 of 2\r\nDisk2\\x.id=\r\n");
    services.ui.answers = {platform::mb::kIdRetry, platform::mb::kIdCancel};
    services.ui.onShow = [this](std::size_t count) {
        if (count == 1) {
            std::ofstream(m_config, std::ios::binary) << "[DISKID]\nDisk1\\disk1.id=Changed\n";
        }
    };
    EXPECT_FALSE(page.CheckDisk("Disk1\\disk1.id"));
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Insert disc 1 of 2", "Changed"}));

    services.ui = {};
    services.ui.answers = {platform::mb::kIdCancel};
    EXPECT_FALSE(page.CheckDisk("Disk2\\x.id"));
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Bitte CD einlegen"})) << "an empty value";
}

TEST_F(DiscCheckTest, WithoutAnyTextTheBuiltInPromptIsUsed) {
    page.m_texts.m_strNoMediaInDevice.clear();
    services.ui.answers = {platform::mb::kIdCancel};
    EXPECT_FALSE(page.CheckDisk("Disk1\\disk1.id"));
    EXPECT_EQ(Prompts(), (std::vector<std::string>{services.strings.Load(1017)}));
}

} // namespace
