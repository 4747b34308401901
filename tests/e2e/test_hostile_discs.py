"""Damaged and hostile discs: the menu starts, answers the pointer and ends cleanly whatever an
author wrote, and what it draws stays in its place."""

import random

from harness import INSTANCE_ATOM, WineTestCase
from test_actions import RECORD
from test_menu import ENTRY_LEFT, ENTRY_PITCH, ENTRY_RIGHT, ENTRY_TOP, WHITE

YELLOW = (255, 255, 0)


def entry_middle(index):
    return 500, ENTRY_TOP + ENTRY_PITCH * index + 18


class HostileDiscTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.record = self.wine.unix_path(RECORD)

    # Changes to the copy of the sample disc ----------------------------------------------------
    def disc_file(self, name):
        return self.wine.c_drive() / self.folder / name

    def set_value(self, file_name, section, key, value, codec="cp1252"):
        """Sets `key` of `section` in a language file of the disc, adding it when missing."""
        path = self.disc_file(file_name)
        lines = path.read_bytes().decode(codec).split("\r\n")
        start = lines.index(f"[{section}]") + 1
        end = next((i for i in range(start, len(lines)) if lines[i].startswith("[")), len(lines))
        entry = f"{key}={value}"
        for i in range(start, end):
            if lines[i].startswith(key + "="):
                lines[i] = entry
                break
        else:
            lines.insert(start, entry)
        path.write_bytes("\r\n".join(lines).encode(codec))

    def ten_megabytes(self):
        path = self.disc_file("Inst.inf")
        path.write_bytes(path.read_bytes() + b"\r\n[Filler]\r\n" +
                         b"k=" + b"x" * 1000 + b"\r\n" * 10000)

    def random_bytes(self):
        self.disc_file("Inst.inf").write_bytes(random.Random(7).randbytes(65536))

    def huge_count(self):
        self.set_value("Inst.inf", "Main Dialog", "Number of menu", "100000")

    def self_opening_page(self):
        self.set_value("Inst.inf", "Lumo Dialog", "MenuItemType0", "1")
        self.set_value("Inst.inf", "Lumo Dialog", "MenuItemExecute0", "Lumo Dialog")

    def fewer_german_entries(self):
        self.set_value("Inst407.inf", "Main Dialog", "Number of menu", "3")

    def french_german_chinese(self):
        for name in ("Inst.inf", "Inst410.inf", "Inst40a.inf"):
            self.disc_file(name).unlink()

    def wide_entry_long_help(self):
        self.set_value("Inst.inf", "Main Dialog", "MenuItemString0",
                       "Install Ormix-Designer Professional Edition 2024")
        self.set_value("Inst.inf", "Main Dialog", "MenuItemTitle0", "One\\Two\\Three\\Four")


    # The run ---------------------------------------------------------------------------------
    def start(self, prepare):
        disc = self.wine.install_disc(self.folder)
        if prepare:
            prepare()
        process = self.wine.start(disc + "Install.exe", env={"DISCMENU_RECORD": RECORD})
        self.assertEqual(process.wait(timeout=30), 0)
        self.page = self.wine.wait_window("Install", timeout_ms=15000)
        # Keys go to the active window: the window manager activates the page just after it
        # shows, as a user sees it appear before typing.
        self.assertTrue(self.wine.wait_until(
            lambda: self.wine.active_window(self.page) == self.page.hwnd), "the page is active")

    def at(self, x, y):
        return self.page.left + x, self.page.top + y

    def pixel(self, shot, x, y):
        return shot.pixel(*self.at(x, y))

    def end_with_escape(self):
        self.wine.keys("Escape")
        self.assertTrue(self.wine.window_gone("Install"))
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.command_lines("Install.exe")),
                        "nothing left running")

    def end_whatever_is_left(self):
        """After a failed row: no menu of it may stay for the next row to find."""
        if self.wine.command_lines("Install.exe"):
            self.wine.run("taskkill", "/f", "/im", "Install.exe")
            self.wine.wait_until(lambda: not self.wine.command_lines("Install.exe"))
        self.wine.probe("atom-delete", INSTANCE_ATOM)

    def test_hostile_discs(self):
        # One desktop for all: each disc lies in a folder of its own, and each run ends the
        # menu, which removes its marker for the next.
        rows = [
            ("10 MB language file", "big", self.ten_megabytes, self.hover_and_click_setup),
            ("random bytes", "random", self.random_bytes, self.hover_and_click_nothing),
            ("100000 entries", "count", self.huge_count, self.hover_and_click_setup),
            ("a page that opens itself", "self", self.self_opening_page, self.open_pages_ten_deep),
            ("fewer German entries", "german", self.fewer_german_entries, self.choose_german),
            ("three languages, not the locale's", "three", self.french_german_chinese,
             self.choose_among_three),
            ("wide entry, long help", "wide", self.wide_entry_long_help,
             self.everything_in_its_place),
            ("a disc folder beyond the classic path limit", "L" * 245, None,
             self.click_setup_on_a_long_path),
        ]
        for name, folder, prepare, run in rows:
            with self.subTest(name):
                self.folder = folder
                if self.record.exists():
                    self.record.unlink()
                try:
                    self.start(prepare)
                    run()
                    self.end_with_escape()
                finally:
                    self.end_whatever_is_left()

    # What each row does on the page ------------------------------------------------------------
    def hover_and_click_setup(self):
        self.wine.move_pointer(*self.at(*entry_middle(0)))
        self.wine.click(*self.at(*entry_middle(0)))
        self.assertTrue(self.wine.wait_until(lambda: self.record.exists()), "setup started")
        self.assertTrue(self.record.read_text().rstrip().endswith(" -l0009"))
        self.assertFalse(self.wine.windows("Warning"), "no disc prompt")

    def click_setup_on_a_long_path(self):
        # The disc check finds the disc. Windows starts setup by its short name; Wine's shell,
        # once OLE is initialised, opens no such path, and the menu then says the path is too
        # long instead of asking for the disc.
        self.wine.click(*self.at(*entry_middle(0)))
        self.assertTrue(self.wine.wait_until(
            lambda: self.record.exists() or self.wine.windows("Error")), "setup started or refused")
        self.assertFalse(self.wine.windows("Warning"), "no disc prompt")
        if self.record.exists():
            self.assertTrue(self.record.read_text().rstrip().endswith(" -l0009"))
            return
        [box] = self.wine.windows("Error")
        self.assertRegex(self.wine.box_text(box),
                         r"^Can not start application C:\\L{245}\\Disk1\\setup\.exe\.\n\n.*too long")
        self.wine.keys("Return")
        self.assertTrue(self.wine.window_gone("Error"))

    def hover_and_click_nothing(self):
        self.wine.move_pointer(*self.at(*entry_middle(0)))
        self.wine.click(*self.at(*entry_middle(0)))
        self.assertEqual(len(self.wine.windows("Install")), 1, "no entry, nothing opens")

    def open_pages_ten_deep(self):
        def open_sub_page(on):
            count = len(self.wine.windows("Install"))
            self.wine.click(on.left + entry_middle(0)[0], on.top + entry_middle(0)[1])
            self.assertTrue(self.wine.wait_until(
                lambda: len(self.wine.windows("Install")) == count + 1), count)
            return [w for w in self.wine.windows("Install") if w.hwnd != on.hwnd][0]

        def close_sub_pages():
            while len(self.wine.windows("Install")) > 1:
                count = len(self.wine.windows("Install"))
                self.wine.keys("Escape")
                self.assertTrue(self.wine.wait_until(
                    lambda: len(self.wine.windows("Install")) == count - 1))

        def ten_deep():
            self.wine.click(*self.at(*entry_middle(5)))  # More Tools
            self.assertTrue(self.wine.wait_until(lambda: len(self.wine.windows("Install")) == 2))
            top = [w for w in self.wine.windows("Install") if w.hwnd != self.page.hwnd][0]
            for _ in range(9):
                top = open_sub_page(top)
            self.assertEqual(len(self.wine.windows("Install")), 11)
            close_sub_pages()

        # The first round fills the system's caches of device contexts, which it keeps for as
        # many windows as were open at once; the second must leave the count where it found it.
        ten_deep()
        objects = int(self.wine.probe("gdi", str(self.page.pid)))
        ten_deep()
        self.assertEqual(int(self.wine.probe("gdi", str(self.page.pid))), objects,
                         "drawing objects back to where they were")

    def choose_german(self):
        self.wine.keys("Tab", "Down", "Down")  # the chooser comes after the entries
        self.assertTrue(self.wine.wait_until(
            lambda: self.wine.controls("Install")[1001].text == "Deutsch"), "German chosen")
        self.wine.move_pointer(*self.at(100, 100))
        shot = self.wine.screenshot()
        for index in (3, 4, 5, 6):
            self.assertEqual(self.pixel(shot, 500, ENTRY_TOP + ENTRY_PITCH * index + 5), WHITE,
                             f"entry {index} is gone from the column")
        self.wine.click(*self.at(*entry_middle(6)))
        self.assertEqual(len(self.wine.windows("Install")), 1, "nothing is left to click there")

    def choose_among_three(self):
        chooser = lambda: self.wine.controls("Install")[1001].text
        self.assertEqual(chooser(), "Fran\xe7ais", "the first language on the disc")
        # From French, the third step down reaches Chinese only when nothing lies between.
        self.wine.keys("Tab", "Down", "Down", "Down")
        self.assertTrue(self.wine.wait_until(lambda: chooser() == "Chinese"), chooser())

    def everything_in_its_place(self):
        self.wine.move_pointer(*self.at(100, 100))
        idle = self.wine.screenshot()
        self.wine.move_pointer(*self.at(*entry_middle(0)))
        hot = self.wine.screenshot()
        self.wine.move_pointer(*self.at(100, 100))
        after = self.wine.screenshot()
        # The underline of the wide text stays on its face, during and after the hover.
        for shot in (hot, after):
            for left, right in ((0, ENTRY_LEFT), (ENTRY_RIGHT, 597)):
                region = shot.region(*self.at(left, ENTRY_TOP), *self.at(right, ENTRY_TOP + 37))
                self.assertFalse(YELLOW in region, f"yellow beside the face, x {left} to {right}")
        # Four lines of help: those that do not fit are not drawn over the strip's frame.
        frame = (*self.at(0, 333), *self.at(597, 340))
        self.assertTrue(hot.region(*frame) == idle.region(*frame), "the strip's frame is intact")
