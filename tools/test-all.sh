#!/usr/bin/env bash
# Installs what is needed, builds every configuration and runs every test:
#   core unit tests (also under ASan/UBSan), short fuzz runs, the import check of SETUP.EXE and
#   AFUCHECK.EXE, the Win32 tests of both builds, the bench's reset, the sample package under
#   AFUCHECK /WX, the author's kit (tests/kit/check_kit.py: the guide's fragments under AFUCHECK,
#   run-sample.sh --update, the one-way package table), the dialog scenarios under Wine, and the
#   quick benchmark (it must run through; its times are printed, never judged).
# The shipped i686 build is the tested build: its Win32 tests and every scenario run on it with
# an editor a 32-bit installer registered, the scenarios that install the editor again with a
# 64-bit installer's; the x86_64 build runs its Win32 tests and a smoke set of scenarios. The
# robot, the state tool and the stand-in editor are x86_64 programs in every run.
# Ends with one line "N passed, M failed" over all suites; exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
log=build/test-logs
total_passed=0
total_failed=0

stage() { printf '\n=== %s\n' "$*"; }
die() { echo "test-all: $*"; echo "$total_passed passed, $((total_failed + 1)) failed"; exit 1; }

# x86_64 scenarios: install, update and uninstall round trips with either editor, the plan, a
# start from a folder with a Japanese name, and every dialog read whole with the longest inputs.
X86_64_SMOKE=(install-main-menu install-update uninstall-round-trip afucheck-plan-folders
              driver-argument-paths readable-longest-inputs)

# Adds the counts of a suite's closing line ("N passed, M failed") to the totals.
count_suite() {
    local name=$1 file=$2 line
    line=$(grep -E '^[0-9]+ passed, [0-9]+ failed' "$file" | tail -n 1)
    [ -n "$line" ] || die "$name printed no closing line"
    local p f
    p=$(sed -E 's/^([0-9]+) passed.*/\1/' <<<"$line")
    f=$(sed -E 's/^[0-9]+ passed, ([0-9]+) failed.*/\1/' <<<"$line")
    total_passed=$((total_passed + p))
    total_failed=$((total_failed + f))
    echo "$name: $line"
    # A suite that ran nothing proves nothing: it counts as failed.
    if [ "$p" -eq 0 ] && [ "$f" -eq 0 ]; then
        echo "$name ran no test: counted as failed"
        total_failed=$((total_failed + 1))
    fi
}

# Appends a closing line counting the PASS and FAIL lines of a check's log.
close_checks() {
    printf '%s passed, %s failed\n' "$(grep -c '^PASS' "$1")" "$(grep -c '^FAIL' "$1")" >>"$1"
}

# Runs GoogleTest and turns its summary into a closing line.
run_gtest() {
    local name=$1 exe=$2 out=$log/$1.txt
    "$exe" --gtest_brief=1 >"$out" 2>&1
    local status=$?
    tail -n 3 "$out"
    local passed failed
    passed=$(sed -n -E 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$out" | tail -n 1)
    failed=$(sed -n -E 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' "$out" | tail -n 1)
    echo "${passed:-0} passed, ${failed:-0} failed" >>"$out"
    [ $status -eq 0 ] || { grep -E '^\[  FAILED|Failure|ERROR' "$out" | head -40; }
    count_suite "$name" "$out"
    [ $status -eq 0 ] || [ "${failed:-0}" -gt 0 ] || die "$name crashed"
}

build() {
    cmake --preset "$1" >"$log/configure-$1.txt" 2>&1 || { tail -30 "$log/configure-$1.txt"; die "configure $1 failed"; }
    cmake --build --preset "$1" >"$log/build-$1.txt" 2>&1 || { grep -E -B2 -A6 'error|warning' "$log/build-$1.txt" | head -60; die "build $1 failed"; }
}

stage "machine"
bash tools/setup-machine.sh || die "installing packages failed"
mkdir -p "$log"

stage "core unit tests (g++)"
build native
run_gtest unit_tests build/native/unit_tests

stage "core unit tests under ASan and UBSan"
build sanitize
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_gtest sanitized_unit_tests build/sanitize/unit_tests

if [ -x tests/fuzz/run_fuzzers.sh ]; then
    stage "fuzzing (short, fixed time)"
    tests/fuzz/run_fuzzers.sh >"$log/fuzz.txt" 2>&1
    fuzz_status=$?
    tail -n 5 "$log/fuzz.txt"
    count_suite fuzz "$log/fuzz.txt"
    [ $fuzz_status -eq 0 ] || die "fuzzing found a fault (see $log/fuzz.txt)"
fi

stage "shipping build (i686) and its size"
build win32
# The shipping program stays small: at most 64 KiB with all its resources.
size=$(stat -c %s build/win32/SETUP.EXE)
if [ "$size" -le 65536 ]; then
    echo "PASS build/win32/SETUP.EXE is $size bytes (at most 65536)" >"$log/size.txt"
else
    echo "FAIL build/win32/SETUP.EXE is $size bytes (more than 65536)" >"$log/size.txt"
fi
cat "$log/size.txt"
close_checks "$log/size.txt"
count_suite size "$log/size.txt"

stage "test build (x86_64)"
build win64

stage "imports of SETUP.EXE and AFUCHECK.EXE"
tests/check_imports.sh build/win32/SETUP.EXE build/win64/SETUP.EXE build/win32/AFUCHECK.EXE \
    build/win64/AFUCHECK.EXE >"$log/imports.txt" 2>&1
imports_status=$?
cat "$log/imports.txt"
close_checks "$log/imports.txt"
count_suite imports "$log/imports.txt"

stage "Wine bench (32-bit programs under WoW64 in a 64-bit prefix)"
# bench.sh start says in one line when this machine cannot run 32-bit programs.
tools/bench/bench.sh start >"$log/bench.txt" 2>&1 || { cat "$log/bench.txt"; die "the Wine bench did not start"; }
bench_run() { tools/bench/bench.sh run "$@"; }
state_exe=build/win64/tools/state/state.exe
editor_exe=build/win64/tools/editor_standin/aofude.exe
# The reset deletes the editor of either registry view (a 32-bit installer's under WOW6432Node).
for view in 32 64; do
    if [ "$view" = 32 ]; then key='HKLM\SOFTWARE\WOW6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Aofude'
    else key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Aofude'; fi
    tools/bench/bench.sh reset >>"$log/bench.txt" 2>&1
    bench_run "$editor_exe" /install 'C:\aoftest\Aofude' /view "$view" >>"$log/bench.txt" 2>&1
    bench_run "$state_exe" exists "$key" >>"$log/bench.txt" 2>&1
    installed=$?
    tools/bench/bench.sh reset >>"$log/bench.txt" 2>&1
    bench_run "$state_exe" exists "$key" >>"$log/bench.txt" 2>&1
    left=$?
    if [ $installed -eq 0 ] && [ $left -eq 1 ]; then
        echo "PASS an editor in the $view-bit registry view does not survive a reset"
    else
        echo "FAIL an editor in the $view-bit registry view: after its install 'state exists' gave $installed (0 expected), after a reset $left (1 expected)"
    fi
done >"$log/bench-reset.txt"
cat "$log/bench-reset.txt"
close_checks "$log/bench-reset.txt"
count_suite bench_reset "$log/bench-reset.txt"

# run_wine_tests BUILD: the Win32 tests of build/BUILD on a reset bench.
wine_status=0
run_wine_tests() {
    tools/bench/bench.sh reset >>"$log/bench.txt" 2>&1
    bench_run "build/$1/tests/wine/wine_tests.exe" >"$log/wine_tests-$1.txt" 2>&1 || wine_status=1
    grep -E '^FAIL|^    ' "$log/wine_tests-$1.txt" | head -60
    count_suite "wine_tests_$1" "$log/wine_tests-$1.txt"
}
stage "Win32 tests under Wine, i686 (the shipped build)"
run_wine_tests win32
stage "Win32 tests under Wine, x86_64"
run_wine_tests win64

stage "the sample package under AFUCHECK /WX (i686)"
tools/bench/bench.sh reset >>"$log/bench.txt" 2>&1
sample_unix=$(eval "$(tools/bench/bench.sh env)" 2>/dev/null; echo "$WINEPREFIX/drive_c/aoftest/sample")
bash tools/copy-sample.sh "$sample_unix"
if bench_run build/win32/AFUCHECK.EXE /WX 'C:\aoftest\sample\SETUP.AFU' >"$log/sample-check.out" 2>&1; then
    echo "PASS sample/SETUP.AFU is clean under AFUCHECK /WX" >"$log/sample-check.txt"
else
    { echo "FAIL sample/SETUP.AFU under AFUCHECK /WX:"; iconv -f CP932 -t UTF-8 "$log/sample-check.out"; } >"$log/sample-check.txt"
fi
cat "$log/sample-check.txt"
close_checks "$log/sample-check.txt"
count_suite sample_check "$log/sample-check.txt"

stage "the author's kit: the guide's SETUP.AFU fragments under AFUCHECK, run-sample.sh --update, the one-way package table"
kit_started=$SECONDS
python3 tests/kit/check_kit.py >"$log/authors-kit.txt" 2>&1
grep -E '^(PASS|FAIL)|^\(the one-way table' "$log/authors-kit.txt"
grep -q '^FAIL' "$log/authors-kit.txt" && grep -v '^PASS' "$log/authors-kit.txt" | tail -n 40
count_suite authors_kit "$log/authors-kit.txt"
echo "(authors_kit took $((SECONDS - kit_started)) s)"

# run_scenarios NAME RUN.PY-ARGUMENTS…: one cell of the scenario matrix.
scenario_status=0
run_scenarios() {
    local name=$1; shift
    local started=$SECONDS
    python3 tests/scenarios/run.py "$@" >"$log/$name.txt" 2>&1 || scenario_status=1
    head -n 1 "$log/$name.txt"
    grep -v -E '^PASS|^scenarios: ' "$log/$name.txt" | tail -n 80
    count_suite "$name" "$log/$name.txt"
    echo "($name took $((SECONDS - started)) s)"
}
stage "dialog scenarios under Wine: i686, editor in the 32-bit registry view (all)"
run_scenarios scenarios_i686_view32 --build win32 --view 32
stage "dialog scenarios under Wine: i686, editor in the 64-bit registry view (those that install it)"
run_scenarios scenarios_i686_view64 --build win32 --view 64 --with-editor
stage "dialog scenarios under Wine: x86_64 smoke set, editor in either view"
run_scenarios scenarios_x86_64_view64 --build win64 --view 64 "${X86_64_SMOKE[@]}"
run_scenarios scenarios_x86_64_view32 --build win64 --view 32 uninstall-round-trip

stage "benchmark, quick (must run; no time is judged)"
python3 tools/bench/benchmark.py --quick >"$log/benchmark.txt" 2>&1
benchmark_status=$?
tail -n 30 "$log/benchmark.txt"
if [ $benchmark_status -eq 0 ]; then
    echo "PASS the quick benchmark ran" >>"$log/benchmark.txt"
else
    echo "FAIL the quick benchmark did not run through (exit code $benchmark_status)" >>"$log/benchmark.txt"
fi
close_checks "$log/benchmark.txt"
count_suite benchmark "$log/benchmark.txt"

echo
echo "$total_passed passed, $total_failed failed"
[ $total_failed -eq 0 ] && [ $wine_status -eq 0 ] && [ $scenario_status -eq 0 ] && [ $imports_status -eq 0 ]
