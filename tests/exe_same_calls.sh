#!/usr/bin/env bash
# The shipped i686 program and the x86_64 one the end-to-end tests run make the same
# system calls, so no path of the program is 32-bit only and untested under Wine.
# Left out: the C runtime (msvcrt.dll, and the kernel32 calls by which i686 start-up
# looks for a shared libgcc and x86_64 start-up handles exceptions); the pointer-sized
# window-long calls are macros for the plain ones on i686.
set -euo pipefail
calls() {
    x86_64-w64-mingw32-objdump -p "$1" | awk '
        /DLL Name:/ { dll = toupper($3); next }
        /^$/ { dll = "" }
        dll && dll != "MSVCRT.DLL" && /^\t[0-9a-f]+\t +[0-9]+  [A-Za-z_]/ { print dll, $3 }' |
        sed -E 's/(Get|Set)WindowLongPtr/\1WindowLong/' |
        grep -vE ' (GetModuleHandleA|LoadLibraryA|GetProcAddress|FreeLibrary|__C_specific_handler)$' | sort -u
}
i686=$(calls "$1")
x86_64=$(calls "$2")
if [[ $i686 != "$x86_64" ]]; then
    echo "exe_same_calls: system calls of only one build (< i686 $1, > x86_64 $2):" >&2
    diff <(echo "$i686") <(echo "$x86_64") | grep '^[<>]' >&2
    exit 1
fi
echo "exe_same_calls: both builds make the same $(wc -l <<<"$i686") system calls"
