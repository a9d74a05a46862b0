#!/usr/bin/env bash
# The shipped executable: a 32-bit PE GUI program of at most 300 KB that imports system
# DLLs only (no MinGW runtime DLL has to travel with it), and at start only those that
# start-up calls into: the others load with their first call (CMakeLists.txt), each
# through a thunk the linker kept. In it and
# in the 64-bit build given after it: the application manifest (visual styles, the
# Windows versions, scaling per monitor) and both icons at every size, the stopped one
# first so that Explorer shows it.
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
# Every call loaded on first use keeps its thunk: a dropped one leaves its import slot
# zero, and the first call into that DLL jumps to address 0.
dropped=$(awk '/^Discarded input sections/,/^Memory Configuration/' "$map" |
    grep -E '^ \.text[[:space:]]' | grep -oE '[a-z0-9]+_delayed\.a\([^)]*_s[0-9]+\.o\)' | sort -u | tr '\n' ' ' || true)
[[ -z $dropped ]] || fail "the linker dropped the thunks of calls loaded on first use: $dropped"
echo "exe_check: $exe: PE32 i386 GUI, $size bytes, start-up's system DLLs only, no exception runtime"

stopped=$(awk '/#define IDI_STOPPED/ {print $3}' "$(dirname "$0")/../win32/res/resource_ids.h")
for program in "$@"; do
    python3 - "$program" "$stopped" <<'PY' || exit 1
import struct, sys

path, stopped = sys.argv[1], int(sys.argv[2])
data = open(path, "rb").read()
def fail(why):
    sys.exit(f"exe_check: {path}: {why}")

# The resource section, and its tree: type, name, language.
pe = struct.unpack_from("<I", data, 0x3C)[0]
sections, optional = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
for i in range(sections):
    name, _, va, _, raw = struct.unpack_from("<8sIIII", data, pe + 24 + optional + 40 * i)
    if name.rstrip(b"\0") == b".rsrc":
        break
else:
    fail("no resource section")
def entries(offset):
    named, ids = struct.unpack_from("<HH", data, raw + offset + 12)
    for k in range(named + ids):
        yield struct.unpack_from("<II", data, raw + offset + 16 + 8 * k)
found = {}
for kind, names in entries(0):
    for name, languages in entries(names & 0x7FFFFFFF):
        for _, leaf in entries(languages & 0x7FFFFFFF):
            rva, size = struct.unpack_from("<II", data, raw + leaf)
            found.setdefault((kind, name), data[raw + rva - va:raw + rva - va + size])

manifest = found.get((24, 1), b"").decode("utf-8", "replace")
for part, text in [
    ("Windows 7", 'supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"'),
    ("Windows 8", 'supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"'),
    ("Windows 8.1", 'supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"'),
    ("Windows 10 and 11", 'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"'),
    ("per-monitor awareness", ">PerMonitorV2, PerMonitor</dpiAwareness>"),
    ("awareness before Windows 10", ">true/pm</dpiAware>"),
    ("visual styles", 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'),
]:
    if text not in " ".join(manifest.split()):
        fail(f"the manifest (type 24, id 1) lacks {part}: {text}")
if "<requestedExecutionLevel" in manifest:
    fail("the manifest asks for an execution level: a 32-bit copy would lose folder virtualisation")

groups = sorted(name for kind, name in found if kind == 14)
if not groups or groups[0] != stopped:
    fail(f"the first icon group is {groups[:1]}, not the stopped icon ({stopped})")
for group in groups:
    head = found[(14, group)]
    count = struct.unpack_from("<H", head, 4)[0]
    sizes = []
    for k in range(count):
        width, _, _, _, _, _, _, icon = struct.unpack_from("<BBBBHHIH", head, 6 + 14 * k)
        sizes.append(width or 256)
        if (width or 256) == 256 and not found[(3, icon)].startswith(b"\x89PNG"):
            fail(f"icon group {group}: the 256-pixel frame is not stored as PNG")
    if sorted(sizes) != [16, 20, 24, 32, 40, 48, 64, 256]:
        fail(f"icon group {group} holds the sizes {sorted(sizes)}")
print(f"exe_check: {path}: manifest whole; icon groups {groups} at 16 to 256 px, the stopped one first")
PY
done
