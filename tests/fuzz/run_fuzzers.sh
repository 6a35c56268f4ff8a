#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for a short fixed time.
#
#   tests/fuzz/run_fuzzers.sh [SECONDS]     default 20 seconds per target
#
# Each target NAME is build/fuzz/tests/fuzz/NAME_fuzz and starts from the seeds in
# tests/fuzz/corpus/NAME/. What a run finds goes into a scratch folder, so the kept corpus
# stays small; a crash leaves its input in build/fuzz/artifacts/ and fails the script.
set -euo pipefail

SECONDS_EACH=${1:-20}
REPO_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_DIR=$REPO_DIR/build/fuzz
cd "$REPO_DIR"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

mkdir -p "$BUILD_DIR/artifacts"
status=0
for target in "$BUILD_DIR"/tests/fuzz/*_fuzz; do
    name=$(basename "$target" _fuzz)
    scratch=$(mktemp -d)
    seeds=$REPO_DIR/tests/fuzz/corpus/$name
    echo "== $name: ${SECONDS_EACH}s"
    if ! "$target" -max_total_time="$SECONDS_EACH" -max_len=4096 \
            -artifact_prefix="$BUILD_DIR/artifacts/$name-" "$scratch" \
            $([ -d "$seeds" ] && echo "$seeds") >"$BUILD_DIR/$name.log" 2>&1; then
        tail -40 "$BUILD_DIR/$name.log"
        echo "== $name: FAILED"
        status=1
    else
        grep -E '^Done|#[0-9]+.*DONE' "$BUILD_DIR/$name.log" | tail -1 || true
        echo "== $name: ok"
    fi
    rm -rf "$scratch"
done
exit $status
