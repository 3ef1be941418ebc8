# A program whose support folder lacks config.sco says so and ends without writing the settings.
source "$(dirname "$0")/lib.sh" "$1"

copy="$work/copy"
mkdir -p "$copy"
cp -r "$bin/dorva2" "$bin/DORVA_Support" "$copy/"
rm "$copy/DORVA_Support/config.sco"

start_program "$copy/dorva2"
message=$(wait_window '^DORVA II$')
text=$(message_text "$message")
case "$text" in
  *"DORVA_Support/config.sco is not found."*) ;;
  *) fail "the message reads '$text'" ;;
esac
press "$message" Return
wait_exit
[ "$exit_status" = 1 ] || fail "the program ended with status $exit_status, not 1"
[ ! -e "$settings" ] || fail "the settings were written"
[ -z "$(xdotool search --name '^DORVA II Set Up' 2>/dev/null || true)" ] || fail "the set-up screen appeared"
echo "missing config: ok"
