# A command said while the program is speaking, with the speakers beside the microphone: what the
# program says is played back into the virtual microphone at about -10 dB; the player asks for an
# attack, whose result takes seconds to say, and says "roll for activation" while it is being spoken.
# The activation must run (its game-log entry); the speaker must have sounded when it was begun, and
# fallen silent while it was said (the program stops talking when the player talks over it). With
# "Stop speaking when I talk" off, the program is started again and must go on talking through a
# sentence said over it. Of the
# activation's phrases it is the one the recogniser fits best through the canceller, so that what is
# tested is the talking over, not the recogniser's accuracy, which the benchmark measures.
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
# write_settings STOP-WHEN-TALKED-OVER
write_settings() {
  cat >"$settings" <<INI
[Params]
KeepLogFile=1
Speak=1
Recognize=1
FileLogName=$log
StopWhenTalkedOver=$1
INI
}
write_settings 1

phrase_of() {
  "$bin/dorva-recognize" --phrases | sed -n "s/.*\"phrase\":\"\([^\"]*\)\".*\"rule\":\"$1\".*/\1/p" | head -n 1
}
attack=$(phrase_of AttackWithDRM)
phrase="roll for activation"
[ -n "$attack" ] || fail "the grammar lacks an attack"
"$bin/dorva-recognize" --phrases | grep "\"phrase\":\"$phrase\".*\"rule\":\"activationroll\"" >/dev/null ||
  fail "the grammar lacks \"$phrase\""

# start_listening: starts the program and waits for its set-up screen and its echo canceller.
start_listening() {
  start_program "$bin/dorva2"
  setup=$(wait_window '^DORVA II Set Up$' 30)
  local deadline=$((SECONDS + 20))
  until pactl list short sources | grep -q "dorva2_echo_source_$program_pid"; do
    [ $SECONDS -lt $deadline ] || fail "the program loaded no echo canceller: $(cat "$work/program.log")"
    sleep 0.1
  done
}
start_listening
recorder=$(pulse_record_speaker "$work/speaker.wav")
# The recording's first sample came a moment after the recorder started: its time is taken from the
# first samples in the file.
deadline=$((SECONDS + 10))
until [ "$(stat -c %s "$work/speaker.wav" 2>/dev/null || echo 0)" -gt 44 ]; do
  [ $SECONDS -lt $deadline ] || fail "the speaker's recording did not start"
  sleep 0.01
done
recording_began=$(date +%s%N)
held=$(($(stat -c %s "$work/speaker.wav") - 44))
bytes_per_second=$(($(od -An -t u4 -j 24 -N 4 "$work/speaker.wav") * $(od -An -t u2 -j 22 -N 2 "$work/speaker.wav") * 2))
recording_began=$((recording_began - held * 1000000000 / bytes_per_second))
now_ms() { echo $((($(date +%s%N) - recording_began) / 1000000)); }
lines() { if [ -f "$log" ]; then grep -c ': ' "$log"; else echo 0; fi; }

# The player has heard the program speak before talking over it: the canceller learns the room
# from its voice, and the program does not fall silent for anything until it has.
warm_up() {
  sleep 1
  pulse_say "$attack" || fail "the attack could not be played into the microphone"
  sleep 6
}
warm_up
# judge BEGAN ENDED HEARD silenced|talking: whether an attempt (ms of the recording so far) was said
# over the voice, and either silenced it and was carried out, or left it talking. The raw samples after the 44-byte header: the recorder is still
# going, the header's sizes are unset.
judge() {
  python3 - "$work/speaker.wav" "$@" <<'PY'
import struct, sys
raw = open(sys.argv[1], 'rb').read()
channels, rate = struct.unpack('<HI', raw[22:28])
samples = struct.unpack('<%dh' % ((len(raw) - 44) // 2), raw[44:44 + (len(raw) - 44) // 2 * 2])[::channels]
def loud(begin_ms, end_ms):
    """The tenths of a second in which the speaker sounded."""
    tenth = rate // 10
    window = samples[max(0, begin_ms) * rate // 1000:end_ms * rate // 1000]
    return sum(1 for i in range(0, len(window), tenth) if max(map(abs, window[i:i + tenth]), default=0) > 1000)
began, ended, heard = map(int, sys.argv[2:5])
silenced = sys.argv[5] == "silenced"
# The phrase sounds a moment after it was begun (synthesis); the program answers a moment after its end.
over = loud(began - 300, began + 100)
after = loud(began + 600, ended - 300)
print("said at %.1f-%.1f s: the speaker sounding in %d of the 4 tenths as it began, in %d tenths "
      "while it went on; carried out: %s" % (began / 1000, ended / 1000, over, after, "yes" if heard else "no"))
sys.exit(0 if over >= 2 and ((heard and after == 0) if silenced else after * 100 >= (ended - began) // 2) else 1)
PY
}

# An attempt that missed (the recogniser refused the attack or the phrase; a slow machine spoke the
# result late) is tried again, as a player would.
passed=0
for attempt in 1 2 3 4; do
  pulse_say "$attack" || fail "the attack could not be played into the microphone"
  # Its result is spoken about half a second after the phrase ends, for seconds.
  sleep 1.5
  before=$(lines)
  began=$(now_ms)
  pulse_say "$phrase" || fail "the phrase could not be played into the microphone"
  ended=$(now_ms)
  deadline=$((SECONDS + 10))
  while [ "$(lines)" = "$before" ] && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
  heard=0
  [ "$(lines)" = "$before" ] || heard=1
  if judge "$began" "$ended" "$heard" silenced; then
    passed=1
    break
  fi
  # Quiet again before the next attempt.
  sleep 6
done
[ $passed = 1 ] || fail "no activation said over the spoken result was carried out"
echo "spoken over: the activation ran ($(tr '\r\n' '  ' <"$log" | cut -c1-80))"

# "Stop speaking when I talk" off: the program talks on through the player's words.
press "$setup" Return
press "$(wait_window '^DORVA II Toolbar$')" ctrl+x
wait_exit
write_settings 0
start_listening
warm_up
passed=0
for attempt in 1 2 3; do
  pulse_say "$attack" || fail "the attack could not be played into the microphone"
  sleep 1.5
  began=$(now_ms)
  pulse_say "I think the squad in the woods is going to break" || fail "the sentence could not be played"
  ended=$(now_ms)
  if judge "$began" "$ended" 0 talking; then
    passed=1
    break
  fi
  sleep 6
done
pulse_stop_recording "$recorder"
[ $passed = 1 ] || fail "with \"Stop speaking when I talk\" off, the program fell silent when talked over"
