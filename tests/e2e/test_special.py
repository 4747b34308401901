"""The special entries of the sample disc: the USB driver entry with and without the product,
the Java runtime entry without the disc, and every entry of both pages in one run."""

import shutil

from harness import SOURCE_DIR, WineTestCase
from test_actions import BROWSER_KEY, EXIT, INSTALLER, JAVA, MORE_TOOLS, RECORD, SETUP, USB
from test_menu import inf_value

PRODUCT = r"HKLM\SOFTWARE\Brenlow\Ormix-Frame"
DRIVERS = SOURCE_DIR / "disc" / "testdata" / "drivers"


class SpecialEntriesTest(WineTestCase):
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

    def install_product(self, with_second_package=True):
        folder = self.wine.c_drive() / "Product"
        shutil.copytree(DRIVERS / "RKVU021", folder / "RKVU021")
        if with_second_package:
            shutil.copytree(DRIVERS / "RKVU031", folder / "RKVU031")
        self.wine.run("reg", "add", PRODUCT + r"\Install", "/v", "WBPATH", "/d", "C:\\Product",
                      "/f")
        self.wine.set_registry_string(PRODUCT + r"\Options", "Version", "4.4.0")

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
                      self.wine.probe("texts", "#" + success.hwnd))
        self.wine.probe("press", "#" + success.hwnd, "1")
        self.assertTrue((self.inf_store / "ser2pl.inf").exists())
        self.assertTrue((self.inf_store / "RKVU031.inf").exists())
        self.assertTrue(self.wine.window_gone(title))

    def test_a_missing_driver_package_is_reported_with_the_system_text(self):
        self.install_product(with_second_package=False)
        self.start_menu()
        self.click_entry(USB)
        title = inf_value("Inst.inf", "IDS_USBTITLE")
        self.tick_and_ok(self.wine.wait_window(title), 1005, 1007)
        failure = self.other_window("Install")
        self.assertIn(f'"{title} failed with error: ',
                      self.wine.probe("texts", "#" + failure.hwnd))
        self.wine.probe("press", "#" + failure.hwnd, "1")
        self.assertTrue((self.inf_store / "ser2pl.inf").exists())
        self.assertFalse((self.inf_store / "RKVU031.inf").exists())

    def test_without_the_product_the_usb_entry_only_says_so(self):
        self.start_menu()
        self.click_entry(USB)
        box = self.other_window("Install")
        self.assertIn(inf_value("Inst.inf", "IDS_NOVDINSTALL"),
                      self.wine.probe("texts", "#" + box.hwnd))
        self.wine.probe("press", "#" + box.hwnd, "1")
        self.assertTrue(self.wine.wait_until(lambda: len(self.wine.windows("Install")) == 1))
        self.assertFalse(self.wine.windows(inf_value("Inst.inf", "IDS_USBTITLE")))

    def test_the_java_entry_needs_no_disc(self):
        self.wine.set_registry_string(BROWSER_KEY, "Version", "8.0.7601.17514")
        self.wine.unix_path(self.disc + "Disk1\\disk1.id").unlink()
        self.start_menu()
        self.click_entry(JAVA)
        self.wine.wait_until(lambda: self.record.exists(), 20)
        self.assertEqual(self.record.read_text().splitlines(),
                         [f'"{self.wine.temp_folder()}{INSTALLER}"'])
