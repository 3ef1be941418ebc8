# A command said while the program is speaking, with the speakers beside the microphone: what the
# program says is played back into the virtual microphone at about -10 dB, the player says "activation
# roll", and says it again while its result is being spoken. Both activations must run (two game-log
# entries), and the second command must really have been said over the spoken result.
#   spoken_over_e2e.sh BUILD-FOLDER
source "$(dirname "$0")/../../e2e/lib.sh" "$1"
source "$(dirname "$0")/pulse.sh"

trap 'pulse_stop; cleanup' EXIT
pulse_start "$work/pulse" || fail "no private audio server"
# The speakers heard by the microphone: -10 dB is 68 % on the server's cubic volume scale.
pactl load-module module-loopback source=speaker.monitor sink=micsink latency_msec=30 \
  source_dont_move=true sink_dont_move=true >/dev/null || fail "no loopback"
pactl set-sink-input-volume "$(pactl list short sink-inputs | awk '{ print $1 }' | tail -n 1)" 68%

log="$work/game-log.txt"
cat >"$settings" <<INI
[Params]
KeepLogFile=1
Speak=1
Recognize=1
FileLogName=$log
INI

phrase=$("$bin/dorva-recognize" --phrases | sed -n 's/.*"phrase":"\([^"]*\)".*"rule":"activationroll".*/\1/p' | head -n 1)
[ -n "$phrase" ] || fail "the grammar has no phrase for the activation roll"

start_program "$bin/dorva2"
wait_window '^DORVA II Set Up$' 30 >/dev/null
# The echo canceller is in place once the program listens.
deadline=$((SECONDS + 20))
until pactl list short sources | grep -q dorva2_echo_source; do
  [ $SECONDS -lt $deadline ] || fail "the program loaded no echo canceller: $(cat "$work/program.log")"
  sleep 0.1
done
recorder=$(pulse_record_speaker "$work/speaker.wav")
recording_began=$(date +%s%N)

lines() { if [ -f "$log" ]; then grep -c ': ' "$log"; else echo 0; fi; }
# say_until N: says the phrase until the log has N entries (a phrase the recogniser missed is said
# again, as a player would); prints when the last saying began and ended, in ms of the recording.
say_until() {
  local attempt deadline began ended
  for attempt in 1 2 3; do
    began=$((($(date +%s%N) - recording_began) / 1000000))
    pulse_say "$phrase" || fail "the phrase could not be played into the microphone"
    ended=$((($(date +%s%N) - recording_began) / 1000000))
    deadline=$((SECONDS + 10))
    while [ "$(lines)" -lt "$1" ] && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
    if [ "$(lines)" -ge "$1" ]; then
      echo "$began $ended"
      return 0
    fi
    [ "$1" = 1 ] || fail "the command said over the spoken result was not heard"
    sleep 1
  done
  fail "\"$phrase\" was never heard (log: $(cat "$log" 2>/dev/null))"
}

sleep 1
say_until 1 >/dev/null
# The first result is being spoken now: said at once, the command runs over it.
sleep 0.3
read -r began ended < <(say_until 2)
sleep 4
pulse_stop_recording "$recorder"
[ "$(lines)" = 2 ] || fail "$(lines) activations ran (log: $(cat "$log"))"

# The speaker sounded while the second command was being said.
python3 - "$work/speaker.wav" "$began" "$ended" <<'PY' || fail "the second command was not said over the spoken result"
import struct, sys, wave
w = wave.open(sys.argv[1])
rate, channels = w.getframerate(), w.getnchannels()
data = w.readframes(w.getnframes())
samples = struct.unpack('<%dh' % (len(data) // 2), data)[::channels]
began, ended = int(sys.argv[2]), int(sys.argv[3])
window = samples[began * rate // 1000:ended * rate // 1000]
loud = sum(1 for i in range(0, len(window), rate // 10) if max(map(abs, window[i:i + rate // 10]), default=0) > 1000)
print("the speaker sounded in %d of %d tenths of a second while the command was said" % (loud, max(1, len(window) // (rate // 10))))
sys.exit(0 if loud >= 3 else 1)
PY
echo "spoken over: both activations ran ($(tr '\r\n' '  ' <"$log" | cut -c1-120))"
