#!/usr/bin/env bash
# zelko77ctl label and set-button, run against the simulated mouse.
# Usage: key_cli_test.sh PATH/TO/zelko77ctl
set -u
ctl="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
# Backups of the images read go here, not into the user's folders.
export XDG_DATA_HOME="$dir/data"
mouse="$dir/mouse.bin"
passed=0
failed=0

# run ARGS...: runs zelko77ctl; sets out, err and status.
run() {
  "$ctl" "$@" >"$dir/out" 2>"$dir/err"
  status=$?
  out="$(cat "$dir/out")"
  err="$(cat "$dir/err")"
}

# verdict NAME OK WANT-STATUS WANT-STDOUT WANT-STDERR-PART: counts one check.
verdict() {
  if [ "$2" -eq 1 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL $1: status $status (want $3)"
    echo "  stdout: [$out] want [$4]"
    echo "  stderr: [$err] want part [$5]"
  fi
}

# expect NAME STATUS STDOUT [STDERR-PART]: stdout exactly.
expect() {
  local ok=0
  [ "$status" -eq "$2" ] && [ "$out" = "$3" ] && [[ "$err" == *"${4:-}"* ]] && ok=1
  verdict "$1" "$ok" "$2" "$3" "${4:-}"
}

# expect_part NAME STATUS STDOUT-PART [STDERR-PART]: stdout holds the part.
expect_part() {
  local ok=0
  [ "$status" -eq "$2" ] && [[ "$out" == *"$3"* ]] && [[ "$err" == *"${4:-}"* ]] && ok=1
  verdict "$1" "$ok" "$2" "$3" "${4:-}"
}

# expect_same NAME FILE1 FILE2
expect_same() {
  if cmp -s "$2" "$3"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $1: memory changed"; fi
}

# profile_bytes: the Profile section of the simulated mouse as hex, then
# whether its checksum holds.
profile_bytes() {
  local bytes hex="" sum=0 i
  read -r -a bytes <<<"$(od -An -v -tx1 -j 64 -N 55 "$mouse" | tr '\n' ' ')"
  for ((i = 0; i < 54; i++)); do
    hex+="${bytes[i]^^}"
    sum=$((sum + 16#${bytes[i]}))
  done
  if (( ((sum % 256) ^ 0x5A) == 16#${bytes[54]} )); then
    echo "$hex checksum-ok"
  else
    echo "$hex checksum-bad"
  fi
}

# Labels.
run label 020F04;                expect "label 020F04" 0 "Ctrl+Shift+Alt+Win+A"
run label 020807;                expect "label 020807" 0 "Desktop"
run label 0a0300;                expect "label lower case" 0 "AIM"
run --lang 2 label 010100;       expect "lang 2 label" 0 "左键"
run --lang 3 label 010100;       expect "lang 3 label" 0 "Left Key"
run label 010100 --lang 2;       expect "lang after label" 0 "左键"
run label 0D0000;                expect "label without text" 0 ""
run label 01010;                 expect "short code" 5 "" "six hexadecimal digits"
run label 01010G;                expect "non-hex code" 5 "" "six hexadecimal digits"
run --lang 4 label 010100;       expect "language 4" 5 ""

# The first run creates the simulated mouse with factory image 1: Left
# Click on button 1 only, in both profiles.
run --simulate="$mouse" --sim-virtual-time info;    expect "create mouse" 0 "$out"
cp "$mouse" "$dir/factory.bin"

run --simulate="$mouse" --sim-virtual-time set-button --profile 1 1 "Right Click"
expect "last Left Click refused" 5 "" "Left click (Primary button function) must be assigned to a button."
expect_same "refusal leaves the mouse" "$mouse" "$dir/factory.bin"

# Bad input: clear error, nothing written.
run --simulate="$mouse" --sim-virtual-time set-button --profile 1 10 "Right Click";  expect "button 10" 5 ""
run --simulate="$mouse" --sim-virtual-time set-button --profile 3 1 "Right Click";   expect "profile 3" 5 ""
run --simulate="$mouse" --sim-virtual-time set-button --profile 1 2 "Hyper";         expect "unknown name" 5 "" "Hyper"
run --simulate="$mouse" --sim-virtual-time set-button --profile 1 2 "Ctrl+Hyper";    expect "unknown key" 5 "" "Hyper"
run --simulate="$mouse" --sim-virtual-time set-button --profile 1 2 "Backward";      expect "ambiguous label" 5 "" "010800"
run --simulate="$mouse" --sim-virtual-time set-button --profile 1 2 "0101";          expect "short code" 5 "" "0101"
expect_same "bad input leaves the mouse" "$mouse" "$dir/factory.bin"

run --simulate="$mouse" --sim-virtual-time set-button --profile 1 2 "Left Click"
expect_part "second Left Click" 0 "Profile 1 button 2: 010100  Left Click"
run --simulate="$mouse" --sim-virtual-time set-button --profile 1 1 "Right Click"
expect_part "Right Click accepted" 0 "Profile 1 button 1: 010200  Right Click"
out="$(profile_bytes)"; status=0
expect "profile 1 written" 0 "010200010100010200010800011000070000050000080000100000010100010400010200010800011000070000050000080000100000 checksum-ok"

# A combination may replace the last Left Click; afterwards profile 2 has
# none, and the rule refuses every other choice (in the chosen language).
run --simulate="$mouse" --sim-virtual-time set-button --profile 2 1 "Ctrl+A"
expect_part "combination" 0 "Profile 2 button 1: 020104  Ctrl+A"
cp "$mouse" "$dir/combined.bin"
run --lang 2 --simulate="$mouse" --sim-virtual-time set-button --profile 2 3 "右键"
expect "Chinese refusal" 5 "" "请保留一个左键"
expect_same "Chinese refusal leaves the mouse" "$mouse" "$dir/combined.bin"
run --lang 3 --simulate="$mouse" --sim-virtual-time set-button --profile 2 2 "Left Key"
expect_part "third pack label" 0 "Profile 2 button 2: 010100  Left Key"
run --simulate="$mouse" --sim-virtual-time set-button --profile 2 9 "DPI +"
expect_part "DPI +" 0 "Profile 2 button 9: 070000  DPI +"

# A dry run writes nothing.
cp "$mouse" "$dir/before-dry-run.bin"
run --simulate="$mouse" --sim-virtual-time set-button --profile 1 5 "Mute" --dry-run
expect_part "dry run" 0 "0x04E  00 -> E2"
expect_same "dry run leaves the mouse" "$mouse" "$dir/before-dry-run.bin"

# show prints each button's label beside its code, in the chosen language.
run --simulate="$mouse" --sim-virtual-time show
expect_part "show profile 1" 0 "    1: 010200  Right Click
    2: 010100  Left Click
    3: 010200  Right Click"
expect_part "show profile 2" 0 "    1: 020104  Ctrl+A
    2: 010100  Left Click"
run --lang 3 --simulate="$mouse" --sim-virtual-time show
expect_part "show in pack 3" 0 "    1: 010200  Right Key"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
