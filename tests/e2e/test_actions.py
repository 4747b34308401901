"""Clicks on the entries of the sample disc's pages, with real pointer events: setup programs
with the language switch, the disc check, sub-pages, the exit entry and the Java runtime."""

import re

from harness import WineTestCase
from test_menu import FIRST_KEY, inf_value

BROWSER_KEY = r"HKLM\SOFTWARE\Microsoft\Internet Explorer"
RECORD = "C:\\record.txt"
SETUP, DOCUMENT, MANUALS, JAVA, USB, MORE_TOOLS, EXIT = range(7)
INSTALLER = "j2re-1_4_1_01-windows-i586-i.exe"


class EntryActionsTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.disc = self.wine.install_disc()
        self.record = self.wine.unix_path(RECORD)

    def start_menu(self):
        process = self.wine.start(self.disc + "Install.exe", env={"DISCMENU_RECORD": RECORD})
        self.assertEqual(process.wait(timeout=30), 0)
        self.page = self.wine.wait_window("Install")
        self.wine.move_pointer(self.page.left + 100, self.page.top + 100)

    def click_entry(self, index):
        self.wine.click(self.page.left + 500, self.page.top + 15 + 41 * index + 18)

    def recorded(self, count=1, timeout=20):
        self.wine.wait_until(lambda: self.record.exists() and
                             len(self.record.read_text().splitlines()) >= count, timeout)
        return self.record.read_text().splitlines() if self.record.exists() else []

    def test_the_setup_entry_starts_setup_with_the_english_switch(self):
        self.start_menu()
        self.click_entry(SETUP)
        lines = self.recorded()
        self.assertEqual(len(lines), 1)
        self.assertIn(self.disc + "Disk1\\setup.exe", lines[0])
        self.assertTrue(lines[0].endswith(" -l0009"), lines[0])
        self.assertEqual(len(self.wine.windows("Install")), 1, "the menu stays open")

    def test_a_forced_german_gives_the_german_switch(self):
        self.wine.set_registry_string(FIRST_KEY, "ForceLanguage", "DEU")
        self.start_menu()
        self.click_entry(SETUP)
        lines = self.recorded()
        self.assertTrue(lines and lines[0].endswith(" -l0007"), lines)

    def test_in_french_a_document_that_cannot_be_opened_is_reported_in_french(self):
        self.wine.set_registry_string(FIRST_KEY, "ForceLanguage", "FRA")
        self.wine.unix_path(self.disc + "Docs\\ReadMe.txt").unlink()
        self.start_menu()
        self.click_entry(DOCUMENT)
        caption = inf_value("Inst40c.inf", "IDS_ERROR_CAPTION")
        self.assertEqual(caption, "Erreur")
        box = self.wine.wait_window(caption)
        path = self.disc + inf_value("Inst40c.inf", "MenuItemExecute1")
        self.assertEqual(self.wine.box_text(box),
                         inf_value("Inst40c.inf", "IDS_CANNOT_START").replace("%s", path))
        self.assertEqual(self.wine.box_text(box), "Impossible d'ouvrir " + path + ".")
        self.wine.click_control(box, 1)
        self.assertTrue(self.wine.window_gone(caption))

    def test_a_missing_disc_is_asked_for_until_it_is_back(self):
        disc_id = self.wine.unix_path(self.disc + "Disk1\\disk1.id")
        content = disc_id.read_bytes()
        disc_id.unlink()
        self.start_menu()
        self.click_entry(SETUP)
        caption = inf_value("Inst.inf", "IDS_TITLE")
        prompt = self.wine.message_box(caption)
        self.assertEqual(prompt, inf_value("Inst.inf", "Disk1\\disk1.id"))
        # Retry while it is still missing asks again; after it is back, setup starts.
        self.wine.press(caption, 4)
        self.assertEqual(self.wine.message_box(caption), prompt)
        disc_id.write_bytes(content)
        self.wine.press(caption, 4)
        lines = self.recorded()
        self.assertTrue(lines and lines[0].endswith(" -l0009"), lines)

    def test_cancel_at_the_disc_prompt_opens_nothing(self):
        self.wine.unix_path(self.disc + "Disk1\\disk1.id").unlink()
        self.start_menu()
        self.click_entry(SETUP)
        caption = inf_value("Inst.inf", "IDS_TITLE")
        self.wine.message_box(caption)
        self.wine.press(caption, 2)
        self.assertTrue(self.wine.window_gone(caption))
        self.assertEqual(self.recorded(timeout=3), [])
        self.assertEqual(len(self.wine.windows("Install")), 1)

    def test_the_sub_page_opens_over_the_main_page_and_its_exit_returns(self):
        self.start_menu()
        self.click_entry(MORE_TOOLS)
        self.assertTrue(self.wine.wait_until(lambda: len(self.wine.windows("Install")) == 2))
        sub_page = [w for w in self.wine.windows("Install") if w.hwnd != self.page.hwnd][0]
        self.assertEqual((sub_page.width, sub_page.height), (597, 340))
        controls = self.wine.controls_of(sub_page.hwnd)
        self.assertEqual(controls[1001].state, 0, "the Lumo page hides its chooser")
        self.page, main_page = sub_page, self.page
        self.click_entry(2)  # Back
        self.assertTrue(self.wine.wait_until(lambda: len(self.wine.windows("Install")) == 1))
        self.assertEqual(self.wine.windows("Install")[0].hwnd, main_page.hwnd)

    def test_the_exit_entry_ends_the_program_and_removes_the_marker(self):
        self.start_menu()
        self.assertTrue(self.wine.atom_present())
        self.click_entry(EXIT)
        self.assertTrue(self.wine.window_gone("Install"))
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.command_lines("Install.exe")))
        self.assertFalse(self.wine.atom_present())

    def test_escape_ends_the_program_too(self):
        self.start_menu()
        self.wine.keys("Escape")
        self.assertTrue(self.wine.window_gone("Install"))
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.atom_present()))

    def test_the_java_entry_copies_the_installer_to_the_temporary_folder_and_starts_it(self):
        self.wine.set_registry_string(BROWSER_KEY, "Version", "6.0.2900.2180")
        self.start_menu()
        self.click_entry(JAVA)
        lines = self.recorded()
        self.assertEqual(len(lines), 1, lines)
        started = re.fullmatch(f'"({self.wine.program_folder_pattern()}{re.escape(INSTALLER)})"',
                               lines[0])
        self.assertIsNotNone(started, "started quoted from a new folder of its own: " + lines[0])
        copy = self.wine.unix_path(started[1])
        original = self.wine.unix_path(self.disc + "SunInstall\\" + INSTALLER)
        self.assertEqual(copy.read_bytes(), original.read_bytes())

    def test_the_java_entry_warns_about_an_old_browser(self):
        self.wine.set_registry_string(BROWSER_KEY, "Version", "5.00.3700.1000")
        self.start_menu()
        self.click_entry(JAVA)
        caption = inf_value("Inst.inf", "IDS_TITLE")
        self.assertEqual(self.wine.message_box(caption), inf_value("Inst.inf", "IDS_WARNING"))
        self.wine.press(caption, 1)
        self.assertEqual(self.recorded(timeout=3), [])



class ClickAfterMessageTest(WineTestCase):
    """The menu's core loop: point, click, answer a message, click again. Every message the
    main page can show, each answered with the pointer; the click after it must do its job at
    once, and the keyboard must still reach the page."""

    CANCEL, RETRY = 2, 4
    TITLE = inf_value("Inst.inf", "IDS_TITLE")
    # The entry that brings a message up, the message's caption, the button that answers it,
    # and whether the disc id is present before the click and when the answer is given.
    MESSAGES = [
        ("disc prompt, Cancel", SETUP, TITLE, CANCEL, False, False),
        ("browser warning", JAVA, TITLE, 1, False, False),
        ("no product", USB, "Install", 1, False, False),
        ("disc prompt, Retry", SETUP, TITLE, RETRY, False, True),
        ("Can not start", DOCUMENT, "Error", 1, True, True),
        ("no manuals page", MANUALS, "Error", 1, True, True),
    ]

    def setUp(self):
        super().setUp()
        self.disc = self.wine.install_disc()
        self.record = self.wine.unix_path(RECORD)
        self.disc_id = self.wine.unix_path(self.disc + "Disk1\\disk1.id")
        self.disc_id_content = self.disc_id.read_bytes()
        self.wine.unix_path(self.disc + "Docs\\ReadMe.txt").unlink()
        self.wine.unix_path(self.disc + "Documentation\\English\\HTML\\manulist.htm").unlink()
        self.wine.set_registry_string(BROWSER_KEY, "Version", "5.00.3700.1000")

    def start_menu(self):
        process = self.wine.start(self.disc + "Install.exe", env={"DISCMENU_RECORD": RECORD})
        self.assertEqual(process.wait(timeout=30), 0)
        self.page = self.wine.wait_window("Install")

    def click_entry(self, index, page=None):
        page = page or self.page
        self.wine.click(page.left + 500, page.top + 15 + 41 * index + 18)

    def set_disc(self, present):
        if present and not self.disc_id.exists():
            self.disc_id.write_bytes(self.disc_id_content)
        elif not present and self.disc_id.exists():
            self.disc_id.unlink()

    def boxes(self, caption):
        return [w for w in self.wine.windows(caption) if w.hwnd != self.page.hwnd]

    def answer(self, name, caption, button, disc_at_answer):
        """Answers the message that the last click brought up, and waits until it is gone."""
        self.assertTrue(self.wine.wait_until(lambda: self.boxes(caption), 10),
                        f"the click that brings up the {name} message")
        self.set_disc(disc_at_answer)
        self.wine.click_control(self.boxes(caption)[0], button)
        self.assertTrue(self.wine.wait_until(lambda: not self.boxes(caption)), name)

    def test_the_click_after_every_message_does_its_job(self):
        self.start_menu()
        for name, entry, caption, button, disc_before, disc_at_answer in self.MESSAGES:
            self.set_disc(disc_before)
            self.click_entry(entry)
            self.answer(name, caption, button, disc_at_answer)
            if button == self.RETRY:
                self.assertTrue(self.wine.wait_until(lambda: self.record.exists(), 10))
                self.assertTrue(self.record.read_text().rstrip().endswith(" -l0009"))
        self.assertTrue(self.wine.window_gone(inf_value("Inst.inf", "IDS_CAPTION")),
                        "the manuals window closes itself")
        self.click_entry(MORE_TOOLS)
        self.assertTrue(self.wine.wait_until(lambda: self.boxes("Install"), 10),
                        "the sub-page opens after the manuals message")
        self.click_entry(2, self.boxes("Install")[0])  # Back
        self.assertTrue(self.wine.wait_until(lambda: not self.boxes("Install")))
        self.click_entry(EXIT)
        self.assertTrue(self.wine.window_gone("Install"), "the exit entry after the sub-page")
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.command_lines("Install.exe")))

    def test_after_every_message_the_chooser_and_escape_answer_the_keyboard(self):
        for name, entry, caption, button, disc_before, disc_at_answer in self.MESSAGES:
            with self.subTest(name):
                self.set_disc(disc_before)
                self.start_menu()
                self.click_entry(entry)
                self.answer(name, caption, button, disc_at_answer)
                self.wine.keys("Tab", "Down")  # the chooser comes after the entries
                controls = self.wine.controls("Install")
                self.assertEqual(controls[1001].text, "Fran\xe7ais")
                self.assertEqual(controls[1003].text, inf_value("Inst40c.inf", "IDS_LABEL"))
                self.wine.keys("Escape")
                self.assertTrue(self.wine.window_gone("Install"), "Escape closes the page")
                self.assertTrue(self.wine.wait_until(
                    lambda: not self.wine.command_lines("Install.exe")))
