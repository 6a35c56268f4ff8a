#!/usr/bin/env bash
# Takes the screenshots of docs/authoring.md on the Wine bench with the bundled sample package:
# the install confirmation, the overwrite question (a macro file of that name is already in the
# macro folder), the editor's macro menu after the install, the uninstall confirmation of the
# next run, and a stop message (the package's uninstall-info folder does not exist). Build the
# win64 preset and start the bench first.
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

# until_windows PROGRAM N: waits (at most 30 s) until PROGRAM shows N windows larger than 1 x 1.
until_windows() {
  local waited=0
  until [ "$(xwininfo -root -tree -display "$DISPLAY" | grep -iF "(\"$1\" " | grep -cv ' 1x1+')" -ge "$2" ]; do
    [ "$waited" -lt 300 ] || { echo "docs-screenshots: no $2 windows of $1 within 30 s" >&2; exit 1; }
    sleep 0.1
    waited=$((waited + 1))
  done
}

# shot_while_robot FILE ANSWERS N: runs SETUP.EXE under the robot with these answers (an answer
# that waits for the shot pauses first) and saves its windows once it shows N of them.
shot_while_robot() {
  printf "$2" >"$SAMPLE_UNIX/shot.answers"
  "$BENCH" run "$BUILD/tools/robot/robot.exe" --answers "$SAMPLE_WIN\\shot.answers" -- "$SETUP_WIN" >/dev/null &
  local robot=$!
  until_windows SETUP.EXE "$3"
  "$BENCH" shot-windows "$IMAGES/$1" SETUP.EXE
  wait "$robot"
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
# The install asks about a macro file already in the macro folder: the question stands over the
# progress dialog while it is taken.
mkdir -p "$SAMPLE_UNIX/Aofude/MACRO"
printf '// 前の版\r\n' | iconv -f UTF-8 -t CP932 >"$SAMPLE_UNIX/Aofude/MACRO/$(printf 'ソート.mac')"
shot_while_robot overwrite-question.png 'OK\n!pause 3000\nYes\nOK\n' 2

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

# A stop message: the package names an uninstall-info folder that does not exist, so the install
# stops after copying the files.
"$BENCH" reset
bash "$REPO/tools/copy-sample.sh" "$SAMPLE_UNIX/package"
cp "$BUILD/SETUP.EXE" "$SAMPLE_UNIX/package/"
sed -i 's/^UnInstallInfoPath=.*/UnInstallInfoPath=\\macrodir\\missing\\\r/' "$SAMPLE_UNIX/package/SETUP.AFU"
"$BENCH" run "$EDITOR_EXE" /install "$SAMPLE_WIN\\Aofude" >/dev/null
shot_while_robot stop-message.png 'OK\n!pause 3000\nOK\n' 2
"$BENCH" reset
ls -l "$IMAGES"
