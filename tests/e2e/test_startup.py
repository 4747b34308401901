"""Start-up as a user or the disc's autorun does it: Install.exe from the root of the disc,
without arguments."""

import filecmp
import re
import subprocess

from harness import TOOLS_DIR, WineTestCase, INSTANCE_ATOM

WINDOW_MINIMIZED = 0x20000000


class StartupTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.disc = self.wine.install_disc()
        self.temp = self.wine.temp_folder()

    def set_temp_folder(self, path):
        for name in ("TEMP", "TMP"):
            result = self.wine.run("reg", "add", r"HKCU\Environment", "/v", name, "/d", path,
                                   "/f")
            self.assertEqual(result.returncode, 0)

    def start_from_disc(self, *args):
        return self.wine.start(self.disc + "Install.exe", *args)

    def copy_folders(self):
        """The folders of the copies in the temporary folder, by name."""
        return sorted(path.name for path in self.wine.unix_path(self.temp).iterdir()
                      if path.is_dir() and re.fullmatch(r"discmenu\.[0-9a-f]{16}", path.name))

    def menu_started(self):
        """Waits for the menu; its process's command line and current directory."""
        page = self.wine.wait_window("Install")
        command_lines = self.wine.command_lines("Install.exe")
        directories = self.wine.current_directories("Install.exe")
        self.assertEqual(len(command_lines), 1, command_lines)
        return page, command_lines[0], directories[0]

    def close_menu(self):
        self.wine.probe("close", "Install")
        self.assertTrue(self.wine.window_gone("Install"))
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.command_lines("Install.exe")))

    def test_relaunches_from_a_folder_of_its_own_and_cleans_up_after_itself(self):
        first = self.start_from_disc()
        self.assertEqual(first.wait(timeout=30), 0, "the start from the disc ends at once")
        page, command_line, directory = self.menu_started()
        folder = re.fullmatch(r'"(.*\\)Install\.exe" -InfPath "(.*)"', command_line)
        self.assertIsNotNone(folder, command_line)
        self.assertEqual(folder[2], self.disc)
        self.assertRegex(folder[1], "^" + re.escape(self.temp) + r"discmenu\.[0-9a-f]{16}\\$")
        self.assertEqual(directory.rstrip("\\").lower(), folder[1].rstrip("\\").lower(),
                         "the disc is not the menu's current directory")
        self.assertTrue(filecmp.cmp(self.wine.unix_path(folder[1] + "Install.exe"),
                                    self.wine.unix_path(self.disc + "Install.exe"),
                                    shallow=False))
        self.assertTrue(self.wine.atom_present(), "the running menu is marked")

        # A second start from the disc while the menu runs brings it forward, copying nothing.
        self.wine.probe("post", "Install", "0x112", "0xF020")  # WM_SYSCOMMAND, SC_MINIMIZE
        self.assertTrue(self.wine.wait_until(
            lambda: self.wine.windows("Install")[0].style & WINDOW_MINIMIZED))
        self.assertEqual(self.start_from_disc().wait(timeout=30), 0)
        self.assertTrue(self.wine.wait_until(
            lambda: not self.wine.windows("Install")[0].style & WINDOW_MINIMIZED),
            "the running menu comes back")
        self.assertEqual(len(self.wine.windows("Install")), 1)
        self.assertEqual(len(self.copy_folders()), 1)

        # Closed, the menu takes its marker along; the next start removes the earlier copy and
        # leaves its own only.
        self.close_menu()
        self.assertFalse(self.wine.atom_present())
        self.assertEqual(self.start_from_disc().wait(timeout=30), 0)
        later, command_line, _ = self.menu_started()
        self.assertNotEqual(page.pid, later.pid)
        self.assertNotIn(folder[1], command_line)
        self.close_menu()
        self.assertEqual(len(self.copy_folders()), 1, "no copy beyond the current one")

    def test_two_starts_in_quick_succession_show_one_menu(self):
        starts = [self.start_from_disc(), self.start_from_disc()]
        for start in starts:
            self.assertEqual(start.wait(timeout=60), 0)
        self.wine.wait_window("Install")
        self.assertEqual(len(self.wine.windows("Install")), 1)
        self.assertFalse(self.wine.windows("Installer"), "no message")

    def test_extra_arguments_do_not_disturb_the_relaunch(self):
        self.assertEqual(self.start_from_disc("/autorun", "x y").wait(timeout=30), 0)
        _, command_line, _ = self.menu_started()
        self.assertRegex(command_line, r'\\Install\.exe" -InfPath "' + re.escape(self.disc) + '"$')

    def test_a_marker_left_behind_does_not_silence_the_menu(self):
        # Left by a menu that was killed, or added by another program.
        self.wine.probe("atom-add", INSTANCE_ATOM)
        self.assertEqual(self.start_from_disc().wait(timeout=30), 0)
        self.menu_started()
        self.close_menu()
        self.assertFalse(self.wine.atom_present(), "the stale marker went too")

        # A menu killed while it runs leaves its marker; the next start shows the menu.
        self.assertEqual(self.start_from_disc().wait(timeout=30), 0)
        page, _, _ = self.menu_started()
        self.wine.run("taskkill", "/F", "/PID", str(page.pid))
        self.assertTrue(self.wine.wait_until(lambda: not self.wine.command_lines("Install.exe")))
        self.assertTrue(self.wine.atom_present(), "a killed menu leaves its marker")
        self.assertEqual(self.start_from_disc().wait(timeout=30), 0)
        self.menu_started()

    def test_a_link_in_the_temporary_folder_survives_a_start_with_what_it_points_at(self):
        # Made from Linux, as another user would make a junction or symbolic link there.
        victim = self.wine.c_drive() / "victim"
        (victim / "sub").mkdir(parents=True)
        (victim / "sub" / "keep.txt").write_text("keep")
        temp = self.wine.unix_path(self.temp)
        link = temp / "discmenu.0123456789abcdef"
        link.symlink_to(victim, target_is_directory=True)
        # A link inside an earlier copy's folder is not followed either.
        earlier = temp / "discmenu.00000000000000a1"
        earlier.mkdir()
        (earlier / "inside").symlink_to(victim, target_is_directory=True)
        for _ in range(2):  # each start cleans up
            self.assertEqual(self.start_from_disc().wait(timeout=30), 0)
            self.menu_started()
            self.close_menu()
        self.assertTrue(link.is_symlink(), "the link is left alone")
        self.assertEqual((victim / "sub" / "keep.txt").read_text(), "keep")
        self.assertEqual(sorted(p.name for p in victim.iterdir()), ["sub"])

    def test_a_lock_held_by_another_program_does_not_stop_the_menu(self):
        # Any program of the session can make the lock, and set the page's window property on
        # a window of its own.
        squatter = subprocess.Popen(
            ["wine", str(TOOLS_DIR / "winprobe.exe"), "squat", "Local\\" + INSTANCE_ATOM,
             "discmenu.MainPage"], env=self.wine.env, stdout=subprocess.PIPE, text=True)
        try:
            self.assertEqual(squatter.stdout.readline().strip(), "ready")
            self.assertEqual(self.start_from_disc().wait(timeout=90), 0)
            self.menu_started()
            squatting = self.wine.windows("Squatter")
            self.assertEqual(len(squatting), 1)
            self.assertTrue(squatting[0].style & WINDOW_MINIMIZED,
                            "another program's window is not brought forward in the menu's place")
            # A second start still finds the menu that runs, and brings it forward.
            self.wine.probe("post", "Install", "0x112", "0xF020")  # WM_SYSCOMMAND, SC_MINIMIZE
            self.assertTrue(self.wine.wait_until(
                lambda: self.wine.windows("Install")[0].style & WINDOW_MINIMIZED))
            self.assertEqual(self.start_from_disc().wait(timeout=90), 0)
            self.assertTrue(self.wine.wait_until(
                lambda: not self.wine.windows("Install")[0].style & WINDOW_MINIMIZED))
            self.assertEqual(len(self.wine.windows("Install")), 1)
            self.close_menu()
        finally:
            squatter.kill()
            squatter.wait()
            squatter.stdout.close()

    def test_without_a_copy_the_menu_shows_from_the_disc(self):
        system = None
        for temp in ["C:\\" + "t" * 300,                 # no temporary folder
                     self.disc + "autorun.inf\\sub",      # one that cannot hold files
                     "C:\\" + "t" * 250]:                 # too long for the copy's path
            with self.subTest(temp=temp[:40]):
                self.set_temp_folder(temp)
                start = self.start_from_disc()
                page = self.wine.wait_window("Install")
                self.assertEqual(page.pid, self.wine.windows("Install")[0].pid)
                self.assertFalse(self.wine.windows("Installer"), "no message")
                _, command_line, directory = self.menu_started()
                self.assertNotIn("-InfPath", command_line, "the start from the disc shows it")
                self.assertFalse(directory.lower().startswith(self.disc.rstrip("\\").lower()),
                                 directory)
                system = system or directory
                self.close_menu()
                self.assertEqual(start.wait(timeout=30), 0)
        self.assertTrue(system.rstrip("\\").lower().endswith("system32"), system)
