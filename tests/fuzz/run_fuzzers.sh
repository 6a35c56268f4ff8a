#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for a short fixed time.
#
#   tests/fuzz/run_fuzzers.sh [SECONDS]     default 20 seconds per target
#
# Each target NAME is build/fuzz/tests/fuzz/NAME_fuzz and starts from the seeds in
# tests/fuzz/corpus/NAME/. What a run finds goes into a scratch folder, so the kept corpus
# stays small; a crash leaves its input in build/fuzz/artifacts/ and counts as a failure.
# Ends with the line "N passed, M failed" (one per target); exits non-zero on any failure.
set -uo pipefail

SECONDS_EACH=${1:-20}
REPO_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_DIR=$REPO_DIR/build/fuzz
cd "$REPO_DIR"

if ! { cmake --preset fuzz >/dev/null && cmake --build --preset fuzz; }; then
    echo "== the fuzz targets did not build"
    echo "0 passed, 1 failed"
    exit 1
fi

mkdir -p "$BUILD_DIR/artifacts"
passed=0
failed=0
for target in "$BUILD_DIR"/tests/fuzz/*_fuzz; do
    name=$(basename "$target" _fuzz)
    scratch=$(mktemp -d)
    seeds=()
    [ -d "$REPO_DIR/tests/fuzz/corpus/$name" ] && seeds=("$REPO_DIR/tests/fuzz/corpus/$name")
    echo "== $name: ${SECONDS_EACH}s"
    if "$target" -max_total_time="$SECONDS_EACH" -max_len=4096 \
            -artifact_prefix="$BUILD_DIR/artifacts/$name-" "$scratch" "${seeds[@]}" \
            >"$BUILD_DIR/$name.log" 2>&1; then
        grep -E '^Done' "$BUILD_DIR/$name.log" | tail -1
        echo "PASS $name"
        passed=$((passed + 1))
    else
        tail -40 "$BUILD_DIR/$name.log"
        echo "FAIL $name"
        failed=$((failed + 1))
    fi
    rm -rf "$scratch"
done
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
