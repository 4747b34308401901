// Splitting of the command line and the recognition of the launcher directory.

#include "app/InstallCommandLineInfo.h"
#include "framework/CommandLineInfo.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, SplitsLikeTheCRuntime) {
    EXPECT_EQ(SplitCommandLine(R"(C:\a\Install.exe)"), Args({R"(C:\a\Install.exe)"}));
    EXPECT_EQ(SplitCommandLine(R"("C:\My Disc\Install.exe" -InfPath "D:\Setup\")"),
              Args({R"(C:\My Disc\Install.exe)", "-InfPath", R"(D:\Setup")"}));
    // Backslashes are literal unless they precede a double quote.
    EXPECT_EQ(SplitCommandLine(R"(x a\\b "c d" e\"f g\\"h i")"),
              Args({"x", R"(a\\b)", "c d", R"(e"f)", R"(g\h i)"}));
    EXPECT_EQ(SplitCommandLine("x  \t a   b  "), Args({"x", "a", "b"}));
    EXPECT_EQ(SplitCommandLine(R"(x "" "a""b")"), Args({"x", "", R"(a"b)"}));
    // The program's path keeps its backslashes even before a quote.
    EXPECT_EQ(SplitCommandLine(R"("C:\dir\"x)"), Args({R"(C:\dir\)", "x"}));
}

struct Parsed {
    std::string lastFlag;
    std::string infPath;
};

Parsed Parse(const std::string& commandLine) {
    CInstallCommandLineInfo info;
    ParseCommandLine(commandLine, info);
    return {info.m_strLastFlag, info.m_strInfPath};
}

TEST(InstallCommandLineInfo, QuotedRootArrivesWithItsClosingQuoteAndIsRepaired) {
    // "D:\" reaches the program as D:" because the backslash escapes the closing quote.
    EXPECT_EQ(Parse(R"(Install.exe -InfPath "D:\")").infPath, R"(D:\)");
    EXPECT_EQ(Parse(R"(Install.exe -InfPath D:\)").infPath, R"(D:\)");
}

TEST(InstallCommandLineInfo, FlagIsCaseFreeWithSlashOrHyphen) {
    const Parsed parsed = Parse(R"(Install.exe /INFPATH D:\Setup)");
    EXPECT_EQ(parsed.infPath, R"(D:\Setup\)");
    EXPECT_EQ(parsed.lastFlag, "INFPATH");
}

TEST(InstallCommandLineInfo, FlagWithoutValueLeavesItEmpty) {
    EXPECT_EQ(Parse("Install.exe -InfPath").infPath, "");
    EXPECT_EQ(Parse("Install.exe").infPath, "");
}

TEST(InstallCommandLineInfo, OtherFlagsAreIgnoredAndTheLastValueWins) {
    const Parsed parsed = Parse("Install.exe -InfPath A -X B");
    EXPECT_EQ(parsed.infPath, "B\\");
    EXPECT_EQ(parsed.lastFlag, "InfPath");
}

TEST(InstallCommandLineInfo, PlainArgumentsBeforeTheFlagAreIgnored) {
    EXPECT_EQ(Parse(R"(Install.exe E:\ -X)").infPath, "");
    EXPECT_EQ(Parse(R"(Install.exe E:\ -InfPath F:\)").infPath, R"(F:\)");
}

TEST(InstallCommandLineInfo, AllQuotesAroundTheValueAreRemoved) {
    EXPECT_EQ(Parse(R"(Install.exe -InfPath \"\"D:\Disc\"\")").infPath, R"(D:\Disc\)");
}

TEST(InstallCommandLineInfo, TheElevatedCopysSwitchKeepsEveryArgumentForTheCopyToCheck) {
    CInstallCommandLineInfo info;
    ParseCommandLine(R"("C:\T\Install.exe" E:\x.inf -registerpackages first "C:\P\b.inf" /X)",
                     info);
    EXPECT_TRUE(info.m_bRegisterPackages);
    EXPECT_EQ(info.m_arguments,
              Args({R"(E:\x.inf)", "-registerpackages", "first", R"(C:\P\b.inf)", "-X"}));
    EXPECT_EQ(info.m_strInfPath, "") << "the copy shows no menu";

    CInstallCommandLineInfo menu;
    ParseCommandLine(R"(Install.exe -InfPath D:\ a.inf)", menu);
    EXPECT_FALSE(menu.m_bRegisterPackages);
    EXPECT_EQ(menu.m_arguments, Args({"-InfPath", R"(D:\)", "a.inf"}));
}

} // namespace
