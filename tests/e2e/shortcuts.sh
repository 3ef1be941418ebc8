# The toolbar's menu shortcuts open their windows, from the toolbar and from the other windows; a window
# already open is only brought forward; closing the toolbar ends the program at once, other windows open
# or not, without saving.
source "$(dirname "$0")/lib.sh" "$1"

start_program "$bin/dorva2"
press "$(wait_window '^DORVA II Set Up')" Return
toolbar=$(wait_window '^DORVA II Toolbar')
activation=$(wait_window '^Activation vs\.')

# focused_is ID: whether the window with the keyboard focus is ID.
focused_is() { [ "$(xdotool getwindowfocus)" = "$1" ]; }

press "$toolbar" ctrl+v
vasl=$(wait_window '^VASL Activation Window')
press "$toolbar" ctrl+c
wait_window '^Activation Controls' >/dev/null
press "$toolbar" ctrl+h
wait_window '^What Can I Say\?' >/dev/null
# From another window than the toolbar: the activation screen, then the random-numbers screen.
press "$activation" ctrl+r
random=$(wait_window '^Random Numbers$')
press "$random" ctrl+l
wait_window '^S\? Locations$' >/dev/null
press "$toolbar" ctrl+p
wait_window '^Actions$' >/dev/null
press "$toolbar" ctrl+m
wait_window '^CC/Melee$' >/dev/null

# Modal windows: the die-roll statistics, the set-up screen and the about box.
press "$toolbar" ctrl+d
stats=$(wait_window '^Die Roll Stats')
press "$stats" Escape
wait_no_window '^Die Roll Stats'

press "$toolbar" ctrl+u
setup=$(wait_window '^DORVA II Set Up')
press "$setup" Return
wait_no_window '^DORVA II Set Up'
wait_window '^DORVA II Toolbar' >/dev/null

press "$toolbar" alt+h i
about=$(wait_window '^About DORVA II')
press "$about" Return
wait_no_window '^About DORVA II'

# Already open: Ctrl+A and Ctrl+V bring the same window forward, no second one appears.
press "$toolbar" ctrl+a
sleep 0.5
focused_is "$activation" || fail "Ctrl+A did not activate the activation screen"
[ "$(xdotool search --onlyvisible --name '^Activation vs\.' | wc -l)" = 1 ] || fail "a second activation screen"
press "$toolbar" ctrl+v
sleep 0.5
focused_is "$vasl" || fail "Ctrl+V did not activate the VASL activation window"
[ "$(xdotool search --onlyvisible --name '^VASL Activation Window' | wc -l)" = 1 ] || fail "a second VASL window"

# Closing the toolbar ends the run, with every other window still open.
close_window "$toolbar"
wait_exit
[ "$exit_status" = 0 ] || fail "closing the toolbar ended with status $exit_status"
[ ! -e "$settings" ] || fail "closing the toolbar wrote the settings"
echo "shortcuts: ok"
