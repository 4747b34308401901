// What a click on an entry does: the decision from a table, what needs the disc, and the
// message of a failed start.

#include "menu/ClickAction.h"

#include <gtest/gtest.h>

namespace {

using Kind = click::Action::Kind;

CMenuItem Item(int type, const std::string& execute, const std::string& diskId = "") {
    CMenuItem item;
    item.m_nType = type;
    item.m_strExecute = execute;
    item.m_strDiskId = diskId;
    return item;
}

TEST(ClickAction, DecidedFromTheEntryTheLanguageAndTheCodePage) {
    struct Case {
        CMenuItem item;
        int language;
        click::Action expected;
    };
    const std::optional<std::string> none;
    const Case cases[] = {
        // A setup program gets the switch of the selected language (English when none).
        {Item(0, "Disk1\\Setup.exe", "id"),
         0,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l0009", ""}},
        {Item(0, "Disk1\\Setup.exe", "id"),
         1,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l040c", ""}},
        {Item(0, "Disk1\\Setup.exe", "id"),
         2,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l0007", ""}},
        {Item(0, "Disk1\\Setup.exe", "id"),
         3,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l0010", ""}},
        {Item(0, "Disk1\\Setup.exe", "id"),
         4,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l000a", ""}},
        {Item(0, "Disk1\\Setup.exe", "id"),
         5,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l0804", ""}},
        {Item(0, "Disk1\\Setup.exe", "id"),
         -1,
         {Kind::Open, "id", "E:\\Disk1\\Setup.exe", " -l0009", ""}},
        // "setup.exe" anywhere in the value; other files get no switch.
        {Item(0, "setup.exe.bak", "id"), 0, {Kind::Open, "id", "E:\\setup.exe.bak", " -l0009", ""}},
        {Item(0, "Docs\\manual.pdf", "id"),
         0,
         {Kind::Open, "id", "E:\\Docs\\manual.pdf", none, ""}},
        {Item(0, "Disk1\\setup.exe"), 0, {Kind::Open, "", "E:\\Disk1\\setup.exe", " -l0009", ""}},
        // A character of another script: the bytes 0x83 0x53 of code page 936 are one character,
        // U+50D1, not a lead byte and an 'S'.
        {Item(0,
              "\xe5\x83\x91"
              "ETUP.EXE",
              "id"),
         0,
         {Kind::Open, "id",
          "E:\\\xe5\x83\x91"
          "ETUP.EXE",
          none, ""}},
        // Special entries by the exact value; the Java runtime needs no disc.
        {Item(0, "SunJava", "id"), 0, {Kind::JavaRuntime, "", "", none, ""}},
        {Item(0, "sunjava", "id"), 0, {Kind::Open, "id", "E:\\sunjava", none, ""}},
        {Item(0, "HTMLDlg", "id"), 0, {Kind::Manuals, "id", "", none, ""}},
        {Item(0, "HTMLDlg.htm", "id"), 0, {Kind::Open, "id", "E:\\HTMLDlg.htm", none, ""}},
        {Item(3, "SunJava"), 0, {Kind::Usb, "", "", none, ""}},
        // The other types.
        {Item(1, "Lumo dialog", "id"), 0, {Kind::SubPage, "", "", none, "Lumo dialog"}},
        {Item(2, "Disk1\\setup.exe", "id"), 0, {Kind::Close, "", "", none, ""}},
        {Item(CMenuItem::kTypeNone, "Disk1\\setup.exe", "id"), 0, {}},
        {Item(4, "Disk1\\setup.exe", "id"), 0, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(click::Decide(c.item, "E:\\", c.language), c.expected)
            << c.item.m_nType << " " << c.item.m_strExecute << " " << c.language;
    }
}

TEST(ClickAction, WhatNeedsTheDiscAndWhatAFailedStartSays) {
    const std::pair<Kind, bool> kinds[] = {{Kind::Open, true},         {Kind::Manuals, true},
                                           {Kind::JavaRuntime, false}, {Kind::SubPage, false},
                                           {Kind::Close, false},       {Kind::Usb, false},
                                           {Kind::Nothing, false}};
    for (const auto& [kind, needs] : kinds) {
        click::Action action;
        action.kind = kind;
        EXPECT_EQ(click::NeedsDisc(action), needs) << static_cast<int>(kind);
    }
    const char* text = "Can not start application %s.";
    EXPECT_EQ(click::StartFailureMessage(text, "E:\\a.exe", false, "ignored"),
              "Can not start application E:\\a.exe.");
    EXPECT_EQ(click::StartFailureMessage(text, "E:\\a.exe", true, "Too long.\r\n"),
              "Can not start application E:\\a.exe.\n\nToo long.\r\n");
    EXPECT_EQ(click::StartFailureMessage("Kann %s nicht starten", "x", false, ""),
              "Kann x nicht starten");
}

} // namespace
