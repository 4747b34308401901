"""The special entries of the sample disc: the USB driver entry with and without the product,
the Java runtime entry without the disc, and every entry of both pages in one run."""

import re
import shutil

from harness import SOURCE_DIR, WineTestCase
from test_actions import (BROWSER_KEY, DOCUMENT, EXIT, INSTALLER, JAVA, MANUALS, MORE_TOOLS,
                          RECORD, SETUP, USB)
from test_menu import ENTRY_PITCH, ENTRY_TOP, FIRST_KEY, HOT_TOP, inf_value, near

PRODUCT = r"HKLM\SOFTWARE\Brenlow\Ormix-Frame"
WS_EX_TOOLWINDOW = 0x80
DRIVERS = SOURCE_DIR / "disc" / "testdata" / "drivers"


class EveryEntryTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.disc = self.wine.install_disc()
        self.record = self.wine.unix_path(RECORD)
        self.inf_store = self.wine.c_drive() / "windows" / "inf"

    def start_menu(self):
        process = self.wine.start(self.disc + "Install.exe", env={"DISCMENU_RECORD": RECORD})
        self.assertEqual(process.wait(timeout=30), 0)
        self.page = self.wine.wait_window("Install")
        self.wine.move_pointer(self.page.left + 100, self.page.top + 100)

    def click_entry(self, index, page=None):
        page = page or self.page
        self.wine.click(page.left + 500, page.top + 15 + 41 * index + 18)

    def install_product(self, with_second_package=True, view=None):
        """The product's folder with its driver packages, and its keys: in the registry view
        of the loader's `reg` unless `view` ("64" or "32") names one, as a product's 64-bit or
        32-bit setup program writes them."""
        folder = self.wine.c_drive() / "Product"
        shutil.copytree(DRIVERS / "RKVU021", folder / "RKVU021")
        if with_second_package:
            shutil.copytree(DRIVERS / "RKVU031", folder / "RKVU031")
        in_view = [f"/reg:{view}"] if view else []
        for key, name, value in ((r"\Install", "WBPATH", "C:\\Product"),
                                 (r"\Options", "Version", "4.4.0")):
            result = self.wine.reg("add", PRODUCT + key, "/v", name, "/d", value, "/f",
                                   *in_view)
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        if view:
            other = "32" if view == "64" else "64"
            absent = self.wine.reg("query", PRODUCT + r"\Install", f"/reg:{other}")
            self.assertNotEqual(absent.returncode, 0, f"the keys are in the {other}-bit view too")

    def other_window(self, caption):
        self.assertTrue(self.wine.wait_until(
            lambda: any(w.hwnd != self.page.hwnd for w in self.wine.windows(caption))))
        return [w for w in self.wine.windows(caption) if w.hwnd != self.page.hwnd][0]

    def tick_and_ok(self, dialog, *box_ids):
        controls = self.wine.controls_of(dialog.hwnd)
        for box in box_ids:
            left, top, right, bottom = controls[box].rect
            self.wine.click(dialog.left + (left + right) // 2, dialog.top + (top + bottom) // 2)
        for box in (1005, 1007):
            self.assertEqual(self.wine.probe("checked", "#" + dialog.hwnd, str(box)).strip(),
                             "1" if box in box_ids else "0")
        left, top, right, bottom = controls[1].rect
        self.wine.click(dialog.left + (left + right) // 2, dialog.top + (top + bottom) // 2)

    def test_the_usb_entry_registers_both_driver_packages(self):
        self.install_product()
        self.start_menu()
        self.click_entry(USB)
        title = inf_value("Inst.inf", "IDS_USBTITLE")
        dialog = self.wine.wait_window(title)
        texts = self.wine.controls_of(dialog.hwnd)
        self.assertEqual(texts[1005].text, inf_value("Inst.inf", "IDS_FIRSTCHECKBOXCAPTION"))
        self.assertEqual(texts[1007].text, inf_value("Inst.inf", "IDS_SECONDCHECKBOXCAPTION"))
        self.tick_and_ok(dialog, 1005, 1007)
        success = self.other_window("Install")
        self.assertIn(inf_value("Inst.inf", "IDS_FILECOPYSUCCESS"),
                      self.wine.box_text(success))
        self.wine.probe("press", "#" + success.hwnd, "1")
        self.assertTrue((self.inf_store / "ser2pl.inf").exists())
        self.assertTrue((self.inf_store / "RKVU031.inf").exists())
        self.assertTrue(self.wine.window_gone(title))

    def register_first_package_from_the_usb_entry(self):
        self.start_menu()
        self.click_entry(USB)
        title = inf_value("Inst.inf", "IDS_USBTITLE")
        self.tick_and_ok(self.wine.wait_window(title), 1005)
        success = self.other_window("Install")
        self.assertIn(inf_value("Inst.inf", "IDS_FILECOPYSUCCESS"), self.wine.box_text(success))
        self.wine.probe("press", "#" + success.hwnd, "1")
        self.assertTrue((self.inf_store / "ser2pl.inf").exists())
        self.assertFalse((self.inf_store / "RKVU031.inf").exists())

    def test_a_product_set_up_by_a_64_bit_program_is_found_in_the_64_bit_view(self):
        self.install_product(view="64")
        self.register_first_package_from_the_usb_entry()

    def test_a_product_set_up_by_a_32_bit_program_is_found_in_the_32_bit_view(self):
        self.install_product(view="32")
        self.register_first_package_from_the_usb_entry()

    def test_a_missing_driver_package_is_reported_with_the_system_text(self):
        self.install_product(with_second_package=False)
        self.start_menu()
        self.click_entry(USB)
        title = inf_value("Inst.inf", "IDS_USBTITLE")
        self.tick_and_ok(self.wine.wait_window(title), 1005, 1007)
        failure = self.other_window("Install")
        self.assertTrue(self.wine.box_text(failure).startswith(f"{title} failed with error: "))
        self.wine.probe("press", "#" + failure.hwnd, "1")
        self.assertTrue((self.inf_store / "ser2pl.inf").exists())
        self.assertFalse((self.inf_store / "RKVU031.inf").exists())

    def test_the_elevated_copys_switch_registers_the_packages_chosen_and_nothing_else(self):
        self.install_product()
        shutil.copytree(DRIVERS / "RKVU031", self.wine.c_drive() / "Other" / "RKVU031")
        program = self.disc + "Install.exe"
        first = r"C:\Product\RKVU021\ser2pl.inf"
        for arguments in ([first], ["first", r"C:\Other\RKVU031\RKVU031.inf"],
                          [r"C:\Product\..\Other\RKVU031\RKVU031.inf"], ["third"],
                          ["first", "first"], ["first", "-InfPath", self.disc], []):
            refused = self.wine.run(program, "-RegisterPackages", *arguments)
            self.assertEqual(refused.returncode, 5, arguments)  # access denied
        self.assertEqual(self.wine.run(program, first, "-RegisterPackages", "first").returncode,
                         5, "nothing before the switch either")
        self.assertFalse((self.inf_store / "ser2pl.inf").exists())
        self.assertFalse((self.inf_store / "RKVU031.inf").exists())
        done = self.wine.run(program, "-RegisterPackages", "first")
        self.assertEqual(done.returncode, 0)
        self.assertTrue((self.inf_store / "ser2pl.inf").exists())
        self.assertFalse((self.inf_store / "RKVU031.inf").exists())
        self.assertFalse(self.wine.windows("Install"), "the copy shows no menu")
        self.assertFalse(self.wine.atom_present())

    def test_the_elevated_copy_refuses_a_link_in_the_product_folder_and_an_expandable_folder(self):
        self.install_product()
        program = self.disc + "Install.exe"
        # The second package's folder a link, made from Linux, to a folder the user can write.
        product = self.wine.c_drive() / "Product"
        attacker = self.wine.c_drive() / "UserCache"
        shutil.move(str(product / "RKVU031"), str(attacker / "RKVU031"))
        (product / "RKVU031").symlink_to(attacker / "RKVU031", target_is_directory=True)
        self.assertEqual(self.wine.run(program, "-RegisterPackages", "second").returncode, 5)
        self.assertEqual(self.wine.run(program, "-RegisterPackages", "first", "second").returncode,
                         5, "one refused, none registered")
        self.assertFalse((self.inf_store / "RKVU031.inf").exists())
        self.assertFalse((self.inf_store / "ser2pl.inf").exists())

        # The folder written to be expanded, with a variable of the user's environment.
        self.wine.run("reg", "add", PRODUCT + r"\Install", "/v", "WBPATH", "/t", "REG_EXPAND_SZ",
                      "/d", "%PRODROOT%", "/f")
        refused = self.wine.run(program, "-RegisterPackages", "first",
                                env={"PRODROOT": "C:\\Product"})
        self.assertEqual(refused.returncode, 5)
        self.assertFalse((self.inf_store / "ser2pl.inf").exists())
        self.wine.run("reg", "add", PRODUCT + r"\Install", "/v", "WBPATH", "/d", "C:\\Product",
                      "/f")
        self.assertEqual(self.wine.run(program, "-RegisterPackages", "first").returncode, 0)
        self.assertTrue((self.inf_store / "ser2pl.inf").exists())

    def test_without_the_product_the_usb_entry_only_says_so(self):
        self.start_menu()
        self.usb_entry_asks_for_the_product()
        self.assertFalse(self.wine.windows(inf_value("Inst.inf", "IDS_USBTITLE")))

    def usb_entry_asks_for_the_product(self):
        self.click_entry(USB)
        box = self.other_window("Install")
        self.assertIn(inf_value("Inst.inf", "IDS_NOVDINSTALL"),
                      self.wine.box_text(box))
        self.wine.probe("press", "#" + box.hwnd, "1")
        self.assertTrue(self.wine.wait_until(lambda: len(self.wine.windows("Install")) == 1))

    def test_the_java_entry_needs_no_disc(self):
        self.wine.set_registry_string(BROWSER_KEY, "Version", "8.0.7601.17514")
        self.wine.unix_path(self.disc + "Disk1\\disk1.id").unlink()
        self.start_menu()
        self.click_entry(JAVA)
        self.wine.wait_until(lambda: self.record.exists(), 20)
        lines = self.record.read_text().splitlines()
        self.assertEqual(len(lines), 1, lines)
        self.assertRegex(lines[0],
                         f'^"{self.wine.program_folder_pattern()}{re.escape(INSTALLER)}"$')

    def test_the_manuals_entry_opens_the_manuals_of_the_selected_language(self):
        self.wine.set_registry_string(FIRST_KEY, "ForceLanguage", "ITA")
        self.start_menu()
        self.click_entry(MANUALS)
        caption = inf_value("Inst410.inf", "IDS_CAPTION")
        manuals = self.wine.wait_window(caption)
        self.assertEqual(manuals.pid, self.page.pid, "a window of the menu's process")
        self.assertTrue(manuals.ex_style & WS_EX_TOOLWINDOW)
        browser = self.wine.controls_of(manuals.hwnd)[1201]
        self.assertEqual(browser.rect, (0, 0, manuals.width, manuals.height))
        error = inf_value("Inst410.inf", "IDS_ERROR_CAPTION")  # the Italian messages' caption
        self.assertFalse(self.wine.wait_until(lambda: self.wine.windows(error), 3),
                         "the Italian page exists")
        self.close_manuals(caption)
        self.assertEqual(len(self.wine.windows("Install")), 1, "the menu stays open")

    def close_manuals(self, caption):
        """Closes the manuals window and waits until it is destroyed."""
        manuals = self.wine.wait_window(caption)
        self.wine.probe("close", "#" + manuals.hwnd)
        self.assertTrue(self.wine.window_gone(caption))
        self.assertTrue(self.wine.wait_until(
            lambda: self.wine.probe("texts", "#" + manuals.hwnd, check=False) == ""))

    def notepad_opened(self, document):
        """Waits for the shell's text editor to show `document`, then closes it. Its window's
        caption names the document it opened: a 32-bit editor's command line cannot be read
        from another process where 32-bit programs run emulated (its memory is the emulator's),
        while its windows can be."""
        def editors():
            pids = {int(line.split(" ", 1)[0]) for line in
                    self.wine.probe("cmdlines", "notepad.exe", check=False).splitlines()
                    if line.strip()}
            return [w for w in self.wine.windows() if w.pid in pids and document in w.caption]
        self.assertTrue(self.wine.wait_until(editors), document)
        for window in editors():
            self.wine.probe("close", "#" + window.hwnd)
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.command_lines("notepad.exe")))

    def test_one_start_hovers_keys_reads_and_starts_every_kind_of_entry(self):
        """One menu, as few starts of the 32-bit program as can be (where it runs emulated,
        each takes minutes): the pointer, the keyboard into the manuals, a 64-bit screen
        reader, the product found in the 64-bit view with a driver package registered, a
        program, a document, the Java runtime, a sub-page and the exit entry."""
        self.install_product(view="64")
        self.wine.set_registry_string(BROWSER_KEY, "Version", "8.0.7601.17514")
        self.start_menu()

        def hot(index):
            shot = self.wine.screenshot()
            return near(shot.pixel(self.page.left + 410,
                                   self.page.top + ENTRY_TOP + ENTRY_PITCH * index), HOT_TOP)

        self.wine.move_pointer(self.page.left + 500, self.page.top + ENTRY_TOP + 18)
        self.assertTrue(self.wine.wait_until(lambda: hot(0)), "the entry under the pointer")

        names = [line.split('"')[1] for line in
                 self.wine.probe64("accessible", "Install").splitlines()]
        self.assertEqual(names[:7], [re.sub("&(.)", r"\1", inf_value("Inst.inf",
                                                                      f"MenuItemString{i}"))
                                     for i in range(7)])

        # The page has the focus on its entries from the start: the first Down shows the first
        # entry, two more reach the manuals.
        self.wine.click(self.page.left + 100, self.page.top + 100)
        self.wine.keys("Down", "Down", "Down", "Return")
        self.close_manuals(inf_value("Inst.inf", "IDS_CAPTION"))

        self.click_entry(SETUP)
        self.assertStarted(self.recorded(1)[0], "Disk1\\setup.exe")
        self.click_entry(DOCUMENT)
        self.notepad_opened("ReadMe.txt")
        self.click_entry(JAVA)
        self.assertRegex(self.recorded(2)[1],
                         f'^"{self.wine.program_folder_pattern()}{re.escape(INSTALLER)}"$')
        self.click_entry(USB)
        self.tick_and_ok(self.wine.wait_window(inf_value("Inst.inf", "IDS_USBTITLE")), 1005)
        success = self.other_window("Install")
        self.assertIn(inf_value("Inst.inf", "IDS_FILECOPYSUCCESS"), self.wine.box_text(success))
        self.wine.probe("press", "#" + success.hwnd, "1")
        self.assertTrue((self.inf_store / "ser2pl.inf").exists())
        self.assertTrue(self.wine.window_gone(inf_value("Inst.inf", "IDS_USBTITLE")))
        self.click_entry(MORE_TOOLS)
        sub_page = self.other_window("Install")
        self.click_entry(2, sub_page)
        self.assertTrue(self.wine.wait_until(lambda: len(self.wine.windows("Install")) == 1))

        self.click_entry(EXIT)
        self.assertTrue(self.wine.window_gone("Install"))
        self.assertFalse(self.wine.atom_present())

    def test_every_entry_of_both_pages_in_one_run(self):
        self.wine.set_registry_string(BROWSER_KEY, "Version", "8.0.7601.17514")
        self.start_menu()
        # The first round fills the caches of the system's own parts (message box icons, the
        # browser control's fonts); the second must leave the count where it found it.
        self.click_every_entry_but_exit(round_number=0)
        objects_before = self.gdi_objects()
        self.click_every_entry_but_exit(round_number=1)
        self.assertEqual(self.gdi_objects(), objects_before, "drawing objects leaked")

        self.click_entry(EXIT)
        self.assertTrue(self.wine.window_gone("Install"))
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.command_lines("Install.exe")))
        self.assertFalse(self.wine.atom_present())
        self.assertEqual(len(self.recorded(6)), 6, "nothing else was started")

    def click_every_entry_but_exit(self, round_number):
        first = 3 * round_number
        self.click_entry(SETUP)
        self.assertStarted(self.recorded(first + 1)[first], "Disk1\\setup.exe")
        self.click_entry(DOCUMENT)
        self.notepad_opened("ReadMe.txt")
        self.click_entry(MANUALS)
        self.close_manuals(inf_value("Inst.inf", "IDS_CAPTION"))
        self.click_entry(JAVA)
        self.assertRegex(self.recorded(first + 2)[first + 1],
                         f'^"{self.wine.program_folder_pattern()}{re.escape(INSTALLER)}"$')
        self.usb_entry_asks_for_the_product()

        self.click_entry(MORE_TOOLS)
        sub_page = self.other_window("Install")
        self.click_entry(0, sub_page)
        self.assertStarted(self.recorded(first + 3)[first + 2], "Disk1\\Tools\\setup.exe")
        self.click_entry(1, sub_page)
        self.notepad_opened("License.txt")
        self.click_entry(2, sub_page)
        self.assertTrue(self.wine.wait_until(lambda: len(self.wine.windows("Install")) == 1))

    def assertStarted(self, line, program):
        self.assertIn(self.disc + program, line)
        self.assertTrue(line.endswith(" -l0009"), line)

    def gdi_objects(self):
        return int(self.wine.probe("gdi", str(self.page.pid)))

    def recorded(self, count, timeout=20):
        self.wine.wait_until(lambda: self.record.exists() and
                             len(self.record.read_text().splitlines()) >= count, timeout)
        return self.record.read_text().splitlines() if self.record.exists() else []
