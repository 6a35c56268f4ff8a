#!/usr/bin/env bash
# Installs the sample package (sample/) into the stand-in editor under Wine with SETUP.EXE,
# shows the editor's macro menu, then runs SETUP.EXE again to uninstall the package.
#
#   bash tools/run-sample.sh
#
# With a DISPLAY (and CI not "true") the dialogs open on that display and you answer them.
# Otherwise the UI robot answers them on the bench's own display and prints what it saw:
# install: OK to the confirmation and to the completion message; uninstall: OK, Yes, OK, Yes
# and OK (confirm, really remove the registration, delete the files, really delete, report).
#
# The package goes to C:\aoftest\sample\package, the stand-in editor to C:\aoftest\sample\Aofude
# (its macro folder is then C:\aoftest\sample\Aofude\Macro). The bench is reset first.
set -euo pipefail

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BENCH=$REPO/tools/bench/bench.sh
BUILD=$REPO/build/win64
USER_DISPLAY=${DISPLAY:-}
INTERACTIVE=0
if [ -n "$USER_DISPLAY" ] && [ "${CI:-}" != true ]; then
  INTERACTIVE=1
fi

step() { printf '\n== %s\n' "$*"; }

step "Installing what is needed (Debian packages)"
bash "$REPO/tools/setup-machine.sh"

step "Building SETUP.EXE and the test tools (win64)"
cd "$REPO"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 >/dev/null

step "Starting the Wine bench"
"$BENCH" start
"$BENCH" reset
{ eval "$("$BENCH" env)"; } 2>/dev/null # the locale exists for the Windows programs only

SAMPLE_WIN='C:\aoftest\sample'
SAMPLE_UNIX=$WINEPREFIX/drive_c/aoftest/sample
PACKAGE_UNIX=$SAMPLE_UNIX/package
SETUP_WIN="$SAMPLE_WIN\\package\\SETUP.EXE"

step "Copying SETUP.EXE and the sample package to $SAMPLE_WIN\\package"
mkdir -p "$PACKAGE_UNIX"
cp "$BUILD/SETUP.EXE" "$PACKAGE_UNIX/SETUP.EXE"
# The package's texts are kept in UTF-8 here; the editor and SETUP.EXE read code page 932.
bash "$REPO/tools/copy-sample.sh" "$PACKAGE_UNIX"
ls "$PACKAGE_UNIX"

step "Installing the stand-in editor (fresh editor, no macro folder yet)"
"$BENCH" run "$BUILD/tools/editor_standin/aofude.exe" /install "$SAMPLE_WIN\\Aofude"

# run_setup NAME ANSWER…: runs SETUP.EXE, answered by the user or by the robot.
run_setup() {
  local name=$1; shift
  if [ "$INTERACTIVE" = 1 ]; then
    echo "(answer the dialogs on display $USER_DISPLAY)"
    DISPLAY=$USER_DISPLAY "$WINE" "$SETUP_WIN" </dev/null >"$SAMPLE_UNIX/$name.log" 2>&1
    return
  fi
  printf '%s\n' "$@" >"$SAMPLE_UNIX/$name.answers"
  local rc=0
  "$BENCH" run "$BUILD/tools/robot/robot.exe" --answers "$SAMPLE_WIN\\$name.answers" \
    --transcript "$SAMPLE_WIN\\$name.transcript" -- "$SETUP_WIN" || rc=$?
  cat "$SAMPLE_UNIX/$name.transcript"
  [ "$rc" = 0 ] || { echo "run-sample: the robot reported a failure ($rc)" >&2; exit 1; }
}

show_state() {
  step "The stand-in editor's macro menu"
  "$BENCH" run "$BUILD/tools/editor_standin/aofude.exe" /dump-menu
  step "Files in the editor's macro folder"
  (cd "$SAMPLE_UNIX/Aofude" && find . -type f | sort) || true
}

step "Running SETUP.EXE: install"
run_setup install OK OK
show_state

step "Running SETUP.EXE again: uninstall"
run_setup uninstall OK Yes OK Yes OK
show_state
