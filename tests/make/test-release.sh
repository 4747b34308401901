#!/usr/bin/env bash
# make release: the kit holds the programs, the brand folder, the disc and the documentation
# under discmenu/, each file exactly as built; two runs give the same zip; a kit missing a
# program is refused, naming it. Runs the command make would run (make -n) on what the build
# made, writing the zips into WORK_DIR.
#   test-release.sh SOURCE_DIR WORK_DIR
set -uo pipefail
source_dir=${1:?usage: test-release.sh SOURCE_DIR WORK_DIR}
work=${2:?}
rm -rf "$work" && mkdir -p "$work"
# make -n prints the recipe's lines as written, continuations included: join them first.
command=$(make -s -n -C "$source_dir" release RELEASE_ZIP="$work/kit.zip" 2>&1 |
          sed -e ':a' -e '/\\$/N; s/\\\n//; ta' | grep -F 'make-release.py')
if [ -z "$command" ]; then
    echo "FAILED: make release runs no tools/release/make-release.py" >&2
    exit 1
fi
cd "$source_dir" || exit 1
failed=0
eval "$command" >/dev/null || { echo "FAILED: $command" >&2; exit 1; }
eval "${command//kit.zip/again.zip}" >/dev/null || failed=1
if ! cmp -s "$work/kit.zip" "$work/again.zip"; then
    echo "FAILED: two runs of make release give different zips" >&2
    failed=1
fi
python3 - "$work/kit.zip" build/mingw build/disc <<'PY' || failed=1
import os, sys, zipfile
kit, mingw, disc = sys.argv[1:]
names = set(zipfile.ZipFile(kit).namelist())
problems = []
def expect(name, path):
    if name not in names:
        problems.append(f"{name} is not in the kit")
    elif zipfile.ZipFile(kit).read(name) != open(path, "rb").read():
        problems.append(f"{name} is not {path}")
for program in ("Install.exe", "discmenu-check.exe", "discmenu-brand.exe"):
    expect(f"discmenu/{program}", os.path.join(mingw, program))
for doc in ("README.md", "AUTHORING.md"):
    expect(f"discmenu/{doc}", doc)
expect("discmenu/brand/brand.ini", os.path.join(mingw, "tools/artwork/images/brand.ini"))
expect("discmenu/brand/Background@2x.bmp",
       os.path.join(mingw, "tools/artwork/images/Background@2x.bmp"))
for root, _, files in os.walk(disc):
    for file_name in files:
        path = os.path.join(root, file_name)
        expect("discmenu/disc/" + os.path.relpath(path, disc), path)
if any(not name.startswith("discmenu/") for name in names):
    problems.append("the kit holds files outside discmenu/")
for problem in problems:
    print("FAILED:", problem, file=sys.stderr)
sys.exit(1 if problems else 0)
PY
# A kit without its brand tool is no kit.
missing=${command//discmenu-brand.exe/no-such-tool.exe}
if output=$(eval "${missing//kit.zip/missing.zip}" 2>&1) ||
   ! grep -q "no-such-tool.exe is missing" <<<"$output" || [ -e "$work/missing.zip" ]; then
    printf 'FAILED: a kit missing a program was made, or not refused by name:\n%s\n' \
        "$output" >&2
    failed=1
fi
exit $failed
