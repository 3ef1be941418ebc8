#!/usr/bin/env bash
# A short game on the activation screen, under a real X server: the saved settings keep the game log,
# the set-up is confirmed with Enter, two modifiers are ticked with their access keys, and Alt+A is
# pressed a few times. The game gets one header, each press one UTF-8 log entry, every line ends in
# carriage return and line feed; what the lines say is pinned exactly by the scripted-dice tests of the
# activation screen and the game log.
#
# usage (inside an X session, e.g. xvfb-run -a): alt_a_e2e.sh BUILD_FOLDER [PRESSES]
source "$(dirname "$0")/../../e2e/lib.sh" "$1"
presses=${2:-20}
support=$bin/DORVA_Support

# June 1943 (year and month list positions 5), AC number 2; "-1: in &stone builiding" and
# "-1: >0 units &w/i 2 hexes" make the modifier total -2.
ac_number=2

log=$work/game-log.txt
cat >"$settings" <<INI
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

start_program "$bin/dorva2"

setup=$(wait_window '^DORVA II Set Up$' 20)
press "$setup" Return

activation=$(wait_window '^Activation vs\. ' 20)
title=$(xdotool getwindowname "$activation")
nationality=$(sed -E 's/^Activation vs\. (.*): [A-Za-z]+, [0-9]{4}$/\1/' <<<"$title")
[ -f "$support/$nationality.sdf" ] || fail "the title \"$title\" names no nationality file"
echo "playing vs. $nationality ($title)"

press "$activation" alt+s
sleep 0.3
xdotool key alt+w
sleep 0.3

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
toolbar=$(wait_window '^DORVA II Toolbar$')
press "$toolbar" ctrl+x
wait_exit
[ "$exit_status" = 0 ] || fail "the program ended with status $exit_status after File > Exit"

headers=$(grep -c ': === vs\. ' "$log")
[ "$headers" = 1 ] || fail "the game has $headers header lines"
# An entry starts at the start of a line; its further lines are indented.
lines=$(($(grep -c '^[^ ]' "$log") - headers))
[ "$lines" = "$presses" ] || fail "$presses presses wrote $lines log entries"
[ "$(grep -c $'\r$' "$log")" = "$(wc -l <"$log")" ] || fail "a log line does not end in carriage return and line feed"
iconv -f UTF-8 -t UTF-8 "$log" >/dev/null || fail "the game log is not UTF-8"
echo "ok: $presses presses, $lines log entries"
