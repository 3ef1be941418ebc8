#!/usr/bin/env bash
# dorva-recognize without any audio server: it lists the shipped grammar's phrases, hears synthesised
# commands as their rules and table talk as no command, and a broken set-up fails with the program's
# error number and the reason.
set -uo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

# Every phrase once, each a JSON line with its rule and properties.
"$tool" --phrases >"$work/phrases.jsonl" || fail "--phrases failed"
grammar=$(dirname "$tool")/DORVA_Support/dorva.cfg
phrases=$(grep -c '^  ' "$grammar")
[ "$(wc -l <"$work/phrases.jsonl")" -eq "$phrases" ] || fail "--phrases printed $(wc -l <"$work/phrases.jsonl") lines for $phrases phrases"
grep -q '{"phrase":"activation roll","properties":\[\],"rule":"activationroll"}' "$work/phrases.jsonl" ||
  fail "no line for activation roll"
grep -q '"properties":\["[0-9]\{4\}","-1","[0-9]"\],"rule":"AttackWithDRM"' "$work/phrases.jsonl" ||
  fail "no attack with its three properties"

# A command and table talk, at espeak-ng's 22050 Hz.
espeak-ng -v en-us -w "$work/command.wav" "table six delta" || fail "espeak-ng"
espeak-ng -v en-us -w "$work/talk.wav" "the tank is going to bog down in that mud" || fail "espeak-ng"
"$tool" "$work/command.wav" "$work/talk.wav" >"$work/heard.jsonl" 2>"$work/err.txt" || fail "recognition failed: $(cat "$work/err.txt")"
grep -q "{\"file\":\"$work/command.wav\",\"properties\":\[\],\"rule\":\"table6d\"}" "$work/heard.jsonl" ||
  fail "table six delta not heard: $(cat "$work/heard.jsonl")"
grep -q "{\"file\":\"$work/talk.wav\",\"rule\":null}" "$work/heard.jsonl" ||
  fail "table talk not rejected: $(cat "$work/heard.jsonl")"
grep "talk.wav" "$work/heard.jsonl" | grep -vq '"rule":null' && fail "table talk became a command"

# At a table the noise goes on before and after the command, 30 dB below it: the grammar rightly
# calls it silence, and only the command's own speech is weighed. Each frame's loudness must be the
# audio's under that frame: the loudest frames lie in the words, the noise after them is quiet.
python3 - "$work/command.wav" "$work/noisy.wav" <<'PY' || fail "could not add the noise"
import array, math, random, sys, wave
with wave.open(sys.argv[1]) as w:
    params, speech = w.getparams(), array.array("h", w.readframes(w.getnframes()))
level = math.sqrt(sum(s * s for s in speech) / len(speech)) * 10 ** (-30 / 20)
rate = params.framerate
speech = [0] * (rate // 2) + list(speech) + [0] * (rate * 6 // 5)
random.seed(7)
noise, low = [], 0.0
for _ in speech:  # the low rumble of a room rather than a hiss
    low = 0.97 * low + random.gauss(0, 1)
    noise.append(low)
scale = level / math.sqrt(sum(n * n for n in noise) / len(noise))
mixed = array.array("h", (max(-32768, min(32767, int(s + n * scale))) for s, n in zip(speech, noise)))
with wave.open(sys.argv[2], "wb") as w:
    w.setparams(params)
    w.writeframes(mixed.tobytes())
PY
# Heard twice after a clean command, as in a game: the first utterance is heard again from its start,
# and once the recogniser knows the room, the noise after a command stays in the utterance.
DORVA_RECOGNIZE_SEGMENTS=1 "$tool" --details "$work/command.wav" "$work/noisy.wav" "$work/noisy.wav" \
  >"$work/heard.jsonl" 2>"$work/err.txt" ||
  fail "recognition of the noisy command failed: $(cat "$work/err.txt")"
python3 - "$work/heard.jsonl" <<'PY' || fail "the command in noise: $(cat "$work/heard.jsonl")"
import json, sys
heard = [json.loads(line) for line in open(sys.argv[1])]
assert [h["rule"] for h in heard] == ["table6d"] * 3, heard
path, loudness = heard[2]["grammar_path"], heard[2]["frame_db"]
assert len(loudness) >= heard[2]["frames"]
first, words = path[0][1], [w for w in path if w[0][0] not in "<[+"]
loudest = first + max(range(len(loudness)), key=loudness.__getitem__)
assert any(w[1] <= loudest <= w[2] for w in words), (loudest, path)
after = sorted(loudness[words[-1][2] + 1 - first:])  # the noise the grammar calls silence
assert after and after[len(after) // 2] < max(loudness) - 20, (after, max(loudness))
PY

# A British voice says the "l" of "twelve" as a vowel, "tank" with an open "a" and "activation" with the
# "i" of "active"; with the dictionary's pronunciations alone the first was heard as "two" and the
# others refused.
espeak-ng -v en -w "$work/twelve.wav" "attack using twelve minus two" || fail "espeak-ng"
espeak-ng -v en -w "$work/tank.wav" "light anti tank table eight" || fail "espeak-ng"
espeak-ng -v en -w "$work/activation.wav" "activation roll" || fail "espeak-ng"
"$tool" "$work/command.wav" "$work/twelve.wav" "$work/tank.wav" "$work/activation.wav" >"$work/heard.jsonl" \
  2>"$work/err.txt" || fail "recognition of the British voice failed: $(cat "$work/err.txt")"
grep -q 'twelve.wav","properties":\["1206","-1","2"\],"rule":"AttackWithDRM"' "$work/heard.jsonl" &&
  grep -q 'tank.wav","properties":\["8"\],"rule":"actionslatwlookup"' "$work/heard.jsonl" &&
  grep -q 'activation.wav","properties":\[\],"rule":"activationroll"' "$work/heard.jsonl" ||
  fail "the British voice: $(cat "$work/heard.jsonl")"

# With the wake word, a command counts only after "Dorva", which no dictionary knows.
espeak-ng -v en-us -w "$work/woken.wav" "Dorva, table six delta" || fail "espeak-ng"
"$tool" --wake-word "$work/woken.wav" "$work/command.wav" >"$work/heard.jsonl" 2>"$work/err.txt" ||
  fail "recognition with the wake word failed: $(cat "$work/err.txt")"
[ "$(grep -c '"rule":"table6d"' "$work/heard.jsonl")" -eq 1 ] && grep -q 'woken.wav","properties":\[\],"rule":"table6d"' "$work/heard.jsonl" ||
  fail "with the wake word: $(cat "$work/heard.jsonl")"

# "Dorva" alone, then a pause: the command after it is obeyed, once, and only if it comes soon.
espeak-ng -v en-us -w "$work/dorva.wav" "Dorva" || fail "espeak-ng"
python3 -c 'import sys, wave
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(16000); w.writeframes(bytes(2 * 16000 * 5))
' "$work/quiet.wav" || fail "could not write the silence"
"$tool" --wake-word --details "$work/dorva.wav" "$work/command.wav" "$work/command.wav" "$work/dorva.wav" \
  "$work/quiet.wav" "$work/command.wav" "$work/dorva.wav" "$work/command.wav" "$work/woken.wav" \
  >"$work/heard.jsonl" 2>"$work/err.txt" ||
  fail "recognition after the wake word alone failed: $(cat "$work/err.txt")"
python3 - "$work/heard.jsonl" <<'PY' || fail "after the wake word alone: $(cat "$work/heard.jsonl")"
import json, sys
heard = [(h["file"].rsplit("/", 1)[1], h["rule"], h["verdict"]) for h in map(json.loads, open(sys.argv[1]))]
assert [(f, r) for f, r, _ in heard] == [("dorva.wav", None), ("command.wav", "table6d"), ("command.wav", None),
                                         ("dorva.wav", None), ("command.wav", None), ("dorva.wav", None),
                                         ("command.wav", "table6d"), ("woken.wav", "table6d")], heard
assert heard[0][2] == heard[3][2] == "wake word alone", heard
PY

# Broken set-ups: the program's error number and the reason, exit status 3.
expect_failure() {
  local what=$1 number=$2 reason=$3
  shift 3
  "$tool" "$@" "$work/command.wav" >/dev/null 2>"$work/err.txt"
  local code=$?
  [ $code -eq 3 ] || fail "$what: exit status $code"
  grep -q "error $number: .*$reason" "$work/err.txt" || fail "$what: $(cat "$work/err.txt")"
}
printf 'rule a\n  roll the zorblax\n' >"$work/unknown.cfg"
printf 'rule a\nroll dice\n' >"$work/malformed.cfg"
expect_failure "unknown word" 1006 "zorblax" --grammar "$work/unknown.cfg"
expect_failure "malformed grammar" 1005 "malformed.cfg:2" --grammar "$work/malformed.cfg"
expect_failure "missing grammar" 1005 "cannot read" --grammar "$work/none.cfg"
expect_failure "missing model" 1004 "/nonexistent" --model /nonexistent

# A file that is no recording is reported, and the others are still heard.
printf 'not audio' >"$work/text.wav"
"$tool" "$work/text.wav" "$work/command.wav" >"$work/heard.jsonl" 2>"$work/err.txt"
[ $? -eq 1 ] || fail "a broken file did not give exit status 1"
grep -q "text.wav: not a RIFF WAVE file" "$work/err.txt" || fail "broken file: $(cat "$work/err.txt")"
grep -q '"rule":"table6d"' "$work/heard.jsonl" || fail "the good file after the broken one was not heard"

[ $status -eq 0 ] && echo "dorva-recognize checks passed"
exit $status
