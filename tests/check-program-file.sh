#!/usr/bin/env bash
# Checks the program file as it goes on the disc: a 64-bit GUI program that imports only DLLs
# which Windows always loads from its system folder, so nothing planted beside the copy in the
# temporary folder can be loaded in their place.
set -euo pipefail
program=${1:?usage: check-program-file.sh Install.exe}
headers=$(x86_64-w64-mingw32-objdump -p "$program")
grep -q 'Magic[[:space:]]*020b' <<<"$headers" || { echo "not PE32+"; exit 1; }
grep -q 'Subsystem[[:space:]]*00000002' <<<"$headers" || { echo "not a GUI program"; exit 1; }
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|setupapi|msvcrt)\.dll$'
shopt -s nocasematch
status=0
while read -r dll; do
    if [[ ! $dll =~ $allowed ]]; then
        echo "imports $dll, which may be loaded from the program's folder"
        status=1
    fi
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[ "$status" -eq 0 ] && echo "$program: PE32+ GUI, imports: $(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr '\n' ' ')"
exit "$status"
