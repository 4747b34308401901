"""A Wine desktop for end-to-end tests: a throwaway prefix copied from the test run's
template, an X server of its own, the sample disc copied into the prefix, and the probe that
looks at windows and system state from inside the same Wine session."""

import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

SOURCE_DIR = Path(__file__).resolve().parents[2]
BUILD_DIR = Path(os.environ.get("DISCMENU_BUILD_DIR", SOURCE_DIR / "build" / "mingw"))
DISC_DIR = Path(os.environ.get("DISCMENU_DISC_DIR", SOURCE_DIR / "build" / "disc"))
TOOLS_DIR = Path(os.environ.get("DISCMENU_TOOLS_DIR", BUILD_DIR / "tests"))
TEMPLATE = Path(os.environ.get("DISCMENU_WINE_TEMPLATE", BUILD_DIR / "wine-template"))
INSTANCE_ATOM = "__ORMIX_INSTALLER_ATOM__"


class Window:
    """A top-level window as the probe reports it."""

    def __init__(self, line):
        head, caption, tail = line.split('"')
        hwnd, pid = head.split()
        parts = tail.split()
        self.hwnd = hwnd
        self.pid = int(pid)
        self.caption = caption
        self.window_class = parts[0]
        self.left, self.top, self.width, self.height = (int(p) for p in parts[1:5])
        self.style = int(parts[5], 16)
        self.ex_style = int(parts[6], 16)


class WineDesktop:
    def __init__(self, width=1024, height=768):
        if not (TEMPLATE / "system.reg").exists():
            subprocess.run([SOURCE_DIR / "tests" / "wine" / "prepare-prefix.sh", TEMPLATE],
                           check=True, stdout=subprocess.DEVNULL)
        self.prefix = Path(tempfile.mkdtemp(prefix="discmenu-e2e."))
        subprocess.run(["cp", "-a", f"{TEMPLATE}/.", str(self.prefix)], check=True)
        self.screen = (width, height)
        self._xvfb, self.display = self._start_xvfb(width, height)
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY=self.display)
        self.env.pop("DISCMENU_RECORD", None)
        self._started = []
        # One server for the whole test keeps global atoms between programs, and no program's
        # output pipe is held open by a server that it happened to start.
        subprocess.run(["wineserver", "-p"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        # The first program starts Wine's own background processes, which inherit its output
        # and stay for as long as the server: give them none to hold.
        subprocess.run(["wine", str(TOOLS_DIR / "winprobe.exe"), "windows"], env=self.env,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=120)

    @staticmethod
    def _start_xvfb(width, height):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        return xvfb, f":{number}"

    def close(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        for process in self._started:
            if process.poll() is None:
                process.kill()
        self._xvfb.send_signal(signal.SIGTERM)
        self._xvfb.wait(timeout=10)
        shutil.rmtree(self.prefix, ignore_errors=True)

    # Paths ---------------------------------------------------------------------------------
    def c_drive(self):
        return self.prefix / "drive_c"

    def unix_path(self, windows_path):
        """The Linux path of a C: path of this prefix."""
        assert windows_path[:3].upper() == "C:\\", windows_path
        return self.c_drive().joinpath(*windows_path[3:].rstrip("\\").split("\\"))

    def install_disc(self, name="disc"):
        """Copies the sample disc to C:\\<name>\\ and returns that Windows path."""
        shutil.copytree(DISC_DIR, self.c_drive() / name)
        return f"C:\\{name}\\"

    def temp_folder(self):
        return self.probe("temp").strip()

    # Programs ------------------------------------------------------------------------------
    def start(self, program, *args, env=None):
        process = subprocess.Popen(["wine", program, *args], env={**self.env, **(env or {})},
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self._started.append(process)
        return process

    def run(self, program, *args, env=None, timeout=60):
        return subprocess.run(["wine", program, *args], env={**self.env, **(env or {})},
                              capture_output=True, text=True, timeout=timeout,
                              errors="replace")

    def probe(self, *args, check=True, timeout=60):
        result = self.run(str(TOOLS_DIR / "winprobe.exe"), *args, timeout=timeout)
        if check and result.returncode != 0:
            raise AssertionError(f"winprobe {' '.join(args)} failed: {result.stdout}")
        return result.stdout

    def wait_window(self, caption, timeout_ms=20000):
        return Window(self.probe("wait", caption, str(timeout_ms)).strip())

    def window_gone(self, caption, timeout_ms=20000):
        return self.probe("gone", caption, str(timeout_ms), check=False) == "" and \
            not self.windows(caption)

    def windows(self, caption=None):
        lines = self.probe("windows").splitlines()
        found = [Window(line) for line in lines if line.strip()]
        return [w for w in found if caption is None or w.caption == caption]

    def texts(self, caption):
        """The child controls of the window: (id, class, state, text); state 0 hidden,
        1 enabled, 2 disabled."""
        controls = []
        for line in self.probe("texts", caption).splitlines():
            head, text, _ = line.split('"', 2) if line.count('"') >= 2 else (line, "", "")
            control_id, window_class, state = head.split()
            controls.append((int(control_id), window_class, int(state), text))
        return controls

    def message_box(self, caption):
        """Waits for a message box and returns its text."""
        self.wait_window(caption)
        for control_id, window_class, _, text in self.texts(caption):
            if control_id == 0xFFFF and window_class.lower() == "static":
                return text
        raise AssertionError(f"no text in message box {caption!r}")

    def press(self, caption, control_id):
        self.probe("press", caption, str(control_id))

    def command_lines(self, exe_name):
        result = self.probe("cmdlines", exe_name, check=False)
        return [line.split(" ", 1)[1] for line in result.splitlines() if " " in line]

    def atom_present(self, name=INSTANCE_ATOM):
        return self.probe("atom-find", name, check=False).strip() not in ("", "0")

    def wait_until(self, condition, timeout=20.0, interval=0.2):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if condition():
                return True
            time.sleep(interval)
        return condition()


class WineTestCase(unittest.TestCase):
    """Each test gets a desktop of its own."""

    def setUp(self):
        self.wine = WineDesktop()
        self.addCleanup(self.wine.close)
