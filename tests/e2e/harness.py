"""A Wine desktop for end-to-end tests: a throwaway prefix copied from the test run's
template, an X server of its own, the sample disc copied into the prefix, and the probe that
looks at windows and system state from inside the same Wine session."""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

SOURCE_DIR = Path(__file__).resolve().parents[2]


def _runtime_build():
    """The build whose programs run here, when the environment names none, and why: the 32-bit
    one where the machine runs 32-bit x86 programs natively (32-bit Wine needs them), the x86_64
    one elsewhere (tools/setup/runs-i386.sh)."""
    runs = SOURCE_DIR / "tools" / "setup" / "runs-i386.sh"
    check = subprocess.run([runs], capture_output=True, text=True)
    why = check.stdout.strip()
    how = subprocess.run([runs, "--how"], capture_output=True, text=True).stdout.strip()
    if check.returncode == 0 and how == "native":
        return "mingw", "disc", f"the 32-bit program: {why}"
    return "mingw64", "disc64", f"the x86_64 program: {why}"


if "DISCMENU_BUILD_DIR" in os.environ:
    BUILD_DIR = Path(os.environ["DISCMENU_BUILD_DIR"])
    DISC_DIR = Path(os.environ.get("DISCMENU_DISC_DIR", SOURCE_DIR / "build" / "disc"))
    RUNTIME_NOTE = f"the program of {BUILD_DIR}"
else:
    _build, _disc, RUNTIME_NOTE = _runtime_build()
    BUILD_DIR = SOURCE_DIR / "build" / _build
    DISC_DIR = Path(os.environ.get("DISCMENU_DISC_DIR", SOURCE_DIR / "build" / _disc))
TOOLS_DIR = Path(os.environ.get("DISCMENU_TOOLS_DIR", BUILD_DIR / "tests"))
# Wine's loader for the programs of that build, by its full path where the build names one:
# Debian's `wine` picks the 32-bit loader whenever 32-bit Wine is installed, and a 64-bit program
# started through it starts slowly where 32-bit programs run emulated.
WINE = os.environ.get("DISCMENU_WINE_LOADER",
                      "/usr/lib/wine/wine64" if BUILD_DIR.name == "mingw64" and
                      Path("/usr/lib/wine/wine64").exists() else "wine")
# The 64-bit probe and loader, for what a 64-bit program in the same session sees (a screen
# reader on 64-bit Windows is one).
WINE64 = os.environ.get("DISCMENU_WINE64_LOADER", "/usr/lib/wine/wine64")
PROBE64 = Path(os.environ.get("DISCMENU_PROBE64",
                              SOURCE_DIR / "build" / "mingw64" / "tests" / "winprobe.exe"))
# QEMU reserves the 32-bit address space up front, where 32-bit Wine runs under its emulation:
# without it Wine cannot map its shared user data. Natively nothing reads it.
QEMU_RESERVED_VA = os.environ.get("QEMU_RESERVED_VA", "0xf7000000")
# Where 32-bit programs run emulated, every start of the 32-bit probe would take a minute: the
# tests then look at the session through the 64-bit probe, which sees the same windows and
# processes (tests/wine/if-i386-runs.sh sets this there). The program under test stays 32-bit.
OBSERVE_WITH_PROBE64 = bool(os.environ.get("DISCMENU_OBSERVE_WITH_PROBE64"))
# How many times longer than natively every wait may take: where 32-bit programs run under
# emulation, each of them runs many times slower (tests/wine/if-i386-runs.sh sets it there).
TIME_SCALE = float(os.environ.get("DISCMENU_TIME_SCALE", "1"))


def scaled_time(seconds):
    return seconds * TIME_SCALE


class Process(subprocess.Popen):
    """A started program, whose waits allow for a slower machine."""

    def wait(self, timeout=None):
        return super().wait(timeout=None if timeout is None else scaled_time(timeout))
TEMPLATE = Path(os.environ.get("DISCMENU_WINE_TEMPLATE", BUILD_DIR / "wine-template"))
INSTANCE_ATOM = "__ORMIX_INSTALLER_ATOM__"


SECOND_BRAND_DIR = BUILD_DIR / "tools" / "artwork" / "second-brand"


def branded_program(brand, out):
    """The disc's Install.exe with the brand folder `brand` written into it by discmenu-brand
    (the build's), as the file `out`, the way make disc BRAND=... gives a disc its brand. The
    tool runs under Wine in a throwaway prefix of its own (tests/wine/wine-run.sh)."""
    tool = BUILD_DIR / "discmenu-brand.exe"
    result = subprocess.run(
        [str(SOURCE_DIR / "tests" / "wine" / "wine-run.sh"), str(tool), str(brand),
         str(DISC_DIR / "Install.exe"), "-o", str(out)],
        capture_output=True, text=True, timeout=scaled_time(300),
        env={**os.environ, "DISCMENU_WINE_TEMPLATE": str(TEMPLATE), "DISCMENU_WINE_LOADER": WINE})
    if result.returncode != 0:
        raise AssertionError(f"discmenu-brand failed ({result.returncode}): "
                             f"{result.stdout}{result.stderr}")
    return Path(out)


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
        self.outer = tuple(int(p) for p in parts[7:11])  # left, top, right, bottom


class Control:
    """A child control: id, class, state (0 hidden, 1 enabled, 2 disabled), text and its
    rectangle in the client coordinates of its window."""

    def __init__(self, line):
        head, rest = line.split('"', 1)
        text, tail = rest.rsplit('"', 1)
        # Class names may hold blanks: the id comes first and the state last.
        fields = head.split()
        self.id = int(fields[0])
        self.window_class = " ".join(fields[1:-1])
        self.state = int(fields[-1])
        self.text = re.sub(r"\\(.)", lambda m: {"r": "\r", "n": "\n"}.get(m[1], m[1]), text)
        self.rect = tuple(int(p) for p in tail.split())


class Screenshot:
    """The whole X screen; pixel() gives (red, green, blue) at screen coordinates."""

    def __init__(self, data):
        # Binary PPM: "P6\n<width> <height>\n<maxval>\n" and the rows.
        fields = []
        position = 0
        while len(fields) < 4:
            while data[position:position + 1].isspace():
                position += 1
            end = position
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[position:end])
            position = end
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[position + 1:]

    def pixel(self, x, y):
        offset = 3 * (y * self.width + x)
        return tuple(self.pixels[offset:offset + 3])

    def region(self, left, top, right, bottom):
        return [self.pixel(x, y) for y in range(top, bottom) for x in range(left, right)]


class WineDesktop:
    def __init__(self, width=1024, height=768):
        if not (TEMPLATE / "system.reg").exists():
            subprocess.run([SOURCE_DIR / "tests" / "wine" / "prepare-prefix.sh", TEMPLATE],
                           check=True, stdout=subprocess.DEVNULL)
        self.prefix = Path(tempfile.mkdtemp(prefix="discmenu-e2e."))
        subprocess.run(["cp", "-a", f"{TEMPLATE}/.", str(self.prefix)], check=True)
        self._let_window_manager_decorate()
        self.screen = (width, height)
        self._xvfb, self.display = self._start_xvfb(width, height)
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY=self.display,
                        QEMU_RESERVED_VA=QEMU_RESERVED_VA)
        self.env.pop("DISCMENU_RECORD", None)
        self._started = []
        self._window_manager = None  # close() may run before it is up
        self._window_manager = self._start_window_manager()
        # One server for the whole test keeps global atoms between programs, and no program's
        # output pipe is held open by a server that it happened to start.
        subprocess.run(["wineserver", "-p"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        # The first program starts Wine's own background processes, which inherit its output
        # and stay for as long as the server: give them none to hold.
        probe, loader = (PROBE64, WINE64) if OBSERVE_WITH_PROBE64 else \
            (TOOLS_DIR / "winprobe.exe", WINE)
        subprocess.run([loader, str(probe), "windows"], env=self.env,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=scaled_time(120))

    def _let_window_manager_decorate(self):
        """The template has Wine draw the window frames for the tests without a window manager;
        on a desktop the window manager frames the windows, as Wine does by default."""
        user_reg = self.prefix / "user.reg"
        lines = user_reg.read_text().splitlines(keepends=True)
        user_reg.write_text("".join(line for line in lines if not line.startswith('"Decorated"=')))

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

    def _start_window_manager(self):
        """Openbox on the display, as on a user's desktop: it frames, places and activates
        the windows. Returns once it has taken the display over."""
        log = self.prefix / "openbox.log"
        for _ in range(2):
            with open(log, "w") as output:
                manager = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                           stdin=subprocess.DEVNULL, stdout=output,
                                           stderr=subprocess.STDOUT)

            def running():
                check = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                       env=self.env, capture_output=True)
                return manager.poll() is None and b"window id" in check.stdout

            if self.wait_until(running, timeout=20):
                return manager
            manager.kill()
            manager.wait()
        message = f"openbox did not take display {self.display} over: {log.read_text()[-2000:]}"
        self.close()
        raise RuntimeError(message)

    def close(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        for process in self._started + [self._window_manager]:
            if process is not None and process.poll() is None:
                process.kill()
                process.wait()
        self._xvfb.send_signal(signal.SIGTERM)
        try:
            self._xvfb.wait(timeout=10)
        except subprocess.TimeoutExpired:
            # A busy machine: the server may still be serving the last clients' requests.
            self._xvfb.kill()
            self._xvfb.wait()
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

    def program_folder_pattern(self):
        """A regular expression of a folder the program makes in the temporary folder for a
        copy: a name nobody can foresee."""
        return re.escape(self.temp_folder()) + r"discmenu\.[0-9a-f]{16}\\"

    # Programs ------------------------------------------------------------------------------
    def start(self, program, *args, env=None):
        process = Process([WINE, program, *args], env={**self.env, **(env or {})},
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self._started.append(process)
        return process

    def run(self, program, *args, env=None, timeout=60, loader=None):
        result = subprocess.run([loader or WINE, program, *args], env={**self.env, **(env or {})},
                                capture_output=True, text=True, timeout=scaled_time(timeout),
                                encoding="utf-8", errors="replace")
        # 126 and 127 come from the shell of Debian's `wine` when it cannot start Wine's loader
        # (a 32-bit loader on a machine without 32-bit support, say): no Windows program
        # returns them, and every later start would fail the same way.
        if result.returncode in (126, 127):
            raise AssertionError(f"Wine could not start {program} (exit status "
                                 f"{result.returncode}): {result.stderr.strip()[-2000:]}")
        return result

    def probe(self, *args, check=True, timeout=60):
        if OBSERVE_WITH_PROBE64:
            result = self.run(str(PROBE64), *args, timeout=timeout, loader=WINE64)
        else:
            result = self.run(str(TOOLS_DIR / "winprobe.exe"), *args, timeout=timeout)
        if check and result.returncode != 0:
            raise AssertionError(f"winprobe {' '.join(args)} failed with exit status "
                                 f"{result.returncode}: {result.stdout}{result.stderr[-2000:]}")
        return result.stdout

    def probe64(self, *args, timeout=60):
        """The 64-bit probe (the x86_64 build's), started by 64-bit Wine's loader: what a 64-bit
        program of the same session sees."""
        if not PROBE64.exists():
            raise AssertionError(f"no 64-bit probe at {PROBE64}: make mingw64 builds it")
        result = self.run(str(PROBE64), *args, timeout=timeout, loader=WINE64)
        if result.returncode != 0:
            raise AssertionError(f"winprobe (64-bit) {' '.join(args)} failed with exit status "
                                 f"{result.returncode}: {result.stdout}{result.stderr[-2000:]}")
        return result.stdout

    def wait_window(self, caption, timeout_ms=60000):
        timeout_ms = int(scaled_time(timeout_ms))
        return Window(self.probe("wait", caption, str(timeout_ms),
                                 timeout=timeout_ms // 1000 / TIME_SCALE + 30).strip())

    def window_gone(self, caption, timeout_ms=20000):
        timeout_ms = int(scaled_time(timeout_ms))
        return self.probe("gone", caption, str(timeout_ms), check=False,
                          timeout=timeout_ms // 1000 / TIME_SCALE + 60) == "" and \
            not self.windows(caption)

    def windows(self, caption=None):
        lines = self.probe("windows").splitlines()
        found = [Window(line) for line in lines if line.strip()]
        return [w for w in found if caption is None or w.caption == caption]

    def controls(self, caption):
        """The child controls of the window, by id."""
        return {c.id: c for c in (Control(line) for line in
                                  self.probe("texts", caption).splitlines() if line.strip())}

    def controls_of(self, hwnd):
        """The child controls of the window with the handle `hwnd` (as the probe prints it)."""
        return {c.id: c for c in (Control(line) for line in
                                  self.probe("texts", "#" + hwnd).splitlines() if line.strip())}

    def message_box(self, caption):
        """Waits for a message box and returns its text."""
        return self.box_text(self.wait_window(caption))

    def box_text(self, box):
        """The text of the message box `box`."""
        for control in self.controls_of(box.hwnd).values():
            if control.id == 0xFFFF and control.window_class.lower() == "static":
                return control.text
        raise AssertionError(f"no text in message box {box.caption!r}")

    # The screen and the pointer -------------------------------------------------------------
    def screenshot(self):
        data = subprocess.run(["import", "-display", self.display, "-window", "root", "-depth", "8",
                               "ppm:-"],
                              capture_output=True, check=True).stdout
        return Screenshot(data)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *[str(a) for a in args]], env=self.env, check=True,
                       stdout=subprocess.DEVNULL)

    def move_pointer(self, x, y):
        """Moves the pointer to screen coordinates with a real X event and lets Wine handle
        it. A pointer already there stays (waiting for a move that does not come would take
        xdotool's whole timeout)."""
        location = subprocess.run(["xdotool", "getmouselocation", "--shell"], env=self.env,
                                  capture_output=True, text=True).stdout
        if f"X={x}\nY={y}\n" in location:
            return
        self.xdotool("mousemove", "--sync", x, y)
        time.sleep(scaled_time(0.4))

    def click(self, x, y):
        self.move_pointer(x, y)
        self.xdotool("click", 1)
        time.sleep(scaled_time(0.4))

    def click_control(self, window, control_id):
        """Clicks the middle of a control of `window` with the pointer, as a user would."""
        left, top, right, bottom = self.controls_of(window.hwnd)[control_id].rect
        self.click(window.left + (left + right) // 2, window.top + (top + bottom) // 2)

    def keys(self, *names):
        self.xdotool("key", "--delay", 80, *names)
        time.sleep(scaled_time(0.4))

    def reg(self, *args):
        """Wine's reg command, in the registry view of the program under test unless the
        arguments name one (/reg:64, /reg:32). Where that program is 32-bit and runs emulated,
        the 64-bit reg writes the 32-bit view by name: an emulated start takes a minute."""
        if OBSERVE_WITH_PROBE64 and BUILD_DIR.name != "mingw64":
            if not any(str(a).lower().startswith("/reg:") for a in args):
                args = (*args, "/reg:32")
            return self.run("reg", *args, loader=WINE64)
        return self.run("reg", *args)

    def set_registry_string(self, key, name, value):
        result = self.reg("add", key, "/v", name, "/d", value, "/f")
        assert result.returncode == 0, result.stdout

    def set_dpi(self, dpi):
        """The screen resolution that programs started from now on see (the prefix's
        LogPixels, which Wine reads at a program's start)."""
        for key in (r"HKCU\Control Panel\Desktop", r"HKCC\Software\Fonts"):
            result = self.reg("add", key, "/v", "LogPixels", "/t", "REG_DWORD",
                              "/d", str(dpi), "/f")
            assert result.returncode == 0, result.stdout

    def press(self, caption, control_id):
        self.probe("press", caption, str(control_id))

    def active_window(self, window):
        """The handle of the active window of the thread that owns `window`."""
        lines = self.probe("gui", "#" + window.hwnd, check=False).splitlines()
        return lines[0].split()[0] if lines else None

    def command_lines(self, exe_name):
        result = self.probe("cmdlines", exe_name, check=False)
        return [line.split(" ", 1)[1] for line in result.splitlines() if " " in line]

    def current_directories(self, exe_name):
        result = self.probe("cwds", exe_name, check=False)
        return [line.split(" ", 1)[1] for line in result.splitlines() if " " in line]

    def atom_present(self, name=INSTANCE_ATOM):
        return self.probe("atom-find", name, check=False).strip() not in ("", "0")

    def wait_until(self, condition, timeout=20.0, interval=0.2):
        deadline = time.monotonic() + scaled_time(timeout)
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
