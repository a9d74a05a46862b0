#!/usr/bin/env bash
# The shipped i686 program and the x86_64 one the end-to-end tests run make the same
# system calls, so no path of the program is 32-bit only and untested under Wine.
# Left out: the C runtime (msvcrt.dll, and the kernel32 calls by which i686 start-up
# looks for a shared libgcc and x86_64 start-up handles exceptions); the pointer-sized
# window- and class-long calls are macros for the plain ones on i686. The calls into DLLs loaded on
# first use are in no import table; the linker map beside each program names them.
set -euo pipefail
calls() {
    {
        x86_64-w64-mingw32-objdump -p "$1" | awk '
            /DLL Name:/ { dll = toupper($3); next }
            /^$/ { dll = "" }
            dll && dll != "MSVCRT.DLL" && /^\t[0-9a-f]+\t +[0-9]+  [A-Za-z_]/ { print dll, $3 }'
        # "delayed/libNAME_delayed.a(member)", then what pulled it in: the call's import
        # slot, or the call itself where the build names it to the linker to keep.
        awk 'match($0, /^delayed\/lib[A-Za-z0-9]+_delayed\.a\(/) {
                 dll = toupper(substr($0, 12, RLENGTH - 22)) ".DLL"
                 getline
                 if (match($0, /\((__imp_|_imp__)?[A-Za-z0-9_]+(@[0-9]+)?\)$/) && $0 !~ /_delayed/) {
                     call = substr($0, RSTART + 1, RLENGTH - 2)
                     sub(/^_?_imp__?/, "", call)
                     sub(/@[0-9]+$/, "", call)
                     print dll, call " (delayed)"
                 }
             }' "${1%.exe}.map"
    } |
        sed -E 's/(Get|Set)(Window|Class)LongPtr/\1\2Long/' |
        grep -vE ' (GetModuleHandleA|LoadLibraryA|GetProcAddress|FreeLibrary|__C_specific_handler)$' | sort -u
}
i686=$(calls "$1")
x86_64=$(calls "$2")
grep -q ' (delayed)$' <<<"$i686" || { echo "exe_same_calls: no first-use calls in the linker map of $1" >&2; exit 1; }
if [[ $i686 != "$x86_64" ]]; then
    echo "exe_same_calls: system calls of only one build (< i686 $1, > x86_64 $2):" >&2
    diff <(echo "$i686") <(echo "$x86_64") | grep '^[<>]' >&2
    exit 1
fi
echo "exe_same_calls: both builds make the same $(wc -l <<<"$i686") system calls"
