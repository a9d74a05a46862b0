#!/usr/bin/env bash
# The download benchmark: a 20 MiB page from the local board server, fetched by the
# program's HttpGetBytes and by a bare WinINet loop (both the x86_64 build under Wine,
# in one prefix and one session), and by curl on the same server in the same run.
#   bench/download.sh BUILD_WIN64_DIR WINE_TEMPLATE [RUNS]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
win64=$1 template=$2 runs=${3:-5}
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null || true; WINEPREFIX=$work/prefix /usr/lib/wine/wineserver64 -k 2>/dev/null || true; rm -rf "$work"' EXIT
python3 "$here/../tools/board_server.py" --port 0 --port-file "$work/port" &
server=$!
for _ in $(seq 100); do [[ -s $work/port ]] && break; sleep 0.1; done
url="http://127.0.0.1:$(cat "$work/port")/huge/e/?"
"$here/../tests/e2e/wine_env.sh" copy "$template" "$work/prefix"
WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 \
    /usr/lib/wine/wine64 "$win64/bench/download_bench.exe" "$url" "$runs" | tr -d '\r'
times=()
for _ in $(seq "$runs"); do times+=("$(curl -s -o /dev/null -w '%{time_total} %{size_download}' "$url")"); done
printf '%s\n' "${times[@]}" | sort -n | awk -v n="$runs" 'NR == int(n / 2) + 1 {
    printf "curl\t%d\t%.1f\t%.1f\n", $2, $1 * 1000, $2 / 1048576 / $1 }'
