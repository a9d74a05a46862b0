#!/usr/bin/env bash
# The release zip holds exactly the two programs just built and the README, and the
# version in its name is the one the 32-bit program's version resource carries.
#   package_check.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
POKOMARU_BUILD_DIR=$build "$root/scripts/package" --no-build --no-smoke --out "$out"
python3 - "$out" "$build" <<'PY'
import glob, sys, zipfile
out, build = sys.argv[1:]
zips = glob.glob(out + "/PokomaruNo1-*.zip")
assert len(zips) == 1, zips
version = zips[0].rsplit("PokomaruNo1-", 1)[1][:-4]
z = zipfile.ZipFile(zips[0])
assert z.namelist() == ["PokomaruNo1.exe", "PokomaruNo1-x64.exe", "README.txt"], z.namelist()
exe32 = open(build + "/win32/PokomaruNo1.exe", "rb").read()
assert z.read("PokomaruNo1.exe") == exe32, "the 32-bit program is not the one just built"
assert z.read("PokomaruNo1-x64.exe") == open(build + "/win64/PokomaruNo1.exe", "rb").read(), "nor the 64-bit one"
readme = z.read("README.txt")
assert readme.startswith(b"\xef\xbb\xbf"), "README.txt needs a byte-order mark"
assert b"\n" not in readme.replace(b"\r\n", b""), "README.txt needs CR LF line ends"
readme.decode("utf-8")
field = "FileVersion".encode("utf-16-le")
at = exe32.index(field) + len(field)
value = exe32[at:at + 64].decode("utf-16-le", "replace").lstrip("\0").split("\0")[0]
assert value == version, (value, version)
print("package_check: " + zips[0].rsplit("/", 1)[1] + ": both programs as built, README.txt as Notepad wants it")
PY
