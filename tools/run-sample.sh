#!/usr/bin/env bash
# Tries a macro package as its users will meet it: checks its setup-info file with AFUCHECK
# /PLAN, installs it into the stand-in editor under Wine with SETUP.EXE, saves a screenshot of
# the editor with its macro menu and the package's sub-menu open, then uninstalls the package
# through the command its entry in the list of installed apps holds, as Settings -> Apps does.
#
#   bash tools/run-sample.sh [--answers STEP=ANSWER,ANSWER…]… [PACKAGE_DIR]
#   bash tools/run-sample.sh [--answers STEP=ANSWER,ANSWER…]… --update OLD_DIR NEW_DIR
#
# PACKAGE_DIR holds the package as it is shipped: its setup-info file (SETUP.AFU, or one other
# *.AFU file) in code page 932 and its files; SETUP.EXE is taken from this build and named
# after the setup-info file. Without PACKAGE_DIR the bundled sample (sample/) is used.
# SETUP.EXE and AFUCHECK.EXE are the i686 build's (build/win32), the files an author ships; the
# robot, the state tool and the stand-in editor are the x86_64 test tools (build/win64).
# With --update, the package of OLD_DIR is installed and then updated with the one of NEW_DIR
# (AFUCHECK /PLAN /UPDATE checks the new one first); the screenshot and the uninstall follow.
#
# With a DISPLAY (and CI not "true") the dialogs open on that display and you answer them.
# Otherwise the UI robot answers them on the bench's own display and prints what it saw, with
# these answers unless --answers gives others for a step (install, update or uninstall), in the
# robot's words (tools/README.md):
#   install    OK,OK                              confirm; the completion message
#   update     OK,?overwrite All,?overwrite All,OK confirm; "overwrite all" to an overwrite
#                                                 question, which lasts one section (the
#                                                 macros, then the other files); completion
#   uninstall  OK,Yes,OK,Yes,OK                   confirm, really remove the registration,
#                                                 delete the files, really delete, report
# A run that ends with a stop message (a message box that is not a question), or without doing
# its step (no version recorded after an install or update, the record left after an
# uninstall), stops this script with that message; SETUP.EXE itself always exits with 0.
#
# The packages go to C:\aoftest\sample\package (and package-new), the stand-in editor to
# C:\aoftest\sample\Aofude (its macro folder is then C:\aoftest\sample\Aofude\Macro). The bench
# is reset first. The screenshot is build/run-sample/menu.png.
set -euo pipefail

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BENCH=$REPO/tools/bench/bench.sh
SHIP=$REPO/build/win32
TOOLS=$REPO/build/win64

usage() {
  echo "usage: run-sample.sh [--answers STEP=A,B,…]… [PACKAGE_DIR | --update OLD_DIR NEW_DIR]" >&2
  exit 2
}
declare -A ANSWERS=(
  [install]='OK,OK'
  [update]='OK,?overwrite All,?overwrite All,OK'
  [uninstall]='OK,Yes,OK,Yes,OK'
)
PACKAGE_DIR=
NEW_DIR=
while [ $# -gt 0 ]; do
  case $1 in
    --answers)
      [ $# -ge 2 ] && [[ $2 =~ ^(install|update|uninstall)=. ]] || usage
      ANSWERS[${2%%=*}]=${2#*=}
      shift 2 ;;
    --update)
      [ $# -ge 3 ] || usage
      PACKAGE_DIR=$2 NEW_DIR=$3
      shift 3 ;;
    -*) usage ;;
    *) [ -z "$PACKAGE_DIR" ] || usage; PACKAGE_DIR=$1; shift ;;
  esac
done
for dir in "$PACKAGE_DIR" "$NEW_DIR"; do
  [ -z "$dir" ] || [ -d "$dir" ] || { echo "run-sample: no folder $dir" >&2; exit 2; }
done
PACKAGE_DIR=${PACKAGE_DIR:+$(cd "$PACKAGE_DIR" && pwd)}
NEW_DIR=${NEW_DIR:+$(cd "$NEW_DIR" && pwd)}
SHOT=$REPO/build/run-sample/menu.png
USER_DISPLAY=${DISPLAY:-}
INTERACTIVE=0
if [ -n "$USER_DISPLAY" ] && [ "${CI:-}" != true ]; then
  INTERACTIVE=1
fi

step() { printf '\n== %s\n' "$*"; }
stop() { echo "run-sample: $*" >&2; exit 1; }

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
EDITOR_EXE=$TOOLS/tools/editor_standin/aofude.exe
STATE_EXE=$TOOLS/tools/state/state.exe
RECORDS='HKCU\Software\Brenlo\AofMacroSetup'
APPS='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall'

# copy_package SOURCE_DIR NAME: the package in C:\aoftest\sample\NAME with this build's
# SETUP.EXE beside its setup-info file. Sets INFO (the setup-info file's name), PROGRAM and
# SETUP_WIN (the program's Windows path).
copy_package() {
  local source=$1 name=$2 unix=$SAMPLE_UNIX/$2
  step "Copying the package to $SAMPLE_WIN\\$name"
  mkdir -p "$unix"
  if [ -n "$source" ]; then
    cp -R "$source"/. "$unix"/
  else
    # The sample's texts are kept in UTF-8 here; the editor and SETUP.EXE read code page 932.
    bash "$REPO/tools/copy-sample.sh" "$unix"
  fi
  # SETUP.EXE pairs with SETUP.AFU; a package with one other *.AFU file gets the program under
  # that file's name (FOO.AFU, FOO.EXE).
  INFO=$(cd "$unix" && { ls SETUP.AFU 2>/dev/null || ls | grep -i '\.afu$' || true; })
  [ "$(printf '%s\n' "$INFO" | grep -c .)" = 1 ] ||
    { echo "run-sample: the package needs SETUP.AFU or exactly one *.AFU file" >&2; exit 2; }
  PROGRAM=${INFO%.*}.EXE
  cp "$SHIP/SETUP.EXE" "$unix/$PROGRAM"
  ls "$unix"
  SETUP_WIN="$SAMPLE_WIN\\$name\\$PROGRAM"
  INFO_WIN="$SAMPLE_WIN\\$name\\$INFO"
}

# check_package NAME [AFUCHECK OPTION…]: AFUCHECK /PLAN on the package; stops on errors. The
# plan is kept in $SAMPLE_UNIX/NAME.plan (UTF-8).
check_package() {
  local name=$1; shift
  step "AFUCHECK /PLAN $* $INFO"
  local rc=0
  "$BENCH" run "$SHIP/AFUCHECK.EXE" /PLAN "$@" "$INFO_WIN" >"$SAMPLE_UNIX/$name.out" || rc=$?
  iconv -f CP932 -t UTF-8 "$SAMPLE_UNIX/$name.out" | tr -d '\r' | tee "$SAMPLE_UNIX/$name.plan"
  [ "$rc" != 2 ] ||
    stop "AFUCHECK found errors; SETUP.EXE would refuse this package or install nothing sensible"
}

# plan_line NAME PATTERN: the part of the plan's line "PATTERN…" that the sed group takes.
plan_line() { sed -n "s/^$2/\\1/p" "$SAMPLE_UNIX/$1.plan" | head -n 1; }

# The package record's values as text (every package's: the bench holds only this one).
record_dump() { "$BENCH" run "$STATE_EXE" dump "$RECORDS" 2>/dev/null || true; }

# The last dialog of a transcript: "KIND|ICON|TEXT".
last_dialog() {
  awk '/^dialog [0-9]+: /{kind=$3; icon=""; text=""}
       /^icon: /{icon=$2}
       /^text (65535|1001): /{sub(/^text [0-9]+: /, ""); text=$0}
       END{print kind "|" icon "|" text}' "$1"
}

# run_setup STEP [ROBOT OPTION…]: runs SETUP.EXE ($SETUP_WIN, quoted as Explorer starts it),
# answered by the user or by the robot with the step's answers; stops when the run ended with a
# stop message.
run_setup() {
  local name=$1; shift
  local command="\"$SETUP_WIN\""
  if [ "$INTERACTIVE" = 1 ]; then
    echo "(answer the dialogs on display $USER_DISPLAY)"
    DISPLAY=$USER_DISPLAY "$WINE" "$SETUP_WIN" </dev/null >"$SAMPLE_UNIX/$name.log" 2>&1
    return
  fi
  tr ',' '\n' <<<"${ANSWERS[$name]}" >"$SAMPLE_UNIX/$name.answers"
  local rc=0
  "$BENCH" run "$TOOLS/tools/robot/robot.exe" --answers "$SAMPLE_WIN\\$name.answers" \
    --transcript "$SAMPLE_WIN\\$name.transcript" "$@" --command-line "${RUN_COMMAND:-$command}" ||
    rc=$?
  cat "$SAMPLE_UNIX/$name.transcript"
  local kind icon text
  IFS='|' read -r kind icon text <<<"$(last_dialog "$SAMPLE_UNIX/$name.transcript")"
  if [ "$kind" = message-box ] && [ "$icon" != question ]; then
    stop "$PROGRAM ($name) stopped with: ${text//\\n/ }"
  fi
  [ "$rc" = 0 ] || stop "the robot reported a failure ($rc); see the transcript above"
}

# require_outcome STEP WHAT TEST…: stops, naming the run's last dialog, when TEST fails.
require_outcome() {
  local name=$1 what=$2; shift 2
  "$@" && return
  local text=
  [ ! -f "$SAMPLE_UNIX/$name.transcript" ] ||
    IFS='|' read -r _ _ text <<<"$(last_dialog "$SAMPLE_UNIX/$name.transcript")"
  stop "$PROGRAM ($name) did not complete: $what${text:+; its last message: ${text//\\n/ }}"
}
recorded_version() { record_dump | sed -n 's/^"MacroVersion" REG_DWORD //p' | head -n 1; }
is_recorded() { [ -n "$(recorded_version)" ]; }
is_not_recorded() { [ -z "$(recorded_version)" ]; }

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
    [ "$waited" -lt 300 ] || stop "the editor's menu did not open within 30 s"
    sleep 0.1
    waited=$((waited + 1))
  done
  mkdir -p "$(dirname "$SHOT")"
  "$BENCH" shot-windows "$SHOT" aofude.exe
  "$BENCH" run "$EDITOR_EXE" /close
  echo "The editor as the package's users see it: $SHOT"
}

# The installed-apps entry of the package: "KEY<TAB>UninstallString" lines (one per package).
apps_entries() {
  "$BENCH" run "$STATE_EXE" dump "$APPS" --json 2>/dev/null | python3 -c '
import json, sys
text = sys.stdin.read()
for key in (json.loads(text)["subkeys"] if text.strip() else []):
    if key["name"].startswith("AofMacroSetup."):
        values = {v["name"]: v.get("data", "") for v in key["values"]}
        print(key["name"] + "\t" + values.get("UninstallString", ""))'
}

# Uninstalls the way the package's users do: through its entry in the list of installed apps,
# whose command must be the quoted path of the program copy in the uninstall-info folder.
uninstall_package() {
  local folder program_copy entries command
  folder=$(plan_line "$PLAN" 'アンインストール情報: \(.*\) (.* と .*)$')
  program_copy=$folder$PROGRAM
  entries=$(apps_entries)
  if [ -z "$entries" ]; then
    step "Running the program copy $program_copy: uninstall (no InternalName: not among the installed apps)"
  else
    [ "$(grep -c . <<<"$entries")" = 1 ] || stop "more than one installed-apps entry: $entries"
    command=${entries#*$'\t'}
    step "Running the installed-apps entry's command $command: uninstall"
    [ "$command" = "\"$program_copy\"" ] ||
      stop "the installed-apps entry's command is $command, not the quoted program copy \"$program_copy\""
  fi
  SETUP_WIN=$program_copy RUN_COMMAND=${command:-} run_setup uninstall
  [ "$INTERACTIVE" = 1 ] || grep -qxF "command: \"$program_copy\"" "$SAMPLE_UNIX/uninstall.transcript" ||
    stop "the uninstall did not run through \"$program_copy\""
  require_outcome uninstall "the package is still recorded" is_not_recorded
  [ -z "$(apps_entries)" ] || stop "the installed-apps entry is still there after the uninstall"
}

copy_package "$PACKAGE_DIR" package
step "Installing the stand-in editor (fresh editor, no macro folder yet)"
"$BENCH" run "$EDITOR_EXE" /install "$SAMPLE_WIN\\Aofude"
PLAN=package
check_package package
OLD_INFO_WIN=$INFO_WIN
# The group /PLAN names: its sub-menu is opened for the screenshot (0: the macro menu alone).
GROUP=$(plan_line package 'メニュー: サブメニュー \([1-7]\).*')
GROUP=${GROUP:-0}

step "Running $PROGRAM: install"
run_setup install
require_outcome install "no version was recorded" is_recorded

if [ -n "$NEW_DIR" ]; then
  show_state
  copy_package "$NEW_DIR" package-new
  PLAN=package-new
  check_package package-new /UPDATE "$OLD_INFO_WIN"
  grep -q '^モード: アップデート' "$SAMPLE_UNIX/package-new.plan" ||
    stop "SETUP.EXE would not update: $(grep '^モード: ' "$SAMPLE_UNIX/package-new.plan")"
  installed=$(recorded_version)
  step "Running $PROGRAM of the new version: update"
  run_setup update
  require_outcome update "the recorded version is still $installed" \
    test "$(recorded_version)" != "$installed"
fi
show_state
take_screenshot

uninstall_package
show_state
echo
echo "Screenshot of the installed package's menu: $SHOT"
