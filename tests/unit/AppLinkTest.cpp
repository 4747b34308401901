// Application links of the manuals pages: what a URL means, and opening a document through
// the shell.

#include "docs/AppLink.h"
#include "fakes/FakeDocumentServices.h"

#include <gtest/gtest.h>

namespace {

using applink::Action;
using Kind = applink::Action::Kind;

const std::string kDocs = "X:\\Documentation\\English";

TEST(AppLinkCommand, IsTheTextAfterThePrefixInAnyCase) {
    EXPECT_EQ(applink::CommandOf("app:return"), "return");
    EXPECT_EQ(applink::CommandOf("APP:Manual.pdf"), "Manual.pdf");
    EXPECT_EQ(applink::CommandOf("App:x"), "x");
    EXPECT_EQ(applink::CommandOf("aPp:"), "");
    EXPECT_FALSE(applink::CommandOf("app").has_value());
    EXPECT_FALSE(applink::CommandOf("ap:p").has_value());
    EXPECT_FALSE(applink::CommandOf(" app:x").has_value()) << "the prefix must come first";
    EXPECT_FALSE(applink::CommandOf("").has_value());
}

TEST(AppLinkDecision, ReturnInAnyCaseCloses) {
    for (const char* url : {"app:return", "app:RETURN", "APP:Return", "App:reTurn"}) {
        const Action action = applink::DecideUrl(kDocs, url);
        EXPECT_EQ(action.kind, Kind::Close) << url;
    }
}

TEST(AppLinkDecision, ReturnWithAnythingAroundItIsADocument) {
    EXPECT_EQ(applink::DecideUrl(kDocs, "app:return ").kind, Kind::Open);
    EXPECT_EQ(applink::DecideUrl(kDocs, "app:return ").path, kDocs + "\\return ");
    EXPECT_EQ(applink::DecideUrl(kDocs, "app:return/x").path, kDocs + "\\return/x");
    EXPECT_EQ(applink::DecideUrl(kDocs, "app: return").path, kDocs + "\\ return");
    EXPECT_EQ(applink::DecideUrl(kDocs, "app:returns").path, kDocs + "\\returns");
}

TEST(AppLinkDecision, ANameWithoutBackslashLiesInTheDocumentFolder) {
    const Action action = applink::DecideUrl(kDocs, "app:Manual.pdf");
    EXPECT_EQ(action.kind, Kind::Open);
    EXPECT_EQ(action.path, "X:\\Documentation\\English\\Manual.pdf")
        << "not beside the list page in its HTML folder";
    EXPECT_EQ(applink::DecideUrl(kDocs, "app:sub/a.pdf").path,
              "X:\\Documentation\\English\\sub/a.pdf")
        << "forward slashes are no separators";
    EXPECT_EQ(applink::DecideUrl(kDocs, "APP:Drivers/UsbCable.pdf").path,
              kDocs + "\\Drivers/UsbCable.pdf");
}

TEST(AppLinkDecision, APathWithABackslashStandsAsItIs) {
    EXPECT_EQ(applink::DecideUrl(kDocs, "app:X:\\Docs\\a.pdf").path, "X:\\Docs\\a.pdf");
    EXPECT_EQ(applink::DecideUrl(kDocs, "app:sub\\a.pdf").path, "sub\\a.pdf");
    EXPECT_EQ(applink::DecideUrl(kDocs, "app:\\\\server\\share\\a.pdf").path,
              "\\\\server\\share\\a.pdf");
}

TEST(AppLinkDecision, ThePrefixAloneIsTheDocumentFolderNotAClose) {
    const Action action = applink::DecideUrl(kDocs, "app:");
    EXPECT_EQ(action.kind, Kind::Open);
    EXPECT_EQ(action.path, kDocs + "\\");
}

TEST(AppLinkDecision, EscapesAreKept) {
    EXPECT_EQ(applink::DecideUrl(kDocs, "app:User%20Manual.pdf").path,
              kDocs + "\\User%20Manual.pdf");
    EXPECT_EQ(applink::DecideUrl(kDocs, "app:%72eturn").kind, Kind::Open)
        << "an escaped letter makes no close";
}

TEST(AppLinkDecision, OrdinaryUrlsNavigate) {
    for (const char* url :
         {"http://www.example.com/", "file:///X:/Documentation/English/HTML/manulist.htm",
          "X:\\Documentation\\English\\HTML\\manulist.htm", "about:blank", "#top", "ap", "",
          "javascript:void(0)", "apps:return"}) {
        EXPECT_EQ(applink::DecideUrl(kDocs, url).kind, Kind::Navigate) << url;
    }
}

TEST(AppLinkDecision, CommandsAloneDecideAsTheirLinks) {
    EXPECT_EQ(applink::DecideCommand(kDocs, "Return").kind, Kind::Close);
    EXPECT_EQ(applink::DecideCommand(kDocs, "a.pdf").path, kDocs + "\\a.pdf");
    EXPECT_EQ(applink::DecideCommand("", "a.pdf").path, "\\a.pdf");
}

class OpenDocumentTest : public ::testing::Test {
protected:
    fakes::FakeDocumentServices fakes;
    DocumentServices services = fakes.Get();
    platform::WindowRef active = reinterpret_cast<platform::WindowRef>(0x1234);
    platform::WindowRef control = reinterpret_cast<platform::WindowRef>(0x5678);
};

TEST_F(OpenDocumentTest, HandsTheQuotedPathToTheAssociatedProgramOwnedByTheActiveWindow) {
    const std::string path = "X:\\Documentation\\English\\User Manual.pdf";
    fakes.shell.associations[path] = "C:\\Program Files\\Reader\\reader.exe";
    EXPECT_TRUE(applink::OpenDocument(services, active, control, path));
    ASSERT_EQ(fakes.shell.opened.size(), 1u);
    EXPECT_EQ(fakes.shell.opened[0].owner, active);
    EXPECT_EQ(fakes.shell.opened[0].file, "C:\\Program Files\\Reader\\reader.exe");
    EXPECT_EQ(fakes.shell.opened[0].parameters,
              std::optional<std::string>("\"X:\\Documentation\\English\\User Manual.pdf\""));
    EXPECT_TRUE(fakes.ui.shown.empty());
}

TEST_F(OpenDocumentTest, AFailingStartOfTheProgramIsNotReported) {
    const std::string path = "X:\\a.pdf";
    fakes.shell.associations[path] = "C:\\reader.exe";
    fakes.shell.failures["C:\\reader.exe"] = 2;
    EXPECT_TRUE(applink::OpenDocument(services, active, control, path));
    EXPECT_EQ(fakes.shell.opened.size(), 1u);
    EXPECT_TRUE(fakes.ui.shown.empty());
}

TEST_F(OpenDocumentTest, WithoutAnAssociatedProgramWarnsWithThePathAndOpensNothing) {
    const std::string path = "X:\\Documentation\\English\\Manual.xyz";
    EXPECT_FALSE(applink::OpenDocument(services, active, control, path));
    EXPECT_TRUE(fakes.shell.opened.empty());
    ASSERT_EQ(fakes.ui.shown.size(), 1u);
    const fakes::ShownMessage& shown = fakes.ui.shown[0];
    EXPECT_EQ(shown.owner, control) << "owned by the control, not the active window";
    EXPECT_EQ(shown.text, "Can not find application for PDF files. Please install Acrobat "
                          "Reader.\r\n\r\nFile: X:\\Documentation\\English\\Manual.xyz");
    EXPECT_EQ(shown.caption, std::optional<std::string>("Warning"));
    EXPECT_EQ(shown.style, 0x10u);
}

TEST_F(OpenDocumentTest, TheWarningComesFromTheStringTable) {
    fakes.strings.texts[1004] = "Kein Programm.";
    fakes.strings.texts[1] = "Achtung";
    EXPECT_FALSE(applink::OpenDocument(services, active, control, "a.pdf"));
    ASSERT_EQ(fakes.ui.shown.size(), 1u);
    EXPECT_EQ(fakes.ui.shown[0].text, "Kein Programm.\r\n\r\nFile: a.pdf");
    EXPECT_EQ(fakes.ui.shown[0].caption, std::optional<std::string>("Achtung"));
}

} // namespace
