#!/usr/bin/env bash
# The shipped executable: a 32-bit PE GUI program of at most 300 KB that imports system
# DLLs only (no MinGW runtime DLL has to travel with it), and at start only those that
# start-up calls into: the others load with their first call (CMakeLists.txt).
set -euo pipefail
exe=$1
fail() { echo "exe_check: $*" >&2; exit 1; }
[[ -f $exe ]] || fail "no $exe"
size=$(stat -c %s "$exe")
((size <= 300 * 1024)) || fail "$exe is $size bytes, more than 300 KB"
dump=$(i686-w64-mingw32-objdump -p "$exe")
grep -q 'file format pei-i386' <<<"$dump" || fail "not a PE32 i386 image"
grep -qE '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$dump" || fail "not the Windows GUI subsystem"
allowed='^(ADVAPI32|GDI32|KERNEL32|msvcrt|SHELL32|USER32)\.(dll|DLL)$'
while read -r dll; do
    [[ $dll =~ $allowed ]] || fail "imports $dll at start, which is no system DLL that start-up needs"
done < <(awk '/DLL Name:/ {print $3}' <<<"$dump")
# The linker map beside it: neither the exception machinery nor winpthreads is linked
# (a throwing library call or a thread-safe static would bring them back).
map=${exe%.exe}.map
[[ -f $map ]] || fail "no linker map $map"
extra=$(grep -oE '(libgcc_eh|libpthread|libwinpthread)\.a\([^)]*\)|libstdc\+\+\.a\((eh_[a-z_]*|guard|cp-demangle)\.o\)' "$map" |
    sort -u | tr '\n' ' ' || true)
[[ -z $extra ]] || fail "links the exception machinery or winpthreads: $extra"
echo "exe_check: $exe: PE32 i386 GUI, $size bytes, start-up's system DLLs only, no exception runtime"
