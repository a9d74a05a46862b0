#!/usr/bin/env bash
# The house rules that keep the program's tree readable: only the Win32 layer
# (platform/win32/) includes <windows.h>, and no source file of the program passes 500
# lines. Run from anywhere; checks the tree this script is in.
set -euo pipefail
cd "$(dirname "$0")/.."
product=(app base ui alarm net mascot platform)
status=0
while IFS= read -r file; do
    echo "structure_check: $file includes <windows.h>; only platform/win32/ may" >&2
    status=1
done < <(grep -rliE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<windows\.h>' "${product[@]}" | grep -v '^platform/win32/' || true)
while read -r lines file; do
    [[ $file == total ]] && continue
    if ((lines > 500)); then
        echo "structure_check: $file has $lines lines, more than 500: split it by what it does" >&2
        status=1
    fi
done < <(find "${product[@]}" -name '*.cpp' -o -name '*.h' | sort | xargs wc -l)
((status == 0)) && echo "structure_check: <windows.h> only in platform/win32/; every program source file within 500 lines"
exit "$status"
