#!/usr/bin/env bash
# Takes the screenshots of docs/authoring.md on the Wine bench with the bundled sample package:
# the install confirmation, the editor's macro menu after the install, and the uninstall
# confirmation of the next run. Build the win64 preset and start the bench first.
#
#   bash tools/docs-screenshots.sh
set -euo pipefail

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BENCH=$REPO/tools/bench/bench.sh
BUILD=$REPO/build/win64
IMAGES=$REPO/docs/images
"$BENCH" reset
{ eval "$("$BENCH" env)"; } 2>/dev/null

SAMPLE_WIN='C:\aoftest\sample'
SAMPLE_UNIX=$WINEPREFIX/drive_c/aoftest/sample
SETUP_WIN="$SAMPLE_WIN\\package\\SETUP.EXE"
EDITOR_EXE=$BUILD/tools/editor_standin/aofude.exe
bash "$REPO/tools/copy-sample.sh" "$SAMPLE_UNIX/package"
cp "$BUILD/SETUP.EXE" "$SAMPLE_UNIX/package/"
"$BENCH" run "$EDITOR_EXE" /install "$SAMPLE_WIN\\Aofude" >/dev/null
mkdir -p "$IMAGES"

# until_window PROGRAM: waits (at most 30 s) until PROGRAM shows a window larger than 1 x 1.
until_window() {
  local waited=0
  until xwininfo -root -tree -display "$DISPLAY" | grep -iF "(\"$1\" " | grep -qv ' 1x1+'; do
    [ "$waited" -lt 300 ] || { echo "docs-screenshots: no window of $1 within 30 s" >&2; exit 1; }
    sleep 0.1
    waited=$((waited + 1))
  done
}

# shot_first_dialog FILE: runs SETUP.EXE, saves its first dialog, and ends that run.
shot_first_dialog() {
  "$WINE" "$SETUP_WIN" </dev/null >/dev/null 2>&1 &
  local setup=$!
  until_window SETUP.EXE
  "$BENCH" shot-windows "$IMAGES/$1" SETUP.EXE
  kill "$setup"
  wait "$setup" 2>/dev/null || true
}

shot_first_dialog install-confirmation.png
printf 'OK\nOK\n' >"$SAMPLE_UNIX/install.answers"
"$BENCH" run "$BUILD/tools/robot/robot.exe" --answers "$SAMPLE_WIN\\install.answers" -- "$SETUP_WIN" >/dev/null

"$WINE" "$EDITOR_EXE" /show-menu 1 </dev/null >"$SAMPLE_UNIX/editor.out" 2>&1 &
waited=0
until grep -q '^menu-open' "$SAMPLE_UNIX/editor.out"; do
  [ "$waited" -lt 300 ] || { echo "docs-screenshots: the editor's menu did not open within 30 s" >&2; exit 1; }
  sleep 0.1
  waited=$((waited + 1))
done
"$BENCH" shot-windows "$IMAGES/macro-menu.png" aofude.exe
"$BENCH" run "$EDITOR_EXE" /close >/dev/null

shot_first_dialog uninstall-confirmation.png
"$BENCH" reset
ls -l "$IMAGES"
