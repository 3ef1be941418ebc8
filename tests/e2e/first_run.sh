# A new user: the set-up screen comes up with the first-run choices, Enter confirms them, the toolbar
# and the activation screen for the first nationality in September 1939 appear, and File > Exit
# (Ctrl+X) writes exactly those choices.
source "$(dirname "$0")/lib.sh" "$1"

first=$(first_nationality)
start_program "$bin/dorva2"
setup=$(wait_window '^DORVA II Set Up')
[ ! -e "$settings" ] || fail "settings were written before Exit"

press "$setup" Return
toolbar=$(wait_window '^DORVA II Toolbar')
wait_window "^Activation vs\. $first: September, 1939" >/dev/null
wait_no_window '^DORVA II Set Up'

press "$toolbar" ctrl+x
wait_exit
[ "$exit_status" = 0 ] || fail "File > Exit ended with status $exit_status"
[ -f "$settings" ] || fail "File > Exit wrote no settings"
expect_setting KeepLogFile 0
expect_setting Speak 0
expect_setting Recognize 0
expect_setting FileName "$first"
expect_setting Enemy 0
expect_setting Year 1
expect_setting Month 8
expect_setting GameDate 193909
expect_setting A1DRM 2
expect_setting A5DRM 2
expect_setting FortsSpecial 0
expect_setting SeeRolls 1
expect_setting ACNumber 1
expect_setting Attitude 0
expect_setting HexGrain 0
expect_setting FileLogName DORVALog.txt
expect_setting LogEveryRoll 1
expect_setting StopWhenTalkedOver 1
echo "first run: ok"
