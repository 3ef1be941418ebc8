#!/usr/bin/env bash
# The program as a screen reader meets it: under a fresh X server with a D-Bus session and an
# accessibility bus of its own, the program is read through the bus by accessibility.py (every window
# the toolbar's shortcuts open, and the activation screen's results after Alt+A), then ended with
# File > Exit. Every process started here is stopped at the end, also when a check fails.
#
# usage (inside an X session, e.g. xvfb-run -a): accessibility.sh BUILD_FOLDER
source "$(dirname "$0")/lib.sh" "$1"

session_bus_pid="" launcher_pid="" registry_pid=""

# running PID: whether the process is there and has not ended (an ended child waits to be reaped).
running() { ps -o stat= -p "$1" 2>/dev/null | grep -qv '^Z'; }

# stop PID [GRACE]: ends a process that this run started and reaps it. It gets GRACE seconds to end by
# itself, then it is asked to end, then after two seconds more it is killed.
stop() {
  local pid=$1 deadline=$((SECONDS + ${2:-0}))
  [ -n "$pid" ] || return 0
  while running "$pid" && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
  running "$pid" && kill "$pid" 2>/dev/null
  deadline=$((SECONDS + 2))
  while running "$pid" && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
  running "$pid" && kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null || true
}

stop_buses() {
  stop "$registry_pid"
  # The launcher's own bus goes first: the launcher then reaps it and ends by itself. Ended first, the
  # launcher would leave its bus without a parent to reap it.
  if [ -n "$launcher_pid" ]; then
    for pid in $(ps -o pid= --ppid "$launcher_pid" 2>/dev/null); do
      kill "$pid" 2>/dev/null || true
    done
  fi
  stop "$launcher_pid" 2
  stop "$session_bus_pid"
}

finish() {
  cleanup # the program, then its files
  stop_buses
}
trap finish EXIT

# A D-Bus session of this run's own, so that nothing of the machine's desktop answers.
dbus-daemon --session --nofork --print-address=3 3>"$work/session-bus" 2>"$work/session-bus.log" &
session_bus_pid=$!
deadline=$((SECONDS + 10))
until [ -s "$work/session-bus" ]; do
  [ $SECONDS -lt $deadline ] || fail "the D-Bus session did not start"
  sleep 0.1
done
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/session-bus")
export DBUS_SESSION_BUS_ADDRESS
unset AT_SPI_BUS_ADDRESS # the program and the reader ask this session for the accessibility bus

# The accessibility bus: the launcher starts it and tells its address on the session bus.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus-launcher.log" 2>&1 &
launcher_pid=$!
a11y_bus=""
deadline=$((SECONDS + 10))
until [ -n "$a11y_bus" ]; do
  [ $SECONDS -lt $deadline ] || fail "the accessibility bus did not start"
  sleep 0.1
  a11y_bus=$(timeout 2 dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' ' || true)
done

# The registry, started here rather than by the bus on demand, so that it is this run's child and is
# ended with it.
/usr/libexec/at-spi2-registryd >"$work/registry.log" 2>&1 &
registry_pid=$!
deadline=$((SECONDS + 10))
until timeout 2 dbus-send --bus="$a11y_bus" --print-reply=literal --dest=org.freedesktop.DBus / \
  org.freedesktop.DBus.NameHasOwner string:org.a11y.atspi.Registry 2>/dev/null | grep -q true; do
  [ $SECONDS -lt $deadline ] || fail "the accessibility registry did not start"
  sleep 0.1
done

# The game log tells when a press of Alt+A has been taken; speech stays off.
log=$work/game-log.txt
cat >"$settings" <<INI
[Params]
KeepLogFile=1
Speak=0
Recognize=0
FileLogName=$log
INI

# Qt serves the bus only while it believes a screen reader runs, unless told to always.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_program "$bin/dorva2"
timeout 150 /usr/bin/python3 "$(dirname "$0")/accessibility.py" "$program_pid" "$log" ||
  fail "the program is not readable through the accessibility bus (see above)"

toolbar=$(wait_window '^DORVA II Toolbar$')
press "$toolbar" ctrl+x
wait_exit
[ "$exit_status" = 0 ] || fail "the program ended with status $exit_status after File > Exit"
echo "accessibility: ok"
