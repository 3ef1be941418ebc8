#!/usr/bin/env bash
# Start-up time: how long DORVA II takes from launch until its set-up screen is on screen, against a
# minimal Qt Widgets program that shows one empty window.
#
#   bench/startup/startup.sh [build-folder] [runs]
#
# The program has no command line to stop at the set-up screen, so the benchmark times a probe built
# from the program's own start-up code (bench/startup/SetupScreenProbe.cpp): it runs the same
# ConfigureApplication and RunProgram as dorva2 and ends the process right after the set-up screen's
# first paint. The yardstick (EmptyWindowProbe.cpp) ends right after its window's first paint. Both
# run on Qt's offscreen platform, each run with a fresh, empty settings store (a new user), after one
# warm-up run each so that both start from a warm file cache. Prints both medians and their ratio.
# The speech module loads after that first paint (the screen does not wait for it), so it is not timed.
set -euo pipefail

build=${1:-build}
runs=${2:-9}
program="$build/bin/dorva-startup-probe"
yardstick="$build/bin/dorva-empty-window-probe"
for exe in "$program" "$yardstick"; do
  [ -x "$exe" ] || { echo "missing $exe: build the targets dorva-startup-probe and dorva-empty-window-probe" >&2; exit 1; }
done

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export QT_QPA_PLATFORM=offscreen

# One run, its wall time in microseconds.
run_once() {
  rm -rf "$home/run"
  mkdir -p "$home/run/config"
  local start end
  start=$(date +%s%N)
  if ! HOME="$home/run" XDG_CONFIG_HOME="$home/run/config" timeout 60 "$1" >/dev/null 2>&1; then
    echo "$1 did not reach its first window" >&2
    exit 1
  fi
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

measure() {
  run_once "$1" >/dev/null
  for _ in $(seq "$runs"); do run_once "$1"; done | median
}

program_us=$(measure "$program")
yardstick_us=$(measure "$yardstick")
awk -v p="$program_us" -v y="$yardstick_us" -v n="$runs" 'BEGIN {
  printf "DORVA II to its set-up screen: median %.1f ms over %d runs\n", p / 1000, n
  printf "empty Qt Widgets window:       median %.1f ms over %d runs\n", y / 1000, n
  printf "ratio:                         %.2f (target 1.5)\n", p / y
}'
