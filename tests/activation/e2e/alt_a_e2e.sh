#!/usr/bin/env bash
# A new player's game on the activation screen, under a real X server: the saved settings keep the game
# log, the set-up is confirmed with Enter, two modifiers are ticked with their access keys, and Alt+A
# is pressed a few hundred times. Each press must write one log entry whose text is a unit line of the
# chosen nationality's tables, "(S? removed)" or "Suspect Counter Automatically Removed", in
# proportions that fit the AC number and the modifiers.
#
# usage (inside an X session, e.g. xvfb-run -a): alt_a_e2e.sh PROGRAM DATAC CHECKER [PRESSES]
set -euo pipefail

program=$(realpath "$1")
datac=$(realpath "$2")
checker=$(realpath "$3")
presses=${4:-200}
support=$(dirname "$program")/DORVA_Support

# June 1943 (year and month list positions 5), AC number 2; "-1: in &stone builiding" and
# "-1: >0 units &w/i 2 hexes" make the modifier total -2.
game_date=194306
ac_number=2
modifiers=-2

work=$(mktemp -d)
pid=""
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/program.out" ] && sed 's/^/program: /' "$work/program.out" >&2
    exit 1
}

export HOME=$work/home
export XDG_CONFIG_HOME=$HOME/.config
unset QT_QPA_PLATFORM
mkdir -p "$XDG_CONFIG_HOME"
log=$work/game-log.txt
cat >"$XDG_CONFIG_HOME/DORVA2.ini" <<INI
[Params]
KeepLogFile=1
Speak=0
Recognize=0
Enemy=0
Year=5
Month=5
ACNumber=$((ac_number - 2))
Attitude=0
A1DRM=2
A5DRM=2
FortsSpecial=0
SeeRolls=1
HexGrain=0
FileLogName=$log
INI

cd "$work"
"$program" >"$work/program.out" 2>&1 &
pid=$!

# The first visible window of this name (searching waits for it, up to the timeout).
find_window() {
    timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1
}
# Gives the window the keyboard and waits until it has it (there is no window manager to do it).
focus() {
    for _ in $(seq 50); do
        xdotool windowfocus "$1" 2>/dev/null || true
        sleep 0.1
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && { sleep 0.2; return 0; }
    done
    fail "window $1 did not take the keyboard"
}

setup=$(find_window '^DORVA II Set Up$') || fail "the set-up screen did not appear"
focus "$setup"
xdotool key Return

activation=$(find_window '^Activation vs\. ') || fail "the activation screen did not appear after Enter"
title=$(xdotool getwindowname "$activation")
nationality=$(sed -E 's/^Activation vs\. (.*): [A-Za-z]+, [0-9]{4}$/\1/' <<<"$title")
[ -f "$support/$nationality.sdf" ] || fail "the title \"$title\" names no nationality file"
echo "playing vs. $nationality ($title)"

focus "$activation"
for key in alt+s alt+w; do
    xdotool key $key
    sleep 0.3
done

size() { if [ -f "$log" ]; then stat -c %s "$log"; else echo 0; fi; }

# A press is taken once the button has been released (a moment after the key); the next press waits
# for the log entry of the one before, so that no press falls into that moment.
for ((i = 1; i <= presses; i++)); do
    before=$(size)
    xdotool key alt+a
    waited=0
    while [ "$(size)" = "$before" ]; do
        sleep 0.02
        waited=$((waited + 1))
        [ $waited -lt 250 ] || fail "press $i wrote nothing to the game log"
    done
done

# Quit the way a player does: File > Exit on the toolbar.
toolbar=$(find_window '^DORVA II Toolbar$') || fail "no toolbar"
focus "$toolbar"
xdotool key ctrl+x
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
! kill -0 "$pid" 2>/dev/null || fail "the program did not end after File > Exit"
wait "$pid" || fail "the program ended with an error: $(cat "$work/program.out")"
pid=""

"$datac" dump --date "$game_date" "$support/$nationality.sdf" >"$work/nationality.json"
"$datac" dump "$support/config.sco" >"$work/tables.json"
"$checker" "$log" "$work/nationality.json" "$work/tables.json" "$presses" "$ac_number" "$modifiers"
