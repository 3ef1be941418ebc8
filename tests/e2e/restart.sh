# The choices of one run come back in the next: a new user picks the second enemy on the set-up
# screen, confirms, lays the VASL window where VASL is, leaves with File > Exit (Ctrl+X), and the next
# start offers that enemy again and opens the VASL window where it was left.
source "$(dirname "$0")/lib.sh" "$1"

second=$(nationality 2)
start_program "$bin/dorva2"
setup=$(wait_window '^DORVA II Set Up')
# The enemy list has the keyboard focus when the screen comes up.
press "$setup" Down Return
toolbar=$(wait_window '^DORVA II Toolbar')
wait_window "^Activation vs\. $second: September, 1939" >/dev/null
press "$toolbar" ctrl+v
vasl=$(wait_window '^VASL Activation Window')
# place ID: the window's place and size as X=, Y=, WIDTH=, HEIGHT= lines.
place() { xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)='; }
xdotool windowsize --sync "$vasl" 700 60 windowmove --sync "$vasl" 40 600
sleep 0.3
left=$(place "$vasl")
[ "$left" = "$(printf 'X=40\nY=600\nWIDTH=700\nHEIGHT=60')" ] || fail "the VASL window was not laid at 40,600: $left"
press "$toolbar" ctrl+x
wait_exit
[ "$exit_status" = 0 ] || fail "File > Exit failed"
expect_setting Enemy 1
expect_setting FileName "$second"

start_program "$bin/dorva2"
setup=$(wait_window '^DORVA II Set Up')
press "$setup" Return
toolbar=$(wait_window '^DORVA II Toolbar')
wait_window "^Activation vs\. $second: September, 1939" >/dev/null
press "$toolbar" ctrl+v
vasl=$(wait_window '^VASL Activation Window')
sleep 0.3
[ "$(place "$vasl")" = "$left" ] || fail "the VASL window came back at $(place "$vasl" | tr '\n' ' ')"
close_window "$toolbar"
wait_exit
[ "$exit_status" = 0 ] || fail "closing the toolbar failed"
echo "restart: ok"
