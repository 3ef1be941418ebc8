# The whole program by voice, under Xvfb with a private audio server: listening and speaking on in the
# saved settings, a synthesised "activation roll" is played into the virtual microphone while the
# set-up screen is up; the activation must run (its game-log entry) and its spoken result must reach
# the speaker as sound. Then a command of the actions screen and one of the close-combat screen, on
# screens that open hidden: each result is logged in its screen's words and spoken.
#   program_e2e.sh BUILD-FOLDER
source "$(dirname "$0")/../../e2e/lib.sh" "$1"
source "$(dirname "$0")/pulse.sh"

trap 'pulse_stop; cleanup' EXIT
pulse_start "$work/pulse" || fail "no private audio server"

log="$work/game-log.txt"
cat >"$settings" <<INI
[Params]
KeepLogFile=1
LogEveryRoll=1
Speak=1
Recognize=1
FileLogName=$log
INI

# A command said while the set-up screen is up works on the screen it creates, hidden: its result is
# logged under that screen's name, and spoken. A phrase the recogniser missed is said again, as a
# player would. $1 the rule, $2 the log's screen name.
say_command() {
  local rule=$1 screen=$2 words count
  words=$("$bin/dorva-recognize" --phrases | sed -n "s/.*\"phrase\":\"\([^\"]*\)\".*\"rule\":\"$rule\".*/\1/p" | head -n 1)
  [ -n "$words" ] || fail "the grammar has no phrase for $rule"
  count() { if [ -f "$log" ]; then grep -c ": $screen: " "$log" || true; else echo 0; fi; }
  local recorder
  recorder=$(pulse_record_speaker "$work/speaker-$rule.wav")
  for attempt in 1 2 3; do
    sleep 1
    pulse_say "$words" || fail "\"$words\" could not be played into the microphone"
    deadline=$((SECONDS + 10))
    while [ "$(count)" = 0 ] && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
    [ "$(count)" = 0 ] || break
  done
  [ "$(count)" = 1 ] || fail "\"$words\" gave $(count) $screen results (log: $(cat "$log"))"
  echo "heard \"$words\" (attempt $attempt): $(grep ": $screen: " "$log" | head -n 1)"
  sleep 4
  pulse_stop_recording "$recorder"
  peak=$(_pulse_peak "$work/speaker-$rule.wav")
  [ "${peak:-0}" -gt 1000 ] || fail "the result of \"$words\" was not spoken (peak ${peak:-none})"
}

start_program "$bin/dorva2"
wait_window '^DORVA II Set Up$' 30 >/dev/null

say_command activationroll Activation
say_command actionsdirection Actions
say_command closecombatntc CC/Melee
