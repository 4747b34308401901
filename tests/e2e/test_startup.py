"""Start-up as a user or the disc's autorun does it: Install.exe from the root of the disc,
without arguments."""

import filecmp
import os
import stat

from harness import WineTestCase

CAPTION = "Installer"
NO_TEMP = "Failed to get Temp Folder. Exiting installer"
NO_ATTRIBUTES = ("Failed to set normal attribute on temp file. Try cleaning temp folder. "
                 "Exiting installer")
COPY_FAILED = ("Failed on CopyFile. Check if Installer is already running or enough disk "
               "space or permissions. Exiting installer")


class StartupTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.disc = self.wine.install_disc()
        self.temp = self.wine.temp_folder()
        self.copy = self.wine.unix_path(self.temp + "Install.exe")

    def set_temp_folder(self, path):
        for name in ("TEMP", "TMP"):
            result = self.wine.run("reg", "add", r"HKCU\Environment", "/v", name, "/d", path,
                                   "/f")
            self.assertEqual(result.returncode, 0)

    def start_from_disc(self, *args):
        return self.wine.start(self.disc + "Install.exe", *args)

    def expect_failure_message(self, process, text):
        self.assertEqual(self.wine.message_box(CAPTION), text)
        self.wine.press(CAPTION, 1)
        self.assertEqual(process.wait(timeout=30), 0)
        self.assertFalse(self.wine.windows("Install"), "no menu after a failure")
        self.assertFalse(self.wine.atom_present())

    def test_relaunches_from_the_temporary_folder_and_the_copy_shows_the_menu(self):
        first = self.start_from_disc()
        self.assertEqual(first.wait(timeout=30), 0, "the start from the disc ends at once")
        page = self.wine.wait_window("Install")
        self.assertEqual(self.wine.command_lines("Install.exe"),
                         [f'"{self.temp}Install.exe" -InfPath "{self.disc}"'])
        self.assertTrue(filecmp.cmp(self.copy, self.wine.unix_path(self.disc + "Install.exe"),
                                    shallow=False))
        self.assertTrue(self.wine.atom_present(), "the running menu is marked")

        # A second start from the disc while the menu runs ends silently.
        os.remove(self.copy)
        second = self.start_from_disc()
        self.assertEqual(second.wait(timeout=30), 0)
        self.assertFalse(self.copy.exists(), "nothing copied beside a running menu")
        self.assertEqual(len(self.wine.windows("Install")), 1)
        self.assertFalse(self.wine.windows(CAPTION))

        # Closing the menu ends the process and removes the marker; then a start relaunches.
        self.wine.probe("close", "Install")
        self.assertTrue(self.wine.window_gone("Install"))
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.atom_present()))
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.command_lines("Install.exe")))
        self.assertEqual(self.start_from_disc().wait(timeout=30), 0)
        self.assertTrue(self.copy.exists())
        self.wine.wait_window("Install")
        self.assertNotEqual(page.pid, self.wine.windows("Install")[0].pid)

    def test_extra_arguments_do_not_disturb_the_relaunch(self):
        self.assertEqual(self.start_from_disc("/autorun", "x y").wait(timeout=30), 0)
        self.wine.wait_window("Install")
        self.assertEqual(self.wine.command_lines("Install.exe"),
                         [f'"{self.temp}Install.exe" -InfPath "{self.disc}"'])

    def test_a_marker_left_behind_makes_every_start_end_silently(self):
        self.wine.probe("atom-add", "__ORMIX_INSTALLER_ATOM__")
        self.assertEqual(self.start_from_disc().wait(timeout=30), 0)
        self.assertFalse(self.copy.exists())
        self.assertFalse(self.wine.windows())

    def test_a_read_only_earlier_copy_is_overwritten(self):
        self.copy.write_bytes(b"an earlier copy")
        os.chmod(self.copy, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
        self.assertEqual(self.start_from_disc().wait(timeout=30), 0)
        self.wine.wait_window("Install")
        self.assertTrue(filecmp.cmp(self.copy, self.wine.unix_path(self.disc + "Install.exe"),
                                    shallow=False))

    def test_no_temporary_folder(self):
        self.set_temp_folder("C:\\" + "t" * 300)
        self.expect_failure_message(self.start_from_disc(), NO_TEMP)

    def test_temporary_folder_that_cannot_hold_files(self):
        # The "folder" is a file: the earlier copy's attributes cannot even be looked at.
        self.set_temp_folder(self.disc + "autorun.inf\\sub")
        self.expect_failure_message(self.start_from_disc(), NO_ATTRIBUTES)

    def test_temporary_path_too_long_for_the_system(self):
        self.set_temp_folder("C:\\" + "t" * 250)
        self.expect_failure_message(self.start_from_disc(), COPY_FAILED)

    def test_the_copy_started_without_arguments_cannot_copy_itself(self):
        self.assertEqual(self.start_from_disc().wait(timeout=30), 0)
        self.wine.wait_window("Install")
        self.wine.probe("close", "Install")
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.atom_present()))
        self.expect_failure_message(self.wine.start(self.temp + "Install.exe"), COPY_FAILED)
