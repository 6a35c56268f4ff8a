#!/usr/bin/env bash
# Wine test bench for SETUP.EXE: one isolated 64-bit Wine prefix on a private Xvfb display, in
# which 32-bit programs (the shipped i686 SETUP.EXE) run under WoW64 beside 64-bit ones.
#
#   bench.sh start          idempotent: locale, Xvfb, prefix (created once; a prefix made before
#                           Wine's 32-bit loader was installed is updated, or made anew),
#                           persistent wineserver, desktop keeper (tools/bench/keeper.cpp, when
#                           built). Fails with one line when 32-bit programs cannot run here
#   bench.sh env            prints export lines: eval "$(tools/bench/bench.sh env)" (the Wine
#                           settings and AOF_BENCH_DIR)
#   bench.sh run EXE [ARG…] runs a Windows program in the prefix (output via files), exit code = its own
#   bench.sh reset          deletes the test state (registry keys, C:\aoftest, leftover test processes);
#                           waits while a scenario run (tests/scenarios/run.py) holds the bench
#   bench.sh stop           stops the wineserver and the Xvfb this bench started
#   bench.sh shot FILE.png  screenshot of the Xvfb display
#   bench.sh shot-windows FILE.png PROGRAM.exe
#                           the visible windows of that program only (menus included), each
#                           read by itself and laid over each other, cut to their extent
#
# Settings (environment):
#   AOF_BENCH_DIR      bench folder, default /tmp/aofude-bench (prefix, locale, logs, pid files)
#   AOF_BENCH_DISPLAY  X display number, default 77
#   AOF_BENCH_TIMEOUT  seconds `run` lets a program run before it is killed, default 60
#   AOF_BUILD_DIR      build folder holding tools/state/state.exe (used by reset) and
#                      tools/bench/bench-keeper.exe (used by start), default <repo>/build/win64
#
# The test folder on drive C: is C:\aoftest (Unix: $WINEPREFIX/drive_c/aoftest). Scenarios put every
# package, editor folder and test file there; `reset` deletes it whole.
set -u

BENCH_DIR=${AOF_BENCH_DIR:-/tmp/aofude-bench}
DISPLAY_NUM=${AOF_BENCH_DISPLAY:-77}
RUN_TIMEOUT=${AOF_BENCH_TIMEOUT:-60}
SCRIPT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
REPO_DIR=$(cd "$SCRIPT_DIR/../.." && pwd)
BUILD_DIR=${AOF_BUILD_DIR:-$REPO_DIR/build/win64}

PREFIX=$BENCH_DIR/prefix
LOCALE_DIR=$BENCH_DIR/locale
LOG_DIR=$BENCH_DIR/log
XVFB_PID_FILE=$BENCH_DIR/xvfb.pid
KEEPER_PID_FILE=$BENCH_DIR/keeper.pid
KEEPER=$BUILD_DIR/tools/bench/bench-keeper.exe
READY_MARK=$BENCH_DIR/prefix.ready
WINE=/usr/lib/wine/wine64
# Wine's 32-bit loader; wine64 hands 32-bit programs over to it.
WINE32=/usr/lib/wine/wine
# A prefix made without the 32-bit loader lacks Windows' 32-bit system folder.
WOW64_MARK=$PREFIX/drive_c/windows/syswow64/kernel32.dll
WINESERVER=/usr/lib/wine/wineserver
TEST_DIR_UNIX=$PREFIX/drive_c/aoftest

# Registry keys that `reset` deletes (with every subkey, read-only ones included); the editor's
# uninstall key in both registry views (a 32-bit installer's lies under WOW6432Node).
RESET_KEYS=(
  'HKCU\Software\Aofudeo'
  'HKCU\Software\Brenlo'
  'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Aofude'
  'HKLM\SOFTWARE\WOW6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Aofude'
  'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall'
)

die() { echo "bench: $*" >&2; exit 1; }

# As root (sessions and CI), Wine would write read-only files: root bypasses Unix file
# permissions. The wineserver (which opens files) and every program run through this bench
# therefore run without the capabilities that allow this; read-only files then refuse writes
# with error 5, as on Windows.
NOPRIV=()
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null; then
  NOPRIV=(setpriv --bounding-set=-dac_override,-dac_read_search --)
fi

bench_env() {
  # Wine's error channel stays on (it is silent while things go well): a program that Wine
  # fails to start or run then says why in its error output.
  export LOCPATH=$LOCALE_DIR WINEPREFIX=$PREFIX WINEDEBUG=err+all,fixme-all DISPLAY=:$DISPLAY_NUM \
         WINE=$WINE WINEDLLOVERRIDES='mscoree,mshtml='
  # bash itself would try (and warn about) the locale, which exists only for the programs.
  { export LC_ALL=ja_JP.UTF-8; } 2>/dev/null
  unset LANG LANGUAGE
}

# wait_for SECONDS WHAT COMMAND…: polls COMMAND every 0.05 s until it succeeds or the deadline passes.
wait_for() {
  local seconds=$1 what=$2; shift 2
  local deadline=$((SECONDS + seconds))
  while ! "$@" 2>/dev/null; do
    if ((SECONDS >= deadline)); then
      echo "bench: gave up after ${seconds} s waiting for $what" >&2
      return 1
    fi
    sleep 0.05
  done
}

locale_ready() { [ -f "$LOCALE_DIR/ja_JP.UTF-8/LC_CTYPE" ]; }
xvfb_ready() { [ -S /tmp/.X11-unix/X$DISPLAY_NUM ] && xvfb_alive; }
xvfb_alive() {
  local pid
  [ -f /tmp/.X$DISPLAY_NUM-lock ] || return 1
  pid=$(tr -d ' ' </tmp/.X$DISPLAY_NUM-lock) || return 1
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null
}
# The wineserver of the prefix: a wineserver process whose environment names this prefix
# (its socket lies in its working folder; the folder's place differs between Wine builds).
server_pid() {
  local pid
  for pid in $(pgrep -x wineserver64) $(pgrep -x wineserver); do
    grep -qzx "WINEPREFIX=$PREFIX" "/proc/$pid/environ" 2>/dev/null && { echo "$pid"; return 0; }
  done
  return 1
}
# The server's folder is found through the lock file it holds open, not through its working
# folder: the server changes into the prefix for a moment whenever it saves the registry.
server_running() {
  local pid lock
  pid=$(server_pid) || return 1
  lock=$(find "/proc/$pid/fd" -lname '*/server-*/lock' -printf '%l' -quit 2>/dev/null)
  [ -n "$lock" ] && [ -S "${lock%/lock}/socket" ]
}
# True when the running server may bypass file permissions (started before NOPRIV existed, or
# by a plain wine64 call): `start` then replaces it.
server_privileged() {
  local pid bnd
  [ ${#NOPRIV[@]} -gt 0 ] || return 1
  pid=$(server_pid) || return 1
  bnd=$(sed -n 's/^CapBnd:[[:space:]]*//p' "/proc/$pid/status") || return 1
  (( (16#$bnd >> 1) & 1 ))
}
server_stopped() { ! server_pid >/dev/null; }
# pids_gone PID…: true when none of the processes exists any more.
pids_gone() {
  local pid
  for pid in "$@"; do kill -0 "$pid" 2>/dev/null && return 1; done
  return 0
}

start_locale() {
  locale_ready && return 0
  mkdir -p "$LOCALE_DIR"
  localedef -i ja_JP -f UTF-8 "$LOCALE_DIR/ja_JP.UTF-8" >"$LOG_DIR/localedef.log" 2>&1
  locale_ready || die "localedef did not produce $LOCALE_DIR/ja_JP.UTF-8 (see $LOG_DIR/localedef.log)"
}

start_xvfb() {
  xvfb_ready && return 0
  if xvfb_alive; then
    wait_for 10 "the X socket /tmp/.X11-unix/X$DISPLAY_NUM of the running Xvfb" test -S /tmp/.X11-unix/X$DISPLAY_NUM || exit 1
    return 0
  fi
  rm -f /tmp/.X$DISPLAY_NUM-lock /tmp/.X11-unix/X$DISPLAY_NUM
  setsid Xvfb ":$DISPLAY_NUM" -screen 0 1024x768x24 -nolisten tcp </dev/null >"$LOG_DIR/xvfb.log" 2>&1 &
  echo $! >"$XVFB_PID_FILE"
  wait_for 10 "Xvfb to open display :$DISPLAY_NUM (log: $LOG_DIR/xvfb.log)" xvfb_ready || exit 1
}

start_server() {
  if server_running && server_privileged; then
    timeout 20 "$WINESERVER" -k >/dev/null 2>&1
    wait_for 15 "the old wineserver of $PREFIX to end" server_stopped || exit 1
  fi
  server_running && return 0
  setsid "${NOPRIV[@]}" "$WINESERVER" -p </dev/null >"$LOG_DIR/wineserver.log" 2>&1 &
  wait_for 15 "the wineserver of $PREFIX to listen (log: $LOG_DIR/wineserver.log)" server_running || exit 1
}

# wine_quiet LOGNAME ARGS…: runs wine64 with output to a log file, bounded.
wine_quiet() {
  local log=$LOG_DIR/$1.log; shift
  timeout --kill-after=5 120 "$WINE" "$@" </dev/null >"$log" 2>&1
  local rc=$?
  [ $rc -eq 0 ] || { echo "bench: wine64 $* failed with $rc (log: $log)" >&2; return $rc; }
}

# Wine's 32-bit loader must be installed and runnable (a kernel without 32-bit support cannot).
check_loader32() {
  [ -x "$WINE32" ] || die "32-bit programs cannot run: $WINE32 is missing (package wine32:i386; tools/setup-machine.sh installs it)"
  "$WINE32" --version >/dev/null 2>&1 ||
    die "32-bit programs cannot run: $WINE32 does not start (does the kernel run i386 programs?)"
}

# A prefix made before the 32-bit loader was installed is updated (wineboot -u), and made anew
# when that does not give it the 32-bit system folder.
start_wow64() {
  [ -f "$WOW64_MARK" ] && return 0
  echo "bench: the prefix has no 32-bit system folder: updating it" >&2
  wine_quiet wineboot-update wineboot -u
  [ -f "$WOW64_MARK" ] && return 0
  echo "bench: still none: making the prefix anew" >&2
  timeout 20 "$WINESERVER" -k >/dev/null 2>&1
  wait_for 15 "the wineserver of $PREFIX to end" server_stopped || exit 1
  rm -rf "$PREFIX" "$READY_MARK"
  start_prefix
  [ -f "$WOW64_MARK" ] || die "the new prefix has no $WOW64_MARK either (see $LOG_DIR/wineboot.log)"
}

start_prefix() {
  [ -f "$READY_MARK" ] && [ -f "$PREFIX/system.reg" ] && return 0
  if [ ! -f "$PREFIX/system.reg" ]; then
    mkdir -p "$PREFIX"
    start_server
    wine_quiet wineboot wineboot --init || exit 1
  fi
  start_server
  # Unmanaged windows: without a window manager a closing managed window costs Wine about 2 s.
  wine_quiet reg-managed reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f || exit 1
  # A crash ends the process at once instead of waiting on the crash dialog.
  wine_quiet reg-crash reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f || exit 1
  mkdir -p "$TEST_DIR_UNIX"
  touch "$READY_MARK"
}

keeper_alive() {
  local pid
  pid=$(cat "$KEEPER_PID_FILE" 2>/dev/null) || return 1
  [ -n "$pid" ] && tr '\0' '\n' 2>/dev/null <"/proc/$pid/cmdline" | grep -q 'bench-keeper\.exe'
}

# The desktop keeper (tools/bench/keeper.cpp) keeps program starts from waiting for a new
# desktop process. Without a build it is skipped: programs still run, some starts are slower.
start_keeper() {
  keeper_alive && return 0
  if [ ! -f "$KEEPER" ]; then
    echo "bench: $KEEPER is not built yet: starting without the desktop keeper" >&2
    return 0
  fi
  local log=$LOG_DIR/keeper.log
  setsid "${NOPRIV[@]}" "$WINE" "$KEEPER" </dev/null >"$log" 2>&1 &
  echo $! >"$KEEPER_PID_FILE"
  wait_for 30 "bench-keeper.exe to open its window (log: $log)" grep -q '^ready' "$log" || exit 1
}

cmd_start() {
  mkdir -p "$BENCH_DIR" "$LOG_DIR"
  command -v Xvfb >/dev/null || die "Xvfb is not installed (package xvfb)"
  [ -x "$WINE" ] || die "$WINE is missing (package wine64)"
  check_loader32
  start_locale
  start_xvfb
  bench_env
  start_prefix
  start_server
  start_wow64
  start_keeper
  mkdir -p "$TEST_DIR_UNIX"
}

cmd_env() {
  bench_env
  local v
  AOF_BENCH_DIR=$BENCH_DIR
  for v in LOCPATH WINEPREFIX WINEDEBUG LC_ALL DISPLAY WINE WINEDLLOVERRIDES AOF_BENCH_DIR; do
    printf 'export %s=%q\n' "$v" "${!v}"
  done
  echo 'unset LANG LANGUAGE'
}

cmd_run() {
  [ $# -ge 1 ] || die "usage: bench.sh run EXE [ARGS…]"
  bench_env
  server_running || die "the bench is not started (run: bench.sh start)"
  local out err rc
  out=$(mktemp "$LOG_DIR/run.XXXXXX.out") && err=${out%.out}.err || die "cannot create output files in $LOG_DIR"
  timeout --kill-after=5 "$RUN_TIMEOUT" "${NOPRIV[@]}" "$WINE" "$@" </dev/null >"$out" 2>"$err"
  rc=$?
  [ $rc -eq 124 ] && echo "bench: $1 still ran after ${RUN_TIMEOUT} s and was killed" >>"$err"
  cat "$out"
  cat "$err" >&2
  rm -f "$out" "$err"
  return $rc
}

# Wine processes of this prefix that are not Wine's own (C:\windows\…) nor the desktop keeper:
# whatever a test started.
test_pids() {
  local dir pid exe first
  for dir in /proc/[0-9]*; do
    pid=${dir#/proc/}
    exe=$(readlink "$dir/exe" 2>/dev/null) || continue
    case "$exe" in */wine64|*/wine64-preloader|*/wine|*/wine-preloader) ;; *) continue ;; esac
    grep -qzx "WINEPREFIX=$PREFIX" "$dir/environ" 2>/dev/null || continue
    first=$(tr '\0' '\n' <"$dir/cmdline" 2>/dev/null | head -n 1)
    case "$first" in [Cc]:\\windows\\*|*bench-keeper.exe) continue ;; esac
    echo "$pid"
  done
}

# lock_held_by_ancestor FILE: true when the flock on FILE belongs to a process that this one
# descends from (a scenario runner resetting its own bench).
lock_held_by_ancestor() {
  local ino holder pid
  ino=$(stat -c %i "$1" 2>/dev/null) || return 1
  holder=$(awk -v ino="$ino" '$2 == "FLOCK" { n = split($6, f, ":"); if (f[n] == ino) print $5 }' /proc/locks)
  [ -n "$holder" ] || return 1
  pid=$$
  while [ -n "$pid" ] && [ "$pid" -gt 1 ]; do
    [ "$pid" = "$holder" ] && return 0
    pid=$(awk '{ print $4 }' "/proc/$pid/stat" 2>/dev/null)
  done
  return 1
}

cmd_reset() {
  bench_env
  server_running || die "the bench is not started (run: bench.sh start)"
  # A scenario run (tests/scenarios/run.py) holds this lock for its whole run; a reset from
  # anywhere else waits until it is done.
  local lock=$BENCH_DIR/scenarios.lock
  if ! lock_held_by_ancestor "$lock"; then
    exec 9>"$lock"
    if ! flock -n 9; then
      echo "bench: waiting for the scenario run on this bench to finish" >&2
      flock -w 600 9 || die "gave up after 600 s waiting for the lock $lock"
    fi
  fi
  local leftovers
  leftovers=$(test_pids)
  if [ -n "$leftovers" ]; then
    kill -9 $leftovers 2>/dev/null
    wait_for 10 "leftover test processes ($(echo $leftovers)) to end" pids_gone $leftovers || exit 1
  fi
  local state=$BUILD_DIR/tools/state/state.exe i rc failed=0
  [ -f "$state" ] || die "$state is missing: build the win64 preset first"
  # One state.exe per key, side by side; a missing key (exit code 1) is fine.
  local pids=()
  for i in "${!RESET_KEYS[@]}"; do
    timeout --kill-after=5 30 "$WINE" "$state" delete-key "${RESET_KEYS[$i]}" </dev/null \
      >"$LOG_DIR/reset.$i.log" 2>&1 &
    pids+=($!)
  done
  for i in "${!pids[@]}"; do
    wait "${pids[$i]}"
    rc=$?
    if [ $rc -gt 1 ]; then
      cat "$LOG_DIR/reset.$i.log" >&2
      echo "bench: could not delete ${RESET_KEYS[$i]} (state.exe exit code $rc)" >&2
      failed=1
    fi
  done
  [ $failed -eq 0 ] || exit 1
  rm -rf "$TEST_DIR_UNIX"
  [ ! -e "$TEST_DIR_UNIX" ] || die "could not delete $TEST_DIR_UNIX"
  mkdir -p "$TEST_DIR_UNIX"
}

cmd_stop() {
  bench_env
  if ! server_stopped; then
    timeout 20 "$WINESERVER" -k >/dev/null 2>&1
    wait_for 15 "the wineserver of $PREFIX to end" server_stopped || exit 1
  fi
  if [ -f "$XVFB_PID_FILE" ]; then
    local pid
    pid=$(cat "$XVFB_PID_FILE")
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid"
      wait_for 10 "Xvfb (pid $pid) to end" pids_gone "$pid" || exit 1
    fi
    rm -f "$XVFB_PID_FILE"
  fi
  rm -f "$KEEPER_PID_FILE" # the keeper ended with the wineserver
}

cmd_shot() {
  [ $# -eq 1 ] || die "usage: bench.sh shot FILE.png"
  xvfb_ready || die "Xvfb is not running on :$DISPLAY_NUM"
  xwd -root -silent -display ":$DISPLAY_NUM" | convert xwd:- "$1" || die "screenshot failed"
}

# Wine's popup menus do not show in a capture of the root window (they come out black), but
# each window read by itself is whole: the program's windows are laid over each other from the
# bottom one up (xwininfo lists the top one first).
cmd_shot_windows() {
  [ $# -eq 2 ] || die "usage: bench.sh shot-windows FILE.png PROGRAM.exe"
  xvfb_ready || die "Xvfb is not running on :$DISPLAY_NUM"
  local parts=() work geometry id x y
  work=$(mktemp -d)
  while read -r id geometry; do
    x=$(sed -E 's/^[0-9]+x[0-9]+\+(-?[0-9]+)\+.*/\1/' <<<"$geometry")
    y=$(sed -E 's/^[0-9]+x[0-9]+\+-?[0-9]+\+(-?[0-9]+).*/\1/' <<<"$geometry")
    xwd -id "$id" -silent -display ":$DISPLAY_NUM" | convert xwd:- "$work/$id.png" || die "capturing window $id failed"
    parts+=(-page "+$x+$y" "$work/$id.png")
  done < <(xwininfo -root -tree -display ":$DISPLAY_NUM" | grep -iF "(\"$2\" " |
           sed -nE 's/^ *(0x[0-9a-f]+) .* ([0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+) .*/\1 \2/p' |
           grep -v ' 1x1+' | tac)
  [ ${#parts[@]} -gt 0 ] || die "no visible window of $2"
  convert "${parts[@]}" -layers merge +repage "$1" || die "screenshot failed"
  rm -rf "$work"
}

cmd=${1:-}
shift || true
case "$cmd" in
  start) cmd_start ;;
  env) cmd_env ;;
  run) cmd_run "$@" ;;
  reset) cmd_reset ;;
  stop) cmd_stop ;;
  shot) cmd_shot "$@" ;;
  shot-windows) cmd_shot_windows "$@" ;;
  *) die "usage: bench.sh start | env | run EXE [ARGS…] | reset | stop | shot FILE.png | shot-windows FILE.png PROGRAM.exe" ;;
esac
