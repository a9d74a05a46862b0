#!/usr/bin/env bash
# The Wine environment of the end-to-end scenarios.
#
#   wine_env.sh prepare TEMPLATE
#       Makes the prepared 64-bit prefix once (about ten seconds) and reuses it while it
#       matches this Wine and these settings.
#   wine_env.sh copy TEMPLATE PREFIX
#       Makes PREFIX a private copy of the prepared prefix (scripts/run keeps one).
#   wine_env.sh scenario TEMPLATE TIMEOUT_S COMMAND [ARGS...]
#       Runs COMMAND (a Windows program, started with wine64) in a private copy of the
#       prefix, on a private Xvfb, inside the prefix's default virtual desktop (which is
#       where the notification area lives), then ends that Wine session and removes the
#       copy. Exits with COMMAND's exit code, or 124 when it ran past TIMEOUT_S.
#   wine_env.sh session TEMPLATE TIMEOUT_S COMMAND [ARGS...]
#       The same for a Linux COMMAND, which finds DISPLAY, WINEPREFIX and the rest of
#       the Wine environment exported (scripts/bench starts its programs this way).
#
# The prefix is 64-bit and every Windows command starts with wine64. Where the machine
# runs 32-bit code and 32-bit Wine is installed (/usr/lib/wine/wine), the prefix gets its
# 32-bit side too, and a 64-bit driver can start the shipped i686 program in it; where
# not (some kernels refuse 32-bit binaries), only 64-bit programs run.
set -Eeuo pipefail
# A step of this harness that fails says which one, so that no scenario ends unexplained.
trap '_err=$?; [[ $BASH_COMMAND == return* ]] || echo "wine_env: line $LINENO failed (exit $_err): $BASH_COMMAND" >&2' ERR

readonly WINE=/usr/lib/wine/wine64
readonly WINESERVER=/usr/lib/wine/wineserver64
readonly WINE32=/usr/lib/wine/wine
# Bump when the prepared settings change, so stale templates are rebuilt.
readonly SETTINGS_VERSION=2

export WINEARCH=win64 WINEDEBUG=-all WINELOADER=$WINE
# ja_JP.UTF-8 makes the ANSI code page 932; under C.UTF-8 it would be 1252. A program
# started by the driver has the driver's: POKOMARU_E2E_LANG sets it for the whole scenario.
export LANG=${POKOMARU_E2E_LANG:-ja_JP.UTF-8} LC_ALL=${POKOMARU_E2E_LANG:-ja_JP.UTF-8}
# Debian ships neither Mono nor Gecko; without this wineboot tries to offer them.
export WINEDLLOVERRIDES="mscoree,mshtml="

die() { echo "wine_env: $*" >&2; exit 2; }

# Wait (polling) until "$@" succeeds, or fail after $1 seconds saying what was awaited.
wait_for() {
    local seconds=$1 what=$2; shift 2
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < deadline)) || { echo "wine_env: gave up after ${seconds}s waiting for $what" >&2; return 1; }
        sleep 0.05
    done
}

# Debian's Wine keeps the server socket under /tmp/wine-XXXXXX, named in $prefix/wineserver.
server_tmpdir() {
    local name
    name=$(cat "$1/wineserver" 2>/dev/null) || return 0
    if [[ $name == wine-* ]]; then echo "${TMPDIR:-/tmp}/$name"; fi
}

# Whether 32-bit Wine is installed and runs here: a prefix made with it has its 32-bit side.
wine32_runs() { [[ -x $WINE32 ]] && $WINE32 --version >/dev/null 2>&1; }

stamp() { echo "$($WINE --version) settings=$SETTINGS_VERSION 32-bit=$(wine32_runs && echo yes || echo no)"; }

prepare() {
    local template=$1
    mkdir -p "$(dirname "$template")"
    exec 9>"$template.lock"
    flock 9   # ctest -j or a parallel scripts/run must not build it twice
    if [[ -f $template/.pokomaru-stamp && $(cat "$template/.pokomaru-stamp") == "$(stamp)" ]]; then
        return 0
    fi
    local started=$SECONDS tmp="$template.new.$$"
    rm -rf "$tmp" "$template"
    mkdir -p "$tmp"
    (
        export WINEPREFIX=$tmp
        # Without 32-bit Wine, prints a harmless error about syswow64\rundll32.exe.
        $WINE wineboot -i >/dev/null 2>&1 || true
        local reg=(
            'HKCU\Software\Wine\Explorer /v Desktop /d Default'
            'HKCU\Software\Wine\Explorer\Desktops /v Default /d 800x600'
            # A crash must fail the scenario at once, not wait behind a dialog.
            'HKCU\Software\Wine\WineDbg /v ShowCrashDialog /t REG_DWORD /d 0'
        )
        local r
        for r in "${reg[@]}"; do
            # shellcheck disable=SC2086  # the entries are word lists on purpose
            $WINE reg add $r /f >/dev/null 2>&1
        done
        $WINESERVER -w
        # Wine 8 finds none of its own fonts in its data folder, only those of the system
        # and the prefix's: without Marlett its caption buttons are drawn as the letters
        # "0 1 r". Only Marlett: its Tahoma would take the captions from the Japanese font.
        cp /usr/share/wine/fonts/marlett.ttf "$tmp/drive_c/windows/Fonts/"
        [[ -f $tmp/system.reg ]] || die "wineboot made no prefix in $tmp"
        grep -q '"Desktop"="Default"' "$tmp/user.reg" || die "registry settings missing in $tmp"
        local sdir
        sdir=$(server_tmpdir "$tmp")
        rm -rf "$tmp/wineserver" ${sdir:+"$sdir"}
    )
    stamp >"$tmp/.pokomaru-stamp"
    mv "$tmp" "$template"
    echo "wine_env: prepared $template in $((SECONDS - started)) s"
}

# A private copy of the template: the big system folders (~680 MB) as hard links, since
# Wine only reads them; everything it may write (registry, *.ini, users) as real copies.
# About 0.5 s, against 1.2 s for a plain cp -a with a warm page cache.
copy_prefix() {
    local template=$1 prefix=$2 d
    mkdir -p "$prefix/drive_c/windows"
    (cd "$template" && find . -mindepth 1 -maxdepth 1 ! -name drive_c -exec cp -a {} "$prefix/" \;)
    (cd "$template/drive_c" && find . -mindepth 1 -maxdepth 1 ! -name windows -exec cp -a {} "$prefix/drive_c/" \;)
    for d in "$template"/drive_c/windows/* "$template"/drive_c/windows/.[!.]*; do
        [[ -e $d ]] || continue
        case ${d##*/} in
            system32|syswow64|winsxs) cp -al "$d" "$prefix/drive_c/windows/" 2>/dev/null || cp -a "$d" "$prefix/drive_c/windows/" ;;
            *) cp -a "$d" "$prefix/drive_c/windows/" ;;
        esac
    done
}

scenario() {
    local template=$1 limit=$2; shift 2
    [[ -f $template/.pokomaru-stamp ]] || die "no prepared prefix at $template (run: $0 prepare $template)"
    local base
    base=${POKOMARU_E2E_WORK:-$(dirname "$template")/e2e-work}
    mkdir -p "$base"
    # Globals, not locals: the EXIT trap runs after this function has returned.
    work=$(mktemp -d "$base/run.XXXXXX")
    prefix=$work/prefix
    xvfb_pid=""
    board_pid=""

    cleanup() {
        local sdir
        sdir=$(server_tmpdir "$prefix")
        WINEPREFIX=$prefix $WINESERVER -k >/dev/null 2>&1 || true
        WINEPREFIX=$prefix timeout 20 $WINESERVER -w >/dev/null 2>&1 || true
        [[ -n $xvfb_pid ]] && { kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; }
        [[ -n $board_pid ]] && { kill "$board_pid" 2>/dev/null || true; wait "$board_pid" 2>/dev/null || true; }
        [[ -n $sdir ]] && rm -rf "$sdir"
        if [[ ${POKOMARU_E2E_KEEP:-0} == 1 ]]; then
            echo "wine_env: kept $work"
        else
            rm -rf "$work"
        fi
    }
    trap cleanup EXIT
    trap 'exit 143' TERM INT

    copy_prefix "$template" "$prefix"

    # -displayfd lets Xvfb pick a free display itself, so parallel scenarios never race
    # for a number the way xvfb-run -a can.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    xvfb_ready() { test -s "$work/display" || ! kill -0 "$xvfb_pid" 2>/dev/null; }
    wait_for 30 "Xvfb to report its display" xvfb_ready
    test -s "$work/display" || { cat "$work/xvfb.log" >&2; die "Xvfb did not start"; }
    export DISPLAY=":$(head -n1 "$work/display")"
    export WINEPREFIX=$prefix

    # The local board: the network scenarios point the program at it through Timer.ini.
    python3 "$(dirname "${BASH_SOURCE[0]}")/../../tools/board_server.py" --port 0 --port-file "$work/board.port" \
        --log "$work/board.log" >"$work/board.out" 2>&1 &
    board_pid=$!
    board_ready() { test -s "$work/board.port" || ! kill -0 "$board_pid" 2>/dev/null; }
    wait_for 30 "the board server to report its port" board_ready
    test -s "$work/board.port" || { cat "$work/board.out" >&2; die "the board server did not start"; }
    export POKOMARU_BOARD_PORT=$(cat "$work/board.port")
    # As the Windows side sees it, through Wine's Z: drive.
    export POKOMARU_BOARD_LOG="Z:${work//\//\\}\\board.log"

    local rc=0
    # The Windows side has its own deadlines; this one only keeps a hung Wine from
    # outliving the test. Run in the background so that a TERM from ctest is handled
    # at once (bash defers traps while a foreground child runs).
    # runner: wine64 for a Windows COMMAND, nothing for a Linux one.
    timeout --kill-after=10 "$limit" "${runner[@]}" "$@" </dev/null &
    wait $! || rc=$?
    if ((rc == 124)); then
        echo "wine_env: the scenario ran past ${limit}s and was stopped" >&2
    elif ((rc != 0)); then
        # Said even when the command itself could say nothing (a crash, a Wine that did
        # not start): a Windows exit code shows as its low byte here.
        echo "wine_env: ${1##*/} ended with exit code $rc" >&2
    fi
    return "$rc"
}

case ${1:-} in
    prepare) [[ $# == 2 ]] || die "usage: $0 prepare TEMPLATE"; prepare "$2" ;;
    copy) [[ $# == 3 ]] || die "usage: $0 copy TEMPLATE PREFIX"; copy_prefix "$2" "$3" ;;
    scenario) [[ $# -ge 4 ]] || die "usage: $0 scenario TEMPLATE TIMEOUT_S COMMAND [ARGS...]"; shift; runner=("$WINE"); scenario "$@" ;;
    session) [[ $# -ge 4 ]] || die "usage: $0 session TEMPLATE TIMEOUT_S COMMAND [ARGS...]"; shift; runner=(); scenario "$@" ;;
    *) die "usage: $0 prepare TEMPLATE | copy TEMPLATE PREFIX | scenario|session TEMPLATE TIMEOUT_S COMMAND [ARGS...]" ;;
esac
