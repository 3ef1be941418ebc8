#!/usr/bin/env bash
# with-pulse.sh PROGRAM [ARGS...]: runs the program against a private PulseAudio server of its own
# (two null sinks, see tests/voice/e2e/pulse.sh) and stops the server afterwards.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/pulse.sh"
work=$(mktemp -d)
trap 'pulse_stop; rm -rf "$work"' EXIT
pulse_start "$work/pulse" || exit 1
export DORVA_TEST_PULSE_SCRIPT="$here/../e2e/pulse.sh"
"$@"
