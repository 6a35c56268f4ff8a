#!/usr/bin/env bash
# Tries a macro package as its users will meet it: checks its setup-info file with AFUCHECK
# /PLAN, installs it into the stand-in editor under Wine with SETUP.EXE, saves a screenshot of
# the editor with its macro menu and the package's sub-menu open, then runs SETUP.EXE again
# to uninstall the package.
#
#   bash tools/run-sample.sh [PACKAGE_DIR]
#
# PACKAGE_DIR holds the package as it is shipped: its setup-info file (SETUP.AFU, or one other
# *.AFU file) in code page 932 and its files; SETUP.EXE is taken from this build and named
# after the setup-info file. Without PACKAGE_DIR the bundled sample (sample/) is used.
# SETUP.EXE and AFUCHECK.EXE are the i686 build's (build/win32), the files an author ships; the
# robot and the stand-in editor are the x86_64 test tools (build/win64).
#
# With a DISPLAY (and CI not "true") the dialogs open on that display and you answer them.
# Otherwise the UI robot answers them on the bench's own display and prints what it saw:
# install: OK to the confirmation and to the completion message; uninstall: OK, Yes, OK, Yes
# and OK (confirm, really remove the registration, delete the files, really delete, report).
#
# The package goes to C:\aoftest\sample\package, the stand-in editor to C:\aoftest\sample\Aofude
# (its macro folder is then C:\aoftest\sample\Aofude\Macro). The bench is reset first. The
# screenshot is build/run-sample/menu.png.
set -euo pipefail

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BENCH=$REPO/tools/bench/bench.sh
SHIP=$REPO/build/win32
TOOLS=$REPO/build/win64
PACKAGE_DIR=${1:-}
[ -z "$PACKAGE_DIR" ] || [ -d "$PACKAGE_DIR" ] || { echo "run-sample: no folder $PACKAGE_DIR" >&2; exit 2; }
PACKAGE_DIR=${PACKAGE_DIR:+$(cd "$PACKAGE_DIR" && pwd)}
SHOT=$REPO/build/run-sample/menu.png
USER_DISPLAY=${DISPLAY:-}
INTERACTIVE=0
if [ -n "$USER_DISPLAY" ] && [ "${CI:-}" != true ]; then
  INTERACTIVE=1
fi

step() { printf '\n== %s\n' "$*"; }

step "Installing what is needed (Debian packages)"
bash "$REPO/tools/setup-machine.sh"

step "Building SETUP.EXE and AFUCHECK.EXE (win32) and the test tools (win64)"
cd "$REPO"
for preset in win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2 >/dev/null
done

step "Starting the Wine bench"
"$BENCH" start
"$BENCH" reset
{ eval "$("$BENCH" env)"; } 2>/dev/null # the locale exists for the Windows programs only

SAMPLE_WIN='C:\aoftest\sample'
SAMPLE_UNIX=$WINEPREFIX/drive_c/aoftest/sample
PACKAGE_UNIX=$SAMPLE_UNIX/package
EDITOR_EXE=$TOOLS/tools/editor_standin/aofude.exe

step "Copying the package to $SAMPLE_WIN\\package"
mkdir -p "$PACKAGE_UNIX"
if [ -n "$PACKAGE_DIR" ]; then
  cp -R "$PACKAGE_DIR"/. "$PACKAGE_UNIX"/
else
  # The sample's texts are kept in UTF-8 here; the editor and SETUP.EXE read code page 932.
  bash "$REPO/tools/copy-sample.sh" "$PACKAGE_UNIX"
fi
# SETUP.EXE pairs with SETUP.AFU; a package with one other *.AFU file gets the program under
# that file's name (FOO.AFU, FOO.EXE).
INFO=$(cd "$PACKAGE_UNIX" && { ls SETUP.AFU 2>/dev/null || ls | grep -i '\.afu$' || true; })
[ "$(printf '%s\n' "$INFO" | grep -c .)" = 1 ] ||
  { echo "run-sample: the package needs SETUP.AFU or exactly one *.AFU file" >&2; exit 2; }
PROGRAM=${INFO%.*}.EXE
cp "$SHIP/SETUP.EXE" "$PACKAGE_UNIX/$PROGRAM"
ls "$PACKAGE_UNIX"
SETUP_WIN="$SAMPLE_WIN\\package\\$PROGRAM"

step "Installing the stand-in editor (fresh editor, no macro folder yet)"
"$BENCH" run "$EDITOR_EXE" /install "$SAMPLE_WIN\\Aofude"

step "AFUCHECK /PLAN $INFO"
check=0
"$BENCH" run "$SHIP/AFUCHECK.EXE" /PLAN "$SAMPLE_WIN\\package\\$INFO" >"$SAMPLE_UNIX/plan.txt" || check=$?
iconv -f CP932 -t UTF-8 "$SAMPLE_UNIX/plan.txt"
if [ "$check" = 2 ]; then
  echo "run-sample: AFUCHECK found errors; SETUP.EXE would refuse this package or install nothing sensible" >&2
  exit 1
fi
# The group /PLAN names: its sub-menu is opened for the screenshot (0: the macro menu alone).
GROUP=$(iconv -f CP932 -t UTF-8 "$SAMPLE_UNIX/plan.txt" | sed -n 's/^メニュー: サブメニュー \([1-7]\).*/\1/p')
GROUP=${GROUP:-0}

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
  "$BENCH" run "$TOOLS/tools/robot/robot.exe" --answers "$SAMPLE_WIN\\$name.answers" \
    --transcript "$SAMPLE_WIN\\$name.transcript" -- "$SETUP_WIN" || rc=$?
  cat "$SAMPLE_UNIX/$name.transcript"
  [ "$rc" = 0 ] || { echo "run-sample: the robot reported a failure ($rc)" >&2; exit 1; }
}

show_state() {
  step "The stand-in editor's macro menu"
  "$BENCH" run "$EDITOR_EXE" /dump-menu
  step "Files in the editor's folder"
  (cd "$SAMPLE_UNIX/Aofude" && find . -type f | sort) || true
}

# Opens the stand-in editor with its macro menu and the package's sub-menu, waits (at most
# 30 s) until the menus are on the screen, saves the editor's windows, and closes it again.
take_screenshot() {
  step "Screenshot of the stand-in editor's macro menu"
  local out=$SAMPLE_UNIX/editor.out
  setsid "$WINE" "$EDITOR_EXE" /show-menu "$GROUP" </dev/null >"$out" 2>&1 &
  local waited=0
  until grep -q '^menu-open' "$out" 2>/dev/null; do
    [ "$waited" -lt 300 ] || { echo "run-sample: the editor's menu did not open within 30 s" >&2; exit 1; }
    sleep 0.1
    waited=$((waited + 1))
  done
  mkdir -p "$(dirname "$SHOT")"
  "$BENCH" shot-windows "$SHOT" aofude.exe
  "$BENCH" run "$EDITOR_EXE" /close
  echo "The editor as the package's users see it: $SHOT"
}

step "Running $PROGRAM: install"
run_setup install OK OK
show_state
take_screenshot

step "Running $PROGRAM again: uninstall"
run_setup uninstall OK Yes OK Yes OK
show_state
echo
echo "Screenshot of the installed package's menu: $SHOT"
