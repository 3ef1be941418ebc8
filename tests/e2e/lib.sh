# Helpers of the end-to-end runs: one program under a fresh X server (xvfb-run), driven with xdotool.
# Every wait is bounded; a failed check ends the run with a message and status 1.
# Sourced by the run scripts, which get the build folder as their first argument.

set -euo pipefail

build=$(cd "$1" && pwd)
bin="$build/bin"
work=$(mktemp -d)
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$XDG_CONFIG_HOME"
settings="$XDG_CONFIG_HOME/DORVA2.ini"
unset QT_QPA_PLATFORM
program_pid=""

cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -n "$program_pid" ]; then
    echo "windows on screen:" >&2
    for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
      echo "  $(xdotool getwindowname "$w")" >&2
    done
  fi
  exit 1
}

# start_program EXE: starts it in the background, from a working directory of its own.
start_program() {
  mkdir -p "$work/cwd"
  (cd "$work/cwd" && exec "$1") >"$work/program.log" 2>&1 &
  program_pid=$!
}

# wait_window REGEX [SECONDS]: prints the id of the first visible window whose title matches.
wait_window() {
  local regex=$1 deadline=$((SECONDS + ${2:-15})) ids
  while [ $SECONDS -lt $deadline ]; do
    ids=$(xdotool search --onlyvisible --name "$regex" 2>/dev/null || true)
    if [ -n "$ids" ]; then
      echo "$ids" | head -n 1
      return 0
    fi
    kill -0 "$program_pid" 2>/dev/null ||
      fail "the program ended while waiting for '$regex'; it said: $(tail -n 5 "$work/program.log")"
    sleep 0.1
  done
  fail "no window '$regex' appeared"
}

# wait_speech_module PATH: waits until the program has loaded its speech module from PATH (it does so
# once the set-up screen is up).
wait_speech_module() {
  local module
  module=$(realpath "$1")
  local deadline=$((SECONDS + 15))
  while [ $SECONDS -lt $deadline ]; do
    grep -qF "$module" "/proc/$program_pid/maps" 2>/dev/null && return 0
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended before loading $module"
    sleep 0.1
  done
  fail "the program did not load $module: $(cat "$work/program.log")"
}

# run_copy EXE MODULE WHICH: starts a copy of the program that lives elsewhere (installed, unpacked),
# checks that it found its support folder and loaded its speech module, and closes it again.
run_copy() {
  start_program "$1"
  local setup
  setup=$(wait_window '^(DORVA II Set Up|DORVA II)$')
  [ "$(window_title "$setup")" = "DORVA II Set Up" ] || fail "the $3 program did not find its support folder"
  wait_speech_module "$2"
  close_window "$setup"
  wait_exit
}

# wait_no_window REGEX [SECONDS]: waits until no visible window's title matches.
wait_no_window() {
  local regex=$1 deadline=$((SECONDS + ${2:-10}))
  while [ $SECONDS -lt $deadline ]; do
    if [ -z "$(xdotool search --onlyvisible --name "$regex" 2>/dev/null || true)" ]; then
      return 0
    fi
    sleep 0.1
  done
  fail "window '$regex' did not go away"
}

# window_title ID
window_title() { xdotool getwindowname "$1"; }

# press ID KEY...: gives the window the keyboard focus (there is no window manager to do it) and types.
press() {
  local id=$1
  shift
  timeout 5 xdotool windowfocus --sync "$id" || fail "cannot focus window $id"
  sleep 0.2
  xdotool key --clearmodifiers "$@"
}

# wait_exit [SECONDS]: waits for the program to end; its exit status goes into exit_status.
exit_status=""
wait_exit() {
  local deadline=$((SECONDS + ${1:-10}))
  while kill -0 "$program_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the program did not end"
    sleep 0.1
  done
  exit_status=0
  wait "$program_pid" || exit_status=$?
  program_pid=""
}

# message_text ID: the text of a message box. Its text is selectable: a click on it (the first line,
# right of the icon) gives it the focus, Ctrl+A and Ctrl+C copy it to the clipboard.
message_text() {
  local id=$1 WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$id")"
  timeout 5 xdotool windowfocus --sync "$id" || fail "cannot focus window $id"
  xdotool mousemove --window "$id" $((WIDTH / 2)) 18 click 1
  sleep 0.2
  xdotool key --clearmodifiers ctrl+a ctrl+c
  sleep 0.2
  clipboard
}

# clipboard: the X clipboard's text.
clipboard() { "$build/tests/dorva-e2e-x" clipboard 2>/dev/null || true; }

# close_window ID: asks the window to close, as a window manager's close button does.
close_window() { "$build/tests/dorva-e2e-x" close "$1"; }

# setting KEY: the saved value of KEY in section Params.
setting() {
  awk -F= -v key="$1" '/^\[/ { section = $0 } section == "[Params]" && $1 == key { sub(/^[^=]*=/, ""); print; exit }' "$settings"
}

# expect_setting KEY VALUE
expect_setting() {
  local value
  value=$(setting "$1")
  [ "$value" = "$2" ] || fail "setting $1 is '$value', expected '$2'"
}

# nationality N: the Nth nationality of the enemy list (the support folder's .sdf files by name).
nationality() {
  local file
  file=$(cd "$bin/DORVA_Support" && LC_ALL=C ls -- *.sdf | sed -n "${1}p")
  [ -n "$file" ] || fail "no nationality file number $1 in $bin/DORVA_Support"
  echo "${file%.sdf}"
}
first_nationality() { nationality 1; }
