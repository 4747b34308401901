"""The main page on screen: started as a user would, from the sample disc, it shows the
background, the entries, the help strip and the language chooser, reacts to the pointer and to
the keyboard, and changes language."""

import re
import struct
from pathlib import Path

from harness import DISC_DIR, SECOND_BRAND_DIR, WineDesktop, WineTestCase, branded_program

FIRST_KEY = r"HKLM\SOFTWARE\Brenlow\Ormix-Designer\Tools\Data Manager"
SECOND_KEY = r"HKLM\SOFTWARE\Brenlow\Ormix-Frame\Configuration"

# The entry column of the page: 185 x 37 entries from x 408, on a 41-pixel pitch from y 15.
ENTRY_LEFT, ENTRY_RIGHT, ENTRY_TOP, ENTRY_PITCH = 408, 593, 15, 41

NORMAL_TOP = (153, 200, 226)
NORMAL_BOTTOM = (3, 117, 187)
HOT_TOP = (0, 117, 186)
STRIP_TOP = (241, 248, 253)
STRIP_BOTTOM = (99, 169, 229)
WHITE = (255, 255, 255)
YELLOW = (255, 255, 0)


def near(actual, expected, tolerance=4):
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


def bmp_pixel(path, x, y):
    """The colour of pixel (x, y) of a 24-bit bitmap file stored bottom-up."""
    data = path.read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) // 4 * 4
    blue, green, red = data[offset + (height - 1 - y) * stride + 3 * x:][:3]
    return red, green, blue


def inf_value(file_name, key):
    """A value of the sample disc's language file, as the disc holds it, decoded from the file's
    code page."""
    codec = "cp936" if file_name == "Inst804.inf" else "cp1252"
    for line in (DISC_DIR / file_name).read_bytes().decode(codec).splitlines():
        if line.startswith(key + "="):
            return line[len(key) + 1:]
    raise KeyError(key)


class PageOnScreen(WineTestCase):
    """The main page started from the sample disc, and where things lie on it."""

    def start_menu(self):
        self.disc = self.wine.install_disc()
        self.assertEqual(self.wine.start(self.disc + "Install.exe").wait(timeout=30), 0)
        self.page = self.wine.wait_window("Install")
        painted = self.wine.wait_until(
            lambda: near(self.pixel(self.wine.screenshot(), 2, 300), STRIP_TOP), timeout=15)
        self.assertTrue(painted, "the page was not painted")
        return self.page

    def at(self, x, y):
        """Screen coordinates of a point of the page's client area."""
        return self.page.left + x, self.page.top + y

    def pixel(self, shot, x, y):
        return shot.pixel(*self.at(x, y))

    def entry_region(self, shot, index):
        top = ENTRY_TOP + ENTRY_PITCH * index
        return shot.region(*self.at(ENTRY_LEFT, top), *self.at(ENTRY_RIGHT, top + 37))

    def help_region(self, shot):
        return shot.region(*self.at(0, 300), *self.at(597, 340))

    def shot_when(self, shows, timeout=10):
        """A screenshot once `shows` holds for it (the page redraws in its own time), else the
        last one taken."""
        shots = []

        def taken():
            shots.append(self.wine.screenshot())
            return shows(shots[-1])

        self.wine.wait_until(taken, timeout=timeout)
        return shots[-1]


class MenuPageTest(PageOnScreen):
    def test_the_page_shows_centred_with_background_entries_help_strip_and_chooser(self):
        page = self.start_menu()
        self.assertEqual(len(self.wine.windows("Install")), 1)
        self.assertEqual((page.width, page.height), (597, 340))
        left, top, right, bottom = page.outer
        width, height = self.wine.screen
        self.assertEqual(left, (width - (right - left)) // 2)
        self.assertEqual(top, (height - (bottom - top)) // 2)

        shot = self.wine.screenshot()
        for i in range(7):
            for x in (ENTRY_LEFT, 500, ENTRY_RIGHT - 4):
                self.assertTrue(near(self.pixel(shot, x, 15 + 41 * i), NORMAL_TOP),
                                (i, x, self.pixel(shot, x, 15 + 41 * i)))
            self.assertTrue(near(self.pixel(shot, 410, 50 + 41 * i), NORMAL_BOTTOM))
        self.assertEqual(self.pixel(shot, 500, 298), WHITE, "the gap below the last entry")
        # The help strip: its gradient at the edges and its white panel.
        self.assertTrue(near(self.pixel(shot, 2, 300), STRIP_TOP))
        self.assertTrue(near(self.pixel(shot, 2, 339), STRIP_BOTTOM))
        self.assertTrue(near(self.pixel(shot, 585, 310), WHITE))
        # The plain white lower left around label and chooser.
        for x, y in ((5, 222), (5, 298), (218, 222), (218, 298), (200, 290)):
            self.assertEqual(self.pixel(shot, x, y), WHITE, (x, y))

        controls = self.wine.controls("Install")
        self.assertEqual(controls[1003].rect[:3], (16, 228, 216))
        self.assertEqual(controls[1001].rect[:3], (16, 261, 192))
        self.assertEqual(controls[1003].text, inf_value("Inst.inf", "IDS_LABEL"))
        self.assertEqual(controls[1001].text, "English")
        self.assertEqual(controls[1001].state, 1, "enabled without a forced language")
        # The label's text is blue on white.
        label_pixels = shot.region(*self.at(16, 228), *self.at(216, 240))
        self.assertTrue(any(near(p, (18, 54, 200), 40) for p in label_pixels))

    def test_the_entry_under_the_pointer_turns_hot_and_shows_its_help(self):
        self.start_menu()
        self.wine.move_pointer(*self.at(100, 100))
        idle = self.wine.screenshot()
        self.wine.move_pointer(*self.at(500, 15 + 41 + 18))
        hot = self.shot_when(lambda shot: near(self.pixel(shot, 410, 56), HOT_TOP))
        self.assertTrue(near(self.pixel(hot, 410, 56), HOT_TOP), self.pixel(hot, 410, 56))
        self.assertTrue(near(self.pixel(hot, 410, 15), NORMAL_TOP), "entry 0 stays normal")
        yellow_rows = {y for x in range(ENTRY_LEFT, ENTRY_RIGHT) for y in range(56, 93)
                       if self.pixel(hot, x, y) == YELLOW}
        self.assertEqual(len(yellow_rows), 1, "one yellow underline")
        yellow_row = yellow_rows.pop()
        self.assertGreater(sum(1 for x in range(ENTRY_LEFT, ENTRY_RIGHT)
                               if self.pixel(hot, x, yellow_row) == YELLOW), 20)
        self.assertNotEqual(self.help_region(hot), self.help_region(idle), "help text shown")

        # Into the gap below entry 1: normal again, and the text for no entry.
        self.wine.move_pointer(*self.at(500, 94))
        gap = self.shot_when(lambda shot: near(self.pixel(shot, 410, 56), NORMAL_TOP))
        self.assertTrue(near(self.pixel(gap, 410, 56), NORMAL_TOP))
        self.assertEqual(self.entry_region(gap, 1), self.entry_region(idle, 1))
        self.assertEqual(self.help_region(gap), self.help_region(idle))

    def test_the_entry_under_a_closed_sub_page_turns_normal_when_the_pointer_jumps_away(self):
        self.start_menu()
        more_tools, back = 5, 2
        self.wine.click(*self.at(500, ENTRY_TOP + ENTRY_PITCH * more_tools + 18))
        self.assertTrue(self.wine.wait_until(lambda: len(self.wine.windows("Install")) == 2))
        # The sub-page lies where the main page does: its Back entry over the main page's third.
        self.wine.click(*self.at(500, ENTRY_TOP + ENTRY_PITCH * back + 18))
        self.assertTrue(self.wine.wait_until(lambda: len(self.wine.windows("Install")) == 1))
        top = ENTRY_TOP + ENTRY_PITCH * back
        self.assertTrue(self.wine.wait_until(
            lambda: near(self.pixel(self.wine.screenshot(), 410, top), HOT_TOP)),
            "the entry under the pointer is hot")
        # One jump from the entry to beyond the window, with no move over the page between.
        self.wine.xdotool("mousemove", "--sync", 1, 1)
        self.assertTrue(self.wine.wait_until(
            lambda: near(self.pixel(self.wine.screenshot(), 410, top), NORMAL_TOP)),
            "the entry is normal once the pointer has left")

    def test_a_program_built_from_another_brand_shows_its_pictures_and_reads_its_key(self):
        # The second sample brand of the build, written into the disc's program by the brand
        # tool: its own pictures, text colours and language key.
        brand = SECOND_BRAND_DIR
        self.wine.set_registry_string(r"HKLM\SOFTWARE\Harbor Works\Harbor Suite",
                                      "ForceLanguage", "DEU")
        self.wine.set_registry_string(SECOND_KEY, "ForceLanguage", "ITA")  # not its key
        self.disc = self.wine.install_disc()
        branded_program(brand, self.wine.unix_path(self.disc + "Install.exe"))
        self.assertEqual(self.wine.start(self.disc + "Install.exe").wait(timeout=30), 0)
        self.page = self.wine.wait_window("Install")
        strip = bmp_pixel(brand / "HelpStrip.bmp", 2, 0)
        self.assertTrue(self.wine.wait_until(
            lambda: near(self.pixel(self.wine.screenshot(), 2, 300), strip), timeout=15))
        controls = self.wine.controls("Install")
        self.assertEqual((controls[1001].text, controls[1001].state), ("Deutsch", 2))
        shot = self.wine.screenshot()
        for picture, x, y, left, top in (("Background", 10, 10, 0, 0),
                                         ("Background", 320, 168, 0, 0),
                                         ("Background", 200, 110, 0, 0),
                                         ("Background", 380, 280, 0, 0),
                                         ("EntryNormal", 2, 2, ENTRY_LEFT, ENTRY_TOP),
                                         ("HelpStrip", 300, 38, 0, 300)):
            expected = bmp_pixel(brand / f"{picture}.bmp", x, y)
            self.assertTrue(near(self.pixel(shot, left + x, top + y), expected),
                            (picture, x, y, self.pixel(shot, left + x, top + y), expected))
        # The entry's text in the brand's dark teal (#00464E), not the sample's white.
        face = self.entry_region(shot, 0)
        self.assertGreater(sum(near(p, (0, 70, 78), 24) for p in face), 30)
        self.assertFalse(any(near(p, WHITE, 2) for p in face), "no white text")

    def test_choosing_another_language_reloads_and_redraws_at_once(self):
        self.start_menu()
        before = self.wine.screenshot()
        self.wine.click(*self.at(60, 270))
        self.wine.keys("Down", "Down", "Down", "Down", "Return")
        controls = self.wine.controls("Install")
        self.assertEqual(controls[1001].text, "Espa\xf1ol")
        self.assertEqual(controls[1003].text, inf_value("Inst40a.inf", "IDS_LABEL"))
        self.wine.move_pointer(*self.at(100, 200))
        after = self.wine.screenshot()
        self.assertNotEqual(self.entry_region(after, 0), self.entry_region(before, 0),
                            "the entries show the Spanish texts")
        self.assertTrue(near(self.pixel(after, 410, 15), NORMAL_TOP))


    def test_the_about_command_opens_the_about_box(self):
        page = self.start_menu()
        self.wine.probe("post", "#" + page.hwnd, "0x0112", "0x0010")  # WM_SYSCOMMAND, About
        self.assertTrue(self.wine.wait_until(lambda: len(self.wine.windows("Install")) == 2))
        about = [w for w in self.wine.windows("Install") if w.hwnd != page.hwnd][0]
        texts = self.wine.probe("texts", "#" + about.hwnd)
        self.assertIn('"Install Version 1.0"', texts)
        self.assertIn('"Copyright (C) Brenlow"', texts, "the brand's company, filled in")
        self.wine.probe("press", "#" + about.hwnd, "1")
        self.assertTrue(self.wine.wait_until(lambda: len(self.wine.windows("Install")) == 1))
        self.assertEqual(self.wine.windows("Install")[0].hwnd, page.hwnd)


class KeyboardTest(PageOnScreen):
    """The page under real key presses: the entry column in the tab order, its keys, access
    keys and Escape, and no focus cue before the first key."""

    def hot(self, index):
        return near(self.pixel(self.wine.screenshot(), 410, ENTRY_TOP + ENTRY_PITCH * index),
                    HOT_TOP)

    def test_no_cue_before_a_key_then_down_walks_the_entries_and_enter_opens_the_manuals(self):
        self.start_menu()
        # Pointer only: entry 0 hot under the pointer, then the page at rest.
        self.wine.move_pointer(*self.at(500, ENTRY_TOP + 18))
        pointer_hot = self.wine.screenshot()
        self.wine.move_pointer(*self.at(100, 100))
        self.assertTrue(self.wine.wait_until(lambda: not self.hot(0)))
        at_rest = self.wine.screenshot()
        self.assertTrue(near(self.pixel(at_rest, 410, ENTRY_TOP), NORMAL_TOP))

        # The page starts with the focus on its entries: the first arrow key walks them.
        self.wine.keys("Down")
        self.assertTrue(self.wine.wait_until(lambda: self.hot(0)), "Down: the first entry")
        keyed = self.wine.screenshot()
        self.assertNotEqual(self.entry_region(keyed, 0), self.entry_region(pointer_hot, 0),
                            "the focus frame inside the face")
        self.assertEqual(self.help_region(keyed), self.help_region(pointer_hot),
                         "the help strip shows the entry's help")
        for index in range(1, 7):
            self.assertEqual(self.entry_region(keyed, index), self.entry_region(at_rest, index))
        self.assertEqual(self.wine.controls("Install")[1001].text, "English",
                         "the chooser kept its language")

        self.wine.keys("Down", "Down")
        self.assertTrue(self.wine.wait_until(lambda: self.hot(2)))
        self.assertFalse(self.hot(0))
        self.wine.keys("Return")
        caption = inf_value("Inst.inf", "IDS_CAPTION")
        self.assertTrue(self.wine.wait_until(lambda: self.wine.windows(caption)), caption)

    def test_tab_reaches_the_chooser_where_enter_keeps_the_language_and_the_menu(self):
        page = self.start_menu()
        self.wine.keys("Tab", "Down")
        chooser = lambda: self.wine.controls("Install")[1001].text
        self.assertTrue(self.wine.wait_until(lambda: chooser() == "Fran\xe7ais"), chooser())
        self.assertFalse(self.hot(0), "the entries stay as they were")
        self.wine.keys("Return")
        # Enter is handled by the time the next key is: Tab back to the entries, whose first
        # becomes current.
        self.wine.keys("Tab")
        self.assertTrue(self.wine.wait_until(lambda: self.hot(0)), "back in the entry column")
        self.assertEqual([w.hwnd for w in self.wine.windows("Install")], [page.hwnd],
                         "Enter in the chooser closed nothing")
        self.assertEqual(chooser(), "Fran\xe7ais")
        self.assertEqual(self.wine.controls("Install")[1003].text,
                         inf_value("Inst40c.inf", "IDS_LABEL"))
        self.assertTrue(self.wine.command_lines("Install.exe"), "the menu still runs")
        self.wine.keys("Escape")
        self.assertTrue(self.wine.window_gone("Install"), "Escape closes the page")

    def test_a_sub_page_with_a_chooser_starts_on_its_entries(self):
        # The sample disc with its "More Tools" opening a page of its own look and chooser.
        self.disc = self.wine.install_disc()
        inf = self.wine.unix_path(self.disc + "Inst.inf")
        text = inf.read_bytes().decode("cp1252")
        text = text.replace("MenuItemExecute5=Lumo Dialog", "MenuItemExecute5=Tools Dialog")
        text += ("\r\n[Tools Dialog]\r\nNumber of menu=3\r\nMenuItemString0=One\r\n"
                 "MenuItemString1=Two\r\nMenuItemString2=Back\r\nMenuItemType2=2\r\n")
        inf.write_bytes(text.encode("cp1252"))
        self.assertEqual(self.wine.start(self.disc + "Install.exe").wait(timeout=30), 0)
        self.page = self.wine.wait_window("Install")
        self.assertTrue(self.wine.wait_until(
            lambda: near(self.pixel(self.wine.screenshot(), 2, 300), STRIP_TOP), timeout=15))
        self.wine.click(*self.at(500, ENTRY_TOP + ENTRY_PITCH * 5 + 18))
        self.assertTrue(self.wine.wait_until(lambda: len(self.wine.windows("Install")) == 2))
        sub = [w for w in self.wine.windows("Install") if w.hwnd != self.page.hwnd][0]
        sub_controls = lambda: self.wine.controls_of(sub.hwnd)
        self.assertEqual(sub_controls()[1001].state, 1, "the sub-page shows a chooser")
        self.wine.move_pointer(sub.left + 100, sub.top + 100)
        self.wine.keys("Down", "Down")
        hot_at = lambda index: near(
            self.wine.screenshot().pixel(sub.left + 410, sub.top + ENTRY_TOP + ENTRY_PITCH * index),
            HOT_TOP)
        self.assertTrue(self.wine.wait_until(lambda: hot_at(1)), "Down walked the entries")
        self.assertEqual(sub_controls()[1001].text, "English", "not the sub-page's language")
        self.wine.keys("Down", "Return")  # Back
        self.assertTrue(self.wine.wait_until(lambda: len(self.wine.windows("Install")) == 1))
        self.assertEqual(self.wine.windows("Install")[0].hwnd, self.page.hwnd)

    def test_a_64_bit_screen_reader_reads_the_entries_from_its_own_process(self):
        """A screen reader on 64-bit Windows is a 64-bit program: it reads the page's entries
        across processes, through the system's proxies, whatever the page's architecture."""
        page = self.start_menu()
        count = int(inf_value("Inst.inf", "Number of menu"))
        names = [re.sub("&(.)", r"\1", inf_value("Inst.inf", f"MenuItemString{i}"))
                 for i in range(count)]
        read = []
        for line in self.wine.probe64("accessible", "Install").splitlines():
            head, name, tail = line.split('"')
            role, _state = head.split()
            read.append((int(role), name, tuple(int(p) for p in tail.split())))
        self.assertGreaterEqual(len(read), count, read)
        push_button = 43
        for index, (role, name, location) in enumerate(read[:count]):
            top = ENTRY_TOP + ENTRY_PITCH * index
            self.assertEqual((role, name), (push_button, names[index]), index)
            self.assertEqual(location, (*self.at(ENTRY_LEFT, top), *self.at(ENTRY_RIGHT, top + 37)),
                             index)
        self.assertEqual(self.wine.windows("Install")[0].hwnd, page.hwnd, "nothing opened")

    def test_access_keys_move_and_carry_out_and_escape_closes(self):
        self.wine.set_registry_string(r"HKLM\SOFTWARE\Microsoft\Internet Explorer", "Version",
                                      "5.00.3700.1000")
        page = self.start_menu()
        self.wine.click(*self.at(100, 100))
        # "Manuals" and "More Tools" share their first letter: each press moves on.
        self.wine.keys("alt+m")
        self.assertTrue(self.wine.wait_until(lambda: self.hot(2)), "Manuals")
        self.wine.keys("alt+m")
        self.assertTrue(self.wine.wait_until(lambda: self.hot(5)), "More Tools")
        self.assertEqual(len(self.wine.windows("Install")), 1, "nothing opened")
        # The letter alone, in the column, which has the focus from the start: "Java Runtime" is
        # the only entry with it; the
        # sample disc's browser is too old for it, which the page says.
        self.wine.keys("j")
        title = inf_value("Inst.inf", "IDS_TITLE")
        self.assertTrue(self.wine.wait_until(lambda: self.wine.windows(title)), title)
        self.wine.keys("Return")
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.windows(title)))
        self.wine.keys("Escape")
        self.assertTrue(self.wine.wait_until(
            lambda: all(w.hwnd != page.hwnd for w in self.wine.windows("Install"))))


def scaled(length, dpi):
    """A length of the page's 96-DPI design on a screen of `dpi`, halves away from zero."""
    return (length * dpi + 48) // 96


class PageAtScreenDpiTest(WineTestCase):
    """The page on screens of 96, 144 and 192 DPI (the prefix's LogPixels): its size, its entries
    under the pointer, its help text and its chooser follow the screen's scale."""

    ROWS = [(96, (597, 340)), (144, (896, 510)), (192, (1194, 680))]

    def setUp(self):
        self.wine = WineDesktop(1600, 1000)  # room for the page at 192 DPI
        self.addCleanup(self.wine.close)

    def start_at(self, dpi):
        self.wine.set_dpi(dpi)
        disc = self.wine.install_disc()
        self.assertEqual(self.wine.start(disc + "Install.exe").wait(timeout=30), 0)
        self.page = self.wine.wait_window("Install")
        at = lambda x, y: (self.page.left + scaled(x, dpi), self.page.top + scaled(y, dpi))
        self.assertTrue(self.wine.wait_until(
            lambda: near(self.wine.screenshot().pixel(*at(2, 301)), STRIP_TOP, 8), timeout=15),
            "the page was not painted")
        return at

    def check_page(self, dpi, size):
        at = self.start_at(dpi)
        self.assertEqual((self.page.width, self.page.height), size)
        chooser = self.wine.controls("Install")[1001].rect
        self.assertEqual((chooser[0], chooser[1]), (scaled(16, dpi), scaled(261, dpi)))

        self.wine.move_pointer(*at(100, 100))
        idle = self.wine.screenshot()
        # The middle of entry 1, and just inside its edges: each is hot.
        for x, y in ((500, 74), (409, 57), (591, 91)):
            self.wine.move_pointer(*at(x, y))
            self.assertTrue(self.wine.wait_until(
                lambda: near(self.wine.screenshot().pixel(*at(420, 57)), HOT_TOP, 8)),
                (dpi, x, y, self.wine.screenshot().pixel(*at(420, 57))))
        hot = self.wine.screenshot()
        self.assertTrue(near(hot.pixel(*at(420, 16)), NORMAL_TOP, 8), "entry 0 stays normal")
        # In the gap below it nothing is hot.
        self.wine.move_pointer(*at(500, 94))
        self.assertTrue(self.wine.wait_until(
            lambda: near(self.wine.screenshot().pixel(*at(420, 57)), NORMAL_TOP, 8)))

        # The help text of the hot entry: its first line's ink grows with the screen.
        def ink_rows(shot):
            top, bottom = scaled(300, dpi), scaled(333, dpi)
            left, right = scaled(18, dpi), scaled(400, dpi)
            rows = [y for y in range(top, bottom)
                    if any(sum(shot.pixel(self.page.left + x, self.page.top + y)) < 380
                           for x in range(left, right))]
            first = rows[:1]
            for y in rows[1:]:
                if y != first[-1] + 1:
                    break
                first.append(y)
            return len(first)
        height = ink_rows(hot)
        self.assertGreaterEqual(height, 0.6 * scaled(12, dpi), (dpi, height))
        self.assertLessEqual(height, 1.25 * scaled(12, dpi), (dpi, height))
        self.assertNotEqual(idle.pixel(*at(420, 57)), hot.pixel(*at(420, 57)))
        return at

    def test_96_dpi(self):
        self.check_page(*self.ROWS[0])

    def test_144_dpi(self):
        self.check_page(*self.ROWS[1])

    def test_192_dpi_with_a_click(self):
        at = self.check_page(*self.ROWS[2])
        # The exit entry, clicked at its scaled place, ends the program.
        self.wine.click(*at(500, 15 + 41 * 6 + 18))
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.windows("Install")))


class ForcedLanguageTest(WineTestCase):
    def chooser_after_start(self, values, locale=None):
        for key, value in values:
            self.wine.set_registry_string(key, "ForceLanguage", value)
        disc = self.wine.install_disc()
        # Wine takes the user's locale from the Unix locale variables of the process.
        env = {"LC_ALL": locale} if locale else None
        self.wine.start(disc + "Install.exe", env=env).wait(timeout=30)
        self.wine.wait_window("Install")
        controls = self.wine.controls("Install")
        return controls[1001].text, controls[1001].state, controls[1003].text

    def test_a_code_in_the_first_key_selects_and_locks(self):
        self.assertEqual(self.chooser_after_start([(FIRST_KEY, "fra")])[:2], ("Fran\xe7ais", 2))

    def test_a_code_in_the_second_key_selects_and_locks(self):
        self.assertEqual(self.chooser_after_start([(SECOND_KEY, "DEU")])[:2], ("Deutsch", 2))

    def test_the_first_key_wins(self):
        self.assertEqual(
            self.chooser_after_start([(FIRST_KEY, "ITA"), (SECOND_KEY, "ESP")])[:2],
            ("Italiano", 2))

    def test_a_name_prefix_selects_without_lock(self):
        self.assertEqual(self.chooser_after_start([(FIRST_KEY, "Eng")])[:2], ("English", 1))

    def test_a_value_that_matches_nothing_selects_nothing_and_shows_the_english_file(self):
        text, state, label = self.chooser_after_start([(FIRST_KEY, "XYZ")])
        self.assertEqual((text, state), ("", 1))
        self.assertEqual(label, inf_value("Inst.inf", "IDS_LABEL"))

    def test_without_a_forced_language_the_locale_decides_and_nothing_is_locked(self):
        text, state, label = self.chooser_after_start([], locale="de_DE.UTF-8")
        self.assertEqual((text, state), ("Deutsch", 1))
        self.assertEqual(label, inf_value("Inst407.inf", "IDS_LABEL"))

    def test_a_locale_without_a_language_of_the_disc_gives_english(self):
        self.assertEqual(self.chooser_after_start([], locale="ja_JP.UTF-8")[:2], ("English", 1))

    def test_a_forced_language_goes_before_the_locale(self):
        self.assertEqual(self.chooser_after_start([(FIRST_KEY, "ESP")], locale="de_DE.UTF-8")[:2],
                         ("Espa\xf1ol", 2))


class EveryLanguageOnEverySystemTest(WineTestCase):
    """Each language file is decoded from its own code page, whatever the system's."""

    def start_menu(self, locale):
        self.disc = self.wine.install_disc()
        self.wine.set_registry_string(r"HKLM\SOFTWARE\Microsoft\Internet Explorer", "Version",
                                      "5.00.3700.1000")
        process = self.wine.start(self.disc + "Install.exe", env={"LC_ALL": locale})
        self.assertEqual(process.wait(timeout=30), 0)
        self.page = self.wine.wait_window("Install")

    def entry_face(self, shot, index):
        left, top = self.page.left + ENTRY_LEFT, self.page.top + ENTRY_TOP + ENTRY_PITCH * index
        return shot.region(left, top, left + ENTRY_RIGHT - ENTRY_LEFT, top + 37)

    def test_chinese_on_a_western_system(self):
        self.start_menu("en_US.UTF-8")
        self.wine.click(self.page.left + 60, self.page.top + 270)  # the chooser's list
        self.wine.keys("End", "Return")  # Chinese is its last language
        controls = self.wine.controls("Install")
        self.assertEqual(controls[1001].text, "Chinese")
        self.assertEqual(controls[1003].text, inf_value("Inst804.inf", "IDS_LABEL"))
        # Entries 1 and 2 hold four different characters each: as empty boxes they would look
        # alike.
        self.wine.move_pointer(self.page.left + 100, self.page.top + 100)
        shot = self.wine.screenshot()
        self.assertNotEqual(self.entry_face(shot, 1), self.entry_face(shot, 2))
        # A message in Chinese: the browser warning of the Java runtime entry.
        self.wine.click(self.page.left + 500, self.page.top + ENTRY_TOP + ENTRY_PITCH * 3 + 18)
        title = inf_value("Inst804.inf", "IDS_TITLE")
        self.assertTrue(self.wine.wait_until(lambda: self.wine.windows(title)))
        self.assertEqual(self.wine.box_text(self.wine.windows(title)[0]),
                         inf_value("Inst804.inf", "IDS_WARNING"))
        self.wine.click_control(self.wine.windows(title)[0], 1)
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.windows(title)))
        # A message of the program's own, in Chinese too: a document that cannot be opened.
        self.wine.unix_path(self.disc + "Docs\\ReadMe.txt").unlink()
        self.wine.click(self.page.left + 500, self.page.top + ENTRY_TOP + ENTRY_PITCH * 1 + 18)
        error = inf_value("Inst804.inf", "IDS_ERROR_CAPTION")
        box = self.wine.wait_window(error)
        path = self.disc + inf_value("Inst804.inf", "MenuItemExecute1")
        self.assertEqual(self.wine.box_text(box),
                         inf_value("Inst804.inf", "IDS_CANNOT_START").replace("%s", path))
        self.wine.click_control(box, 1)
        self.assertTrue(self.wine.window_gone(error))

    def test_french_on_a_chinese_system(self):
        self.start_menu("zh_CN.UTF-8")
        self.assertEqual(self.wine.controls("Install")[1001].text, "Chinese", "the user's locale")
        self.wine.keys("Tab", "Home", "Down")  # the chooser comes after the entries
        controls = self.wine.controls("Install")
        self.assertEqual(controls[1001].text, "Fran\xe7ais")
        self.assertEqual(controls[1003].text, inf_value("Inst40c.inf", "IDS_LABEL"))
        # A message with accents: the browser warning of the Java runtime entry.
        self.wine.click(self.page.left + 500, self.page.top + ENTRY_TOP + ENTRY_PITCH * 3 + 18)
        title = inf_value("Inst40c.inf", "IDS_TITLE")
        self.assertTrue(self.wine.wait_until(lambda: self.wine.windows(title)))
        box = self.wine.windows(title)[0]
        self.assertEqual(self.wine.box_text(box), inf_value("Inst40c.inf", "IDS_WARNING"))
        self.wine.click_control(box, 1)
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.windows(title)))
        # The manuals of the language: Documentation\Français\HTML\manulist.htm.
        self.wine.click(self.page.left + 500, self.page.top + ENTRY_TOP + ENTRY_PITCH * 2 + 18)
        caption = inf_value("Inst40c.inf", "IDS_CAPTION")
        self.assertTrue(self.wine.wait_until(lambda: self.wine.windows(caption)), caption)
        self.assertFalse(self.wine.windows(inf_value("Inst40c.inf", "IDS_ERROR_CAPTION")),
                         "the French manuals page is found")


if __name__ == "__main__":
    import unittest
    unittest.main()
