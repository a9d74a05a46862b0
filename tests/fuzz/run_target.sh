#!/usr/bin/env bash
# Runs one fuzz target for SECONDS over its seed corpus (tests/fuzz/corpus/NAME, only
# read) and over what earlier runs found (WORK/corpus, kept for the next run). A finding
# (crash, leak, undefined behaviour, timeout, memory blow-up) stops the run and is saved
# in WORK/artifacts/; it reproduces with: BIN FILE. Exits non-zero on a finding.
#   run_target.sh BIN WORK SECONDS [LIBFUZZER OPTIONS...]
set -euo pipefail
[[ $# -ge 3 ]] || { echo "usage: $0 BIN WORK SECONDS [LIBFUZZER OPTIONS...]" >&2; exit 2; }
bin=$1 work=$2 seconds=$3
shift 3
name=$(basename "$bin")
seeds=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/corpus/${name#fuzz_}
[[ -x $bin ]] || { echo "run_target: no fuzz target $bin (build the sanitizer tree)" >&2; exit 2; }
[[ -d $seeds ]] || { echo "run_target: no seed corpus $seeds" >&2; exit 2; }
mkdir -p "$work/corpus" "$work/artifacts"
exec "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$@" "$work/corpus" "$seeds"
