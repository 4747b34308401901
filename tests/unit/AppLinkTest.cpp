// Application links and navigations of the manuals pages: what a URL means, which documents
// a page may open, and opening a document through the shell.

#include "manuals/AppLink.h"
#include "fakes/FakeDocumentServices.h"

#include <gtest/gtest.h>

namespace {

using applink::Action;
using Kind = applink::Action::Kind;
using Refusal = applink::Action::Refusal;

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

// Full paths as the system resolves them; anything that could leave a folder unseen is no path.
TEST(AppLinkPaths, UrlsAndPathsAsTheSystemResolvesThem) {
    const std::pair<const char*, std::optional<std::string>> urls[] = {
        {"file:///X:/Documentation/English/HTML/manulist.htm",
         "X:/Documentation/English/HTML/manulist.htm"},
        {"file://X:/a%20b.htm#top", "X:/a b.htm"},
        {"file:X:\\Fran%C3%A7ais\\a.htm?x=1", "X:\\Fran\xc3\xa7"
                                              "ais\\a.htm"},
        {"file://server/share/a.htm", "\\\\server/share/a.htm"},
        {"file:////server/share/a.htm", "\\\\server/share/a.htm"},
        {"X:\\Documentation\\a.htm", "X:\\Documentation\\a.htm"},
        {"http://www.example.com/", std::nullopt},
        {"about:blank", std::nullopt},
        {"", std::nullopt},
        {"file:a.htm", std::nullopt},
    };
    for (const auto& [url, path] : urls) {
        EXPECT_EQ(applink::PathOfUrl(url), path) << url;
    }
    const std::pair<const char*, std::optional<std::string>> paths[] = {
        {"X:\\a\\.\\b\\..\\c.pdf", "X:\\a\\c.pdf"},
        {"X:/a//b/", "X:\\a\\b"},
        {"x:\\", "x:\\"},
        {"X:\\a\\Setup.exe. . ", "X:\\a\\Setup.exe"},
        {"\\\\server\\share\\a\\..\\b.pdf", "\\\\server\\share\\b.pdf"},
        {"X:\\a\\..\\..\\b.pdf", std::nullopt},                // above the root
        {"\\\\server\\share\\..\\other\\a.pdf", std::nullopt}, // another share
        {"X:\\a.pdf:evil.exe", std::nullopt},                  // a stream
        {"\\\\?\\X:\\a.pdf", std::nullopt},
        {"\\\\.\\pipe\\x", std::nullopt},
        {"a\\b.pdf", std::nullopt},
        {"\\a.pdf", std::nullopt},
    };
    for (const auto& [path, canonical] : paths) {
        EXPECT_EQ(applink::Canonical(path), canonical) << path;
    }
    EXPECT_TRUE(applink::IsInside("X:\\Docs", "x:\\docs\\a.pdf"));
    EXPECT_FALSE(applink::IsInside("X:\\Docs", "X:\\Docs"));
    EXPECT_FALSE(applink::IsInside("X:\\Docs", "X:\\Docs2\\a.pdf"));
    // Programs, and every kind that runs code when opened, however the list of them grows.
    for (const char* program : {"a.exe",     "A.EXE",
                                "b.cmd",     "c.bat",
                                "d.msi",     "e.vbs",
                                "f.js",      "g.lnk",
                                "h.scr",     "i.hta",
                                "j.com",     "k.ps1",
                                "l.exe. ",   "m.settingcontent-ms",
                                "n.jnlp",    "o.appinstaller",
                                "p.msix",    "q.appx",
                                "r.diagcab", "s.theme",
                                "t.rdp",     "u.search-ms",
                                "v.website", "w.hlp",
                                "x.py",      "y.iso",
                                "z.vhd",     "a.vhdx",
                                "b.url",     "c.pdf.exe",
                                "d",         "e.exe\\f",
                                "f.",        "g.pdf:x"}) {
        EXPECT_FALSE(applink::IsDocument(program)) << program;
    }
    for (const char* document :
         {"a.pdf",  "b.txt", "c.htm",  "c.html", "d.rtf",     "e.doc", "e.docx", "f.xls",
          "f.xlsx", "g.ppt", "g.pptx", "h.chm",  "i.bmp",     "i.gif", "i.jpg",  "i.jpeg",
          "i.png",  "i.tif", "i.tiff", "j.zip",  "g.exe.pdf", "K.PDF", "l.pdf. "}) {
        EXPECT_TRUE(applink::IsDocument(document)) << document;
    }
}

// An app: link: from which page, to what, and what the manuals window does.
TEST(AppLinkDecision, CommandsFromAPageOfTheFolderOpenOnlyItsDocuments) {
    const std::string page = "file:///X:/Documentation/English/HTML/manulist.htm";
    struct Row {
        std::string frame;
        const char* command;
        Kind kind;
        std::string path;
        Refusal refusal;
    };
    const Row rows[] = {
        {page, "return", Kind::Close, "", Refusal::None},
        {page, "RETURN", Kind::Close, "", Refusal::None},
        {page, "Manual.pdf", Kind::Open, kDocs + "\\Manual.pdf", Refusal::None},
        {page, "sub/a b.pdf", Kind::Open, kDocs + "\\sub\\a b.pdf", Refusal::None},
        {page, "sub\\a.pdf", Kind::Open, kDocs + "\\sub\\a.pdf", Refusal::None},
        {page, "X:\\Documentation\\English\\a.pdf", Kind::Open, kDocs + "\\a.pdf", Refusal::None},
        {page, "User%20Manual.pdf", Kind::Open, kDocs + "\\User%20Manual.pdf", Refusal::None},
        {page, "%72eturn", Kind::Refuse, kDocs + "\\%72eturn", Refusal::Program},
        {page, "return ", Kind::Refuse, kDocs + "\\return", Refusal::Program},
        {page, "Help.chm", Kind::Open, kDocs + "\\Help.chm", Refusal::None},
        {page, "Parts.XLSX", Kind::Open, kDocs + "\\Parts.XLSX", Refusal::None},
        {page, "Drivers.zip", Kind::Open, kDocs + "\\Drivers.zip", Refusal::None},
        {page, "Panel.png", Kind::Open, kDocs + "\\Panel.png", Refusal::None},
        {page, "HTML\\..\\a.pdf", Kind::Open, kDocs + "\\a.pdf", Refusal::None},
        {page, "../../../tools/argvecho.exe", Kind::Refuse, kDocs + "\\../../../tools/argvecho.exe",
         Refusal::Outside},
        {page, "..\\Deutsch\\a.pdf", Kind::Refuse, kDocs + "\\..\\Deutsch\\a.pdf",
         Refusal::Outside},
        {page, "C:\\tools\\argvecho.exe", Kind::Refuse, "C:\\tools\\argvecho.exe",
         Refusal::Outside},
        {page, "\\\\server\\share\\a.pdf", Kind::Refuse, "\\\\server\\share\\a.pdf",
         Refusal::Outside},
        {page, "", Kind::Refuse, kDocs + "\\", Refusal::Outside},
        {page, "a.pdf:x.exe", Kind::Refuse, kDocs + "\\a.pdf:x.exe", Refusal::Outside},
        {page, "Tools\\Setup.exe", Kind::Refuse, kDocs + "\\Tools\\Setup.exe", Refusal::Program},
        {page, "run.cmd.", Kind::Refuse, kDocs + "\\run.cmd", Refusal::Program},
        // Kinds that run code when opened are refused as programs are, with the same message.
        {page, "a.settingcontent-ms", Kind::Refuse, kDocs + "\\a.settingcontent-ms",
         Refusal::Program},
        {page, "start.jnlp", Kind::Refuse, kDocs + "\\start.jnlp", Refusal::Program},
        {page, "Disc.iso", Kind::Refuse, kDocs + "\\Disc.iso", Refusal::Program},
        {page, "x.search-ms", Kind::Refuse, kDocs + "\\x.search-ms", Refusal::Program},
        {page, "tool.py", Kind::Refuse, kDocs + "\\tool.py", Refusal::Program},
        {page, "README", Kind::Refuse, kDocs + "\\README", Refusal::Program},
        // Only a page of the folder may ask.
        {"http://www.example.com/", "Manual.pdf", Kind::Refuse, "Manual.pdf", Refusal::Outside},
        {"file:///X:/Documentation/Deutsch/HTML/manulist.htm", "return", Kind::Refuse, "return",
         Refusal::Outside},
        {"", "Manual.pdf", Kind::Refuse, "Manual.pdf", Refusal::Outside},
        {"about:blank", "return", Kind::Refuse, "return", Refusal::Outside},
    };
    for (const Row& row : rows) {
        const Action action = applink::DecideCommand(kDocs, row.frame, row.command);
        EXPECT_EQ(action.kind, row.kind) << row.frame << " " << row.command;
        EXPECT_EQ(action.path, row.path) << row.frame << " " << row.command;
        EXPECT_EQ(action.refusal, row.refusal) << row.frame << " " << row.command;
        EXPECT_EQ(
            applink::DecideUrl(kDocs, row.frame, std::string("app:") + row.command, true).path,
            row.path)
            << "by the address too";
    }
}

// Any other navigation: the window shows the folder's pages, the user's browser the rest.
TEST(AppLinkDecision, OtherNavigationsShowOnlyTheFoldersPages) {
    struct Row {
        const char* url;
        bool topLevel;
        Kind kind;
    };
    const Row rows[] = {
        {"X:\\Documentation\\English\\HTML\\manulist.htm", true, Kind::Navigate},
        {"file:///X:/Documentation/English/HTML/other.htm#part", true, Kind::Navigate},
        {"file:///X:/Documentation/English/HTML/frame.htm", false, Kind::Navigate},
        {"about:blank", false, Kind::Navigate},
        {"http://www.example.com/", true, Kind::Browse},
        {"HTTPS://www.example.com/", true, Kind::Browse},
        {"http://www.example.com/", false, Kind::Ignore},
        {"file:///X:/Documentation/Deutsch/HTML/manulist.htm", true, Kind::Browse},
        {"file:///C:/Windows/notepad.exe", true, Kind::Ignore},
        {"file:///C:/Users/x/Downloads/a.website", true, Kind::Ignore},
        {"file:///C:/Users/x/Downloads/a.pdf", true, Kind::Browse},
        {"file://server/share/page.htm", true, Kind::Ignore},
        {"file:///X:/Documentation/English/../../a.htm", true, Kind::Browse},
        {"javascript:alert(1)", true, Kind::Ignore},
        {"res://shdoclgc.dll/x.htm", true, Kind::Ignore},
        {"ftp://example.com/", true, Kind::Ignore},
    };
    for (const Row& row : rows) {
        const Action action = applink::DecideNavigation(kDocs, row.url, row.topLevel);
        EXPECT_EQ(action.kind, row.kind) << row.url << (row.topLevel ? "" : " in a frame");
        if (row.kind == Kind::Browse) {
            EXPECT_EQ(action.path, row.url);
        }
    }
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

TEST_F(OpenDocumentTest, ARefusalSaysWhyAndNamesThePath) {
    applink::ShowRefusal(services, control, {Kind::Refuse, "X:\\Docs\\run.exe", Refusal::Program});
    applink::ShowRefusal(services, control, {Kind::Refuse, "C:\\x.pdf", Refusal::Outside});
    ASSERT_EQ(fakes.ui.shown.size(), 2u);
    EXPECT_EQ(fakes.ui.shown[0].text, "The manuals open documents, not programs: this link was "
                                      "not followed.\r\n\r\nFile: X:\\Docs\\run.exe");
    EXPECT_EQ(fakes.ui.shown[1].text,
              "The manuals open only documents of their own folder on the disc: this link was "
              "not followed.\r\n\r\nFile: C:\\x.pdf");
    EXPECT_EQ(fakes.ui.shown[1].caption, std::optional<std::string>("Warning"));
    EXPECT_EQ(fakes.ui.shown[1].owner, control);
    EXPECT_TRUE(fakes.shell.opened.empty());
}

} // namespace
