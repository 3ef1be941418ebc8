# An installed copy finds its support folder in its data folder, started from any working directory:
# its set-up screen comes up rather than the message that config.sco is missing, and its speech module
# loads from the installed module folder.
#   install.sh BUILD-FOLDER CMAKE
source "$(dirname "$0")/lib.sh" "$1"
cmake_command=${2:-cmake}

prefix="$work/prefix"
"$cmake_command" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || {
  cat "$work/install.log" >&2
  fail "cmake --install failed"
}
[ -x "$prefix/bin/dorva2" ] || fail "no bin/dorva2 installed"
[ -f "$prefix/share/dorva2/DORVA_Support/config.sco" ] || fail "no support folder in share/dorva2"
[ ! -e "$prefix/bin/DORVA_Support" ] || fail "the support folder went into bin"
[ -f "$prefix/share/applications/org.dorva2.DORVA2.desktop" ] || fail "no desktop entry installed"
[ -f "$prefix/share/icons/hicolor/scalable/apps/dorva2.svg" ] || fail "no icon installed"
module=$(find "$prefix/lib" -path '*/dorva2/dorva-speech.so' | head -n 1)
[ -n "$module" ] || fail "no speech module installed under lib/.../dorva2"

run_copy "$prefix/bin/dorva2" "$module" installed
[ ! -e "$settings" ] || fail "settings were written"
echo "install: ok (status $exit_status)"
