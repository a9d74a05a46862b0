# Shared by scripts/test and scripts/run (sourced, not run): configuring and building the
# build trees of one checkout. POKOMARU_BUILD_DIR moves them out of build/ (for a second
# set of trees beside one that an editor or another shell is building).
build=${POKOMARU_BUILD_DIR:-$root/build}

# configure_tree DIR [CMAKE ARGS...]: the generator and build type only on the first run,
# so a tree configured by hand keeps its own.
configure_tree() {
    local dir=$1; shift
    local first=()
    [[ -f $dir/CMakeCache.txt ]] || first=(-G Ninja -DCMAKE_BUILD_TYPE=Release)
    cmake -S "$root" -B "$dir" "${first[@]}" "$@" >"$dir.configure.log" 2>&1 || {
        cat "$dir.configure.log" >&2
        echo "configuring $dir failed" >&2
        return 1
    }
}

build_tree() {
    echo "== building $1"
    cmake --build "$1" --parallel "$(nproc)"
}

build_windows_trees() {
    mkdir -p "$build"
    configure_tree "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
    configure_tree "$build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
    build_tree "$build/win32"
    build_tree "$build/win64"
}

# The instrumented host tree (clang): the unit tests and the fuzz targets under
# AddressSanitizer and UndefinedBehaviorSanitizer. scripts/test runs both from it,
# scripts/fuzz the fuzz targets.
build_sanitize_tree() {
    mkdir -p "$build"
    configure_tree "$build/sanitize" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Debug \
        -DPOKOMARU_SANITIZE=ON -DPOKOMARU_FUZZ=ON
    build_tree "$build/sanitize"
}

# Whether this machine runs 32-bit x86 code: some kernels refuse it outright (no IA-32
# emulation), others run it. Asked of the kernel itself, with the smallest program that
# can say so (an i386 ELF that only exits with 0), so that no package need be installed
# first. A binfmt handler of qemu would run it in emulation, where 32-bit Wine does not
# work: that counts as no.
runs_32bit_code() {
    local probe=${TMPDIR:-/tmp}/pokomaru-elf32.$$ ok=1
    base64 -d >"$probe" <<<'f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhdAAAAXQAAAAUAAAAAEAAAuAEAAAAx282A'
    chmod +x "$probe"
    "$probe" 2>/dev/null && ok=0
    rm -f "$probe"
    if ((ok == 0)) && grep -qs '^interpreter .*qemu-i386' /proc/sys/fs/binfmt_misc/*; then ok=1; fi
    return "$ok"
}

# Whether 32-bit Wine is installed here and starts (scripts/setup installs it where the
# kernel runs 32-bit code).
wine32_runs() { [[ -x /usr/lib/wine/wine ]] && /usr/lib/wine/wine --version >/dev/null 2>&1; }
