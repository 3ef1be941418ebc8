# A sound server that is frozen (stopped, not gone: it takes connections and never answers) while the
# program starts: the set-up screen answers at once, OK brings the toolbar, and File > Exit ends the
# program within a second, while the speech engines are still waiting for the server behind it.
#   frozen_server_e2e.sh BUILD-FOLDER
source "$(dirname "$0")/../../e2e/lib.sh" "$1"
source "$(dirname "$0")/pulse.sh"

trap '[ -z "${_pulse_pid:-}" ] || kill -CONT "$_pulse_pid" 2>/dev/null; pulse_stop; cleanup' EXIT
pulse_start "$work/pulse" || fail "no private audio server"
kill -STOP "$_pulse_pid"

cat >"$settings" <<INI
[Params]
Speak=1
Recognize=1
INI

start_program "$bin/dorva2"
setup=$(wait_window '^DORVA II Set Up$' 30)
# The engines' set-up has begun, and waits for the server.
wait_speech_module "$bin/dorva-speech.so"
sleep 0.5
press "$setup" Return
toolbar=$(wait_window '^DORVA II Toolbar' 5)
wait_no_window '^DORVA II Set Up$' 5

press "$toolbar" ctrl+x
pressed=$(date +%s%N)
while kill -0 "$program_pid" 2>/dev/null && [ $(($(date +%s%N) - pressed)) -lt 10000000000 ]; do
  sleep 0.02
done
took=$((($(date +%s%N) - pressed) / 1000000))
kill -0 "$program_pid" 2>/dev/null && fail "the program was still running ${took} ms after File > Exit"
wait_exit
[ "$exit_status" = 0 ] || fail "File > Exit ended with status $exit_status"
[ "$took" -le 1000 ] || fail "File > Exit took ${took} ms with the sound server frozen"
echo "frozen server: the screens answered, Exit took ${took} ms"
