#!/usr/bin/env bash
# A private PulseAudio server for speech tests and benchmarks: no sound card, no desktop session.
#
# Two null sinks: "speaker", where the program's voice goes (its monitor is what a listener would
# hear), and "micsink", whose monitor is the default source, so whatever is played into micsink is
# what the program hears from its "microphone".
#
# Source this file, then:
#   pulse_start DIR          start a server whose socket and state live in DIR; exports PULSE_SERVER
#                            and PULSE_CLIENTCONFIG (autospawn off) for every client started after it
#   pulse_say TEXT [VOICE]   synthesise TEXT with espeak-ng and play it into the microphone; returns
#                            when it has been played
#   pulse_play_mic FILE.wav  play a recording into the microphone
#   pulse_record_speaker FILE.wav
#                            start recording what the program says; prints the recorder's process id
#   pulse_stop_recording PID end that recording (the file keeps everything up to now)
#   pulse_stop               stop the server and remove its folder's socket
# Run it directly with --self-check to see that all of this works on this machine.
#
# Works as root and as an ordinary user. Every wait is bounded.

pulse_start() {
  local dir=$1
  mkdir -p "$dir/runtime" "$dir/state"
  dir=$(cd "$dir" && pwd)
  _pulse_dir=$dir
  printf 'autospawn = no\n' >"$dir/client.conf"
  export PULSE_CLIENTCONFIG="$dir/client.conf"
  export PULSE_SERVER="unix:$dir/native"
  # Runtime and state paths of its own: no pid file or cookie shared with a desktop's server.
  PULSE_RUNTIME_PATH="$dir/runtime" PULSE_STATE_PATH="$dir/state" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes --use-pid-file=no \
      --log-target=file:"$dir/server.log" \
      -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
      -L "module-null-sink sink_name=speaker" -L "module-null-sink sink_name=micsink" \
      -L module-always-sink </dev/null >/dev/null 2>&1 &
  _pulse_pid=$!
  echo "$_pulse_pid" >"$dir/server.pid"
  local deadline=$((SECONDS + 10))
  until pactl info >/dev/null 2>&1; do
    if [ $SECONDS -ge $deadline ] || ! kill -0 "$_pulse_pid" 2>/dev/null; then
      echo "pulse.sh: the server did not start; its log:" >&2
      cat "$dir/server.log" >&2 2>/dev/null
      return 1
    fi
    sleep 0.1
  done
  pactl set-default-sink speaker && pactl set-default-source micsink.monitor
}

pulse_play_mic() {
  timeout 60 paplay --device=micsink "$1"
}

pulse_say() {
  local text=$1 voice=${2:-en-us} file
  file=$(mktemp --suffix=.wav)
  espeak-ng -v "$voice" -w "$file" "$text" && pulse_play_mic "$file"
  local status=$?
  rm -f "$file"
  return $status
}

pulse_record_speaker() {
  parec --latency-msec=20 --device=speaker.monitor --file-format=wav "$1" </dev/null >/dev/null 2>&1 &
  echo $!
}

pulse_stop_recording() {
  kill -INT "$1" 2>/dev/null || true
  local deadline=$((SECONDS + 5))
  while kill -0 "$1" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
  kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

pulse_stop() {
  [ -n "${_pulse_pid:-}" ] || return 0
  # A test may have stopped the server and started another in the same folder.
  local restarted
  restarted=$(cat "$_pulse_dir/server.pid" 2>/dev/null || true)
  if [ -n "$restarted" ] && [ "$restarted" != "$_pulse_pid" ]; then
    kill -CONT "$restarted" 2>/dev/null || true
    kill "$restarted" 2>/dev/null || true
  fi
  kill "$_pulse_pid" 2>/dev/null || true
  local deadline=$((SECONDS + 5))
  while kill -0 "$_pulse_pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
  kill -KILL "$_pulse_pid" 2>/dev/null || true
  wait "$_pulse_pid" 2>/dev/null || true
  rm -f "$_pulse_dir/native"
  _pulse_pid=""
}

# The largest absolute sample of a 16-bit WAV file (its data after the 44-byte header).
_pulse_peak() {
  od -An -v -t d2 -j 44 "$1" | tr -s ' ' '\n' | sed 's/^-//' | sort -n | tail -n 1
}

_pulse_self_check() {
  set -u
  local dir status=0 rec peak
  dir=$(mktemp -d)
  _pulse_check_dir=$dir
  trap 'pulse_stop; rm -rf "$_pulse_check_dir"' EXIT
  pulse_start "$dir/pulse" || exit 1
  echo "server up at $PULSE_SERVER"

  # What is played into the microphone reaches the default source.
  parec --latency-msec=20 --file-format=wav "$dir/mic.wav" </dev/null >/dev/null 2>&1 &
  rec=$!
  sleep 0.3
  pulse_say "activation roll" || status=1
  sleep 0.3
  pulse_stop_recording "$rec"
  peak=$(_pulse_peak "$dir/mic.wav")
  echo "microphone: peak $peak in $(stat -c %s "$dir/mic.wav") bytes"
  [ "${peak:-0}" -gt 1000 ] || { echo "FAIL: nothing reached the microphone" >&2; status=1; }

  # What a client plays on the default sink reaches the speaker recording, and not the microphone.
  rec=$(pulse_record_speaker "$dir/speaker.wav")
  sleep 0.3
  espeak-ng -v en-us -w "$dir/said.wav" "you rolled a three" && paplay "$dir/said.wav" || status=1
  sleep 0.3
  pulse_stop_recording "$rec"
  peak=$(_pulse_peak "$dir/speaker.wav")
  echo "speaker: peak $peak in $(stat -c %s "$dir/speaker.wav") bytes"
  [ "${peak:-0}" -gt 1000 ] || { echo "FAIL: nothing reached the speaker" >&2; status=1; }

  [ $status -eq 0 ] && echo "pulse.sh self-check passed"
  return $status
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case "${1:-}" in
  --self-check) _pulse_self_check ;;
  *) echo "usage: source ${0##*/} for its functions, or run ${0##*/} --self-check" >&2; exit 2 ;;
  esac
fi
