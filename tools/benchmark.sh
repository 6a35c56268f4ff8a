#!/usr/bin/env bash
# Benchmark of SETUP.EXE under the Wine bench against baseline programs built with the same
# toolchain and flags: start-up to the first dialog, install of 1, 11 and 20 files, uninstall
# of 1,000, 5,000 and 10,000 listed files, and the shipping build's size. Prints min, median
# and max of each measure and the ratios to the baselines (see tools/bench/benchmark.py).
#
#   bash tools/benchmark.sh           full run (several interleaved rounds, under 10 minutes)
#   bash tools/benchmark.sh --quick   every measure once, under a minute (CI: it must run;
#                                     no time is judged)
#
# Uses the bench of AOF_BENCH_DIR / AOF_BENCH_DISPLAY (tools/bench/bench.sh); resets it.
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" >/dev/null
done
exec python3 tools/bench/benchmark.py "$@"
