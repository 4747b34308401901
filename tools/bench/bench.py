"""make bench: how long the menu takes to show its page, what a hover transition costs and how
much memory the page holds, each against a floor, measured under Wine and Xvfb on this machine.

1. Start to painted page: from the disc (the copy to the temporary folder and the relaunch) and
   started with -InfPath, against the bare dialog (BareDialog.exe) and against the bare dialog
   with the menu's manifest and chooser (BareStyledDialog.exe: common controls 6 with visual
   styles, the same DPI awareness, the combo box), started the same way. The probe starts the
   program and polls the screen pixel of the page's last entry; the runs alternate.
2. Where a start's own time goes: the OLE initialisation, reading the page's language file and
   loading its pictures, each timed once in a fresh process.
3. One hover transition, timed inside a process that runs the real main page (MenuBench.exe),
   against plain copies of the same pixels; rounds of the page and of the copies alternate. At
   96 DPI, and again at 192 DPI (the prefix's LogPixels) where the page is four times the pixels.
4. The working set of that process after start, after its 1,000 transitions and after 100
   language changes, and the program file split into code and pictures.
5. What a start from the disc reads from the disc's folder until its page is painted, traced
   with strace, and what that takes on a CD at 24 times and a DVD at once their speed.

Not a test: it passes or fails nothing, it reports. Run it with `make bench`."""

import re
import shutil
import struct
import subprocess
import sys
import tempfile
from pathlib import Path
from statistics import median

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests" / "e2e"))
from harness import BUILD_DIR, DISC_DIR, RUNTIME_NOTE, TOOLS_DIR, WineDesktop  # noqa: E402

BENCH_DIR = BUILD_DIR / "tools" / "bench"
# Other builds and tests may run on the machine at the same time: many short alternating runs
# and their medians keep the comparison fair.
ROUNDS = 11
# The top left pixel of the main page's last entry (the sample disc's page has seven), in client
# coordinates: the menu draws the entries last. The bare dialog fills its client with this
# colour.
PAINTED_AT = (410, 15 + 41 * 6)
PAINTED_COLOUR = "99c8e2"  # RGB(153, 200, 226), the top row of an entry face
PROGRAMS = ("Install.exe", "BareDialog.exe", "BareStyledDialog.exe")
# What the menu should reach against the bare dialog with its manifest and chooser.
TARGETS = {"direct": 1.1, "relaunch": 1.2, "hover": 1.2, "program file": 1300 * 1024}
TIMEOUT_MS = 20000
RT_BITMAP, RT_ICON = 2, 3
STORED_PICTURES = "ZBITMAP"  # the resource type of the pictures stored compressed
# What a drive delivers, in bytes a second: a CD at 24 times and a DVD at once its speed.
DRIVES = (("24x CD", 3.6e6), ("1x DVD", 1.35e6))


class StartupRuns:
    """Starts programs of the disc with the probe and times them to their painted page."""

    def __init__(self, wine, disc):
        self.wine = wine
        self.disc = disc
        page = self.place("Install.exe", "Install")
        bare = self.place("BareDialog.exe", "Bare")
        if (page.left, page.top, page.width, page.height) != \
                (bare.left, bare.top, bare.width, bare.height):
            raise RuntimeError("the bare dialog does not cover the page's client area")
        self.pixel = (page.left + PAINTED_AT[0], page.top + PAINTED_AT[1])

    def place(self, program, caption):
        """Where the program's window shows: started directly, measured, closed."""
        self.wine.start(self.disc + program, "-InfPath", self.disc)
        window = self.wine.wait_window(caption)
        self.wine.probe("close", caption)
        if not self.wine.window_gone(caption):
            raise RuntimeError(f"{program} did not close")
        return window

    def seconds(self, program, relaunch):
        command = f'"{self.disc}{program}"' + ("" if relaunch else f' -InfPath "{self.disc}"')
        output = self.wine.probe("launch", str(self.pixel[0]), str(self.pixel[1]),
                                 PAINTED_COLOUR, str(TIMEOUT_MS), command,
                                 timeout=3 * TIMEOUT_MS // 1000 + 30)
        return float(output.strip())


def measure_startup(wine, disc):
    runs = StartupRuns(wine, disc)
    cases = {"relaunch": True, "direct": False}
    programs = PROGRAMS
    for relaunch in cases.values():  # warm-up: file caches, Wine's first loads
        for program in programs:
            runs.seconds(program, relaunch)
    times = {(case, program): [] for case in cases for program in programs}
    for round_number in range(ROUNDS):
        for case, relaunch in cases.items():
            shift = round_number % len(programs)
            order = programs[shift:] + programs[:shift]
            for program in order:
                times[case, program].append(runs.seconds(program, relaunch))
    return times


# One system call of strace's output: the process, the time, the call, its first argument (a
# file descriptor with the file's path after -y), and its result.
CALL = re.compile(r"^(\d+) +([\d.]+) (\w+)\((\d+)<([^>]*)>(.*)\) += (-?\d+)")
UNFINISHED = re.compile(r"^(\d+) +([\d.]+) (\w+)\((\d+)<([^>]*)>.*<unfinished \.\.\.>$")
RESUMED = re.compile(r"^(\d+) +([\d.]+) <\.\.\. (\w+) resumed>.*\) += (-?\d+)")
MAPPED = re.compile(r"^\d+ +([\d.]+) mmap\([^,]*, (\d+), [^,]*, [^,]*, \d+<([^>]*)>")
READS = ("read", "pread64", "readv", "preadv")
PAINTED = re.compile(r' write\(\d+<pipe:[^>]*>, "\d+\.\d+(\\r)?\\n"')


def measure_disc_reads(wine, disc, pixel):
    """The bytes that a start from the disc reads from the disc's folder until its page shows:
    every read of a file there by the programs started (the first process and its copy, traced
    with strace), up to the probe's report that the page is painted. Files the loader maps from
    the folder instead of reading them are counted apart, with the bytes mapped."""
    folder = str(wine.c_drive() / "disc") + "/"
    with tempfile.TemporaryDirectory() as work:
        log = Path(work) / "calls"
        command = f'"{disc}Install.exe"'
        result = subprocess.run(
            ["strace", "-f", "-qq", "-ttt", "-y", "-s", "16", "-o", str(log),
             "-e", "trace=" + ",".join(READS + ("write", "mmap")),
             "wine", str(TOOLS_DIR / "winprobe.exe"), "launch", str(pixel[0]), str(pixel[1]),
             PAINTED_COLOUR, str(TIMEOUT_MS), command],
            env=wine.env, capture_output=True, text=True, timeout=120)
        if result.returncode != 0:
            raise RuntimeError(f"the traced start failed: {result.stdout}{result.stderr[-2000:]}")
        lines = log.read_text(errors="replace").splitlines()
    painted = None
    pending = {}
    calls = []  # (time, call, path, result)
    mapped = {}
    for line in lines:
        # The probe prints the seconds to the painted page when it sees it (a call that other
        # processes' calls may cut in two).
        if painted is None and PAINTED.search(line):
            painted = float(line.split()[1])
        if match := MAPPED.match(line):
            if match[3].startswith(folder):
                name = match[3][len(folder):]
                mapped[name] = mapped.get(name, 0) + int(match[2])
        elif match := UNFINISHED.match(line):
            pending[match[1]] = match[5]
            calls.append((float(match[2]), match[3], match[5], None))
        elif match := RESUMED.match(line):
            calls.append((float(match[2]), match[3], pending.pop(match[1], ""), int(match[4])))
        elif match := CALL.match(line):
            calls.append((float(match[2]), match[3], match[5], int(match[7])))
    if painted is None:
        print("  (the probe's report is not in the trace: counting every read of the start)")
        painted = float("inf")
    # By file and call: under Wine the loader reads a program's image with pread64 (it cannot
    # map sections aligned to 512 bytes); the program's own reads come through read.
    read = {}
    for time, call, path, count in calls:
        if time <= painted and call in READS and path.startswith(folder) and count and count > 0:
            key = (path[len(folder):], call)
            read[key] = read.get(key, 0) + count
    return read, mapped


def measure_in_process(wine, disc, *options):
    # The pointer off the page: only the program's own messages move it.
    wine.xdotool("mousemove", "--sync", 0, 0)
    result = wine.run(str(BENCH_DIR / "MenuBench.exe"), disc, *options, timeout=300)
    if result.returncode != 0:
        raise RuntimeError(f"MenuBench failed: {result.stdout}{result.stderr[-2000:]}")
    hover = {"program": [], "bare": []}
    memory = {}
    parts = {}
    dpi = None
    for line in result.stdout.splitlines():
        fields = line.split()
        if fields[:1] == ["hover"]:
            hover[fields[1]].append(float(fields[2]))
        elif fields[:1] == ["memory"]:
            memory[fields[1]] = (int(fields[2]), int(fields[3]))
        elif fields[:1] == ["part"]:
            parts[fields[1]] = float(fields[2])
        elif fields[:1] == ["dpi"]:
            dpi = int(fields[1])
    return hover, memory, parts, dpi


def program_file_parts(path):
    """The sections of a PE file and the bytes of its pictures (the stored ones, any RT_BITMAP
    and RT_ICON)."""
    data = path.read_bytes()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    sections = []
    for i in range(count):
        name, virtual_size, rva, raw_size, raw_offset = struct.unpack_from(
            "<8sIIII", data, optional + optional_size + 40 * i)
        sections.append((name.rstrip(b"\0").decode(), rva, virtual_size, raw_size, raw_offset))

    def offset(rva):
        for _, start, size, _, raw in sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(rva)

    base = offset(resource_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<12xHH", data, base + directory)
        for i in range(named + numbered):
            ident, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
            yield ident, target

    def data_bytes(target):
        if target & 0x80000000:
            return sum(data_bytes(t) for _, t in entries(target & 0x7FFFFFFF))
        return struct.unpack_from("<II", data, base + target)[1]

    def type_name(ident):
        if not ident & 0x80000000:
            return ident
        at = base + (ident & 0x7FFFFFFF)
        length = struct.unpack_from("<H", data, at)[0]
        return data[at + 2:at + 2 + 2 * length].decode("utf-16-le")

    pictures = sum(data_bytes(target) for ident, target in entries(0)
                   if type_name(ident) in (RT_BITMAP, RT_ICON, STORED_PICTURES))
    return len(data), [(s[0], s[3]) for s in sections], pictures


def kib(value):
    return f"{value / 1024:,.0f} KiB"


def report(startup, hover, memory, parts, hover_high, file_parts, disc_reads):
    print()
    print(f"Start to painted page (median of {ROUNDS} alternating runs, seconds; ratios against"
          " the bare dialog, and against the bare dialog with the menu's manifest and chooser)")
    print(f"  {'':24}{'Install.exe':>12}{'bare':>8}{'styled':>8}{'ratio':>8}{'ratio':>8}"
          f"{'per round':>11}{'target':>8}")
    for case, label in (("direct", "direct, -InfPath"), ("relaunch", "from the disc (relaunch)")):
        program = median(startup[case, "Install.exe"])
        bare = median(startup[case, "BareDialog.exe"])
        styled = median(startup[case, "BareStyledDialog.exe"])
        # The ratio within each round, whose runs follow each other, is less disturbed by what
        # else runs on the machine.
        paired = median(p / b for p, b in zip(startup[case, "Install.exe"],
                                              startup[case, "BareStyledDialog.exe"]))
        print(f"  {label:24}{program:12.3f}{bare:8.3f}{styled:8.3f}{program / bare:7.2f}x"
              f"{program / styled:7.2f}x{paired:10.2f}x{TARGETS[case]:7.1f}x")
        for program_name, short in zip(PROGRAMS, ("Install.exe", "bare", "styled")):
            runs = " ".join(f"{t:.3f}" for t in startup[case, program_name])
            print(f"    {'runs: ' if short == 'Install.exe' else '      '}{short:12}{runs}")

    read, mapped = disc_reads
    total = sum(read.values())
    print()
    print("Read from the disc's folder by a start from the disc until its page is painted "
          "(traced once)")
    for (name, call), count in sorted(read.items(), key=lambda item: -item[1]):
        how = " (Wine's loader: the first process's image)" \
            if call == "pread64" and name.lower().endswith(".exe") else ""
        print(f"  {name:20}{count:>12,} bytes  by {call}{how}")
    print(f"  {'in all':20}{total:>12,} bytes ({kib(total)}), at "
          + ", ".join(f"{label} ({speed / 1e6:.2f} MB/s) {1000 * total / speed:.0f} ms"
                      for label, speed in DRIVES))
    for name, count in mapped.items():
        print(f"  mapped rather than read: {name} {count:,} bytes")

    print()
    print("Where a start's own time goes (each part once, in a fresh process, milliseconds)")
    for name, label in (("first-window", "the process's first window (display driver)"),
                        ("ole", "OLE initialisation, after it"),
                        ("ole-first", "OLE initialisation first in a process"),
                        ("language-file", "reading the page's language file"),
                        ("pictures", "decoding and loading the page's pictures")):
        if name in parts:
            print(f"  {label:46}{parts[name] / 1000:8.1f}")

    for (dpi, timings) in hover_high:
        program = median(timings["program"])
        bare = median(timings["bare"])
        print()
        print(f"One hover transition at {dpi} DPI (median of {len(timings['program'])} alternating"
              " rounds of 50, microseconds)")
        print(f"  page {program:.1f}   bare blits {bare:.1f}   ratio {program / bare:.1f}x"
              f"   target {TARGETS['hover']:.1f}x")
        for name, label in (("program", "page"), ("bare", "bare blits")):
            print(f"    {label:10} fastest round {min(timings[name]):.1f},"
                  f" slowest {max(timings[name]):.1f}")

    print()
    print("Working set of the page's process (96 DPI) (private bytes in brackets)")
    for moment, label in (("start", "after start"), ("first-round", "after 50 transitions"),
                          ("hover", "after 1,000 transitions"),
                          ("languages", "after 100 language changes")):
        working_set, private = memory[moment]
        print(f"  {label:28}{kib(working_set):>12}  ({kib(private)})")

    size, sections, pictures = file_parts
    code = sum(raw for name, raw in sections if name == ".text")
    resources = sum(raw for name, raw in sections if name == ".rsrc")
    print()
    print(f"Install.exe: {kib(size)} ({size:,} bytes), target {kib(TARGETS['program file'])}"
          " at most")
    print(f"  code (.text)            {kib(code):>10}  {100 * code / size:4.0f} %")
    print(f"  pictures (stored, icon) {kib(pictures):>10}  {100 * pictures / size:4.0f} %")
    rest = size - code - pictures
    print(f"  the rest                {kib(rest):>10}  {100 * rest / size:4.0f} %"
          f"  (other resources {kib(resources - pictures)}, data, unwind tables, imports,"
          " relocations, headers)")
    print("  sections: " + ", ".join(f"{name} {raw / 1024:.1f}" for name, raw in sections if raw)
          + " KiB")


def main():
    print(f"Benchmarking {RUNTIME_NOTE}", flush=True)
    wine = WineDesktop(1600, 1000)  # room for the page at 192 DPI
    try:
        disc = wine.install_disc()
        for program in PROGRAMS[1:]:
            shutil.copy(BENCH_DIR / program, wine.c_drive() / "disc")
        wine.xdotool("mousemove", "--sync", 0, 0)
        print("Measuring the start-up ...", flush=True)
        startup = measure_startup(wine, disc)
        print("Tracing what a start from the disc reads ...", flush=True)
        disc_reads = measure_disc_reads(wine, disc, StartupRuns(wine, disc).pixel)
        print("Measuring inside the page's process ...", flush=True)
        hover, memory, parts, dpi = measure_in_process(wine, disc)
        print("Measuring a hover at 192 DPI ...", flush=True)
        wine.set_dpi(192)
        # This run times the OLE initialisation before any window of its process.
        hover_192, _, parts_192, dpi_192 = measure_in_process(wine, disc, "ole-first")
        parts["ole-first"] = parts_192.get("ole", float("nan"))
    finally:
        wine.close()
    report(startup, hover, memory, parts, [(dpi, hover), (dpi_192, hover_192)],
           program_file_parts(DISC_DIR / "Install.exe"), disc_reads)


if __name__ == "__main__":
    main()
