#!/usr/bin/env bash
# make_seeds.sh ZELKO77CTL: writes the seed inputs of the fuzz targets that
# come from files our own code makes (macro records, macro lines, library
# and slot files, an image holding macros), using zelko77ctl on the
# simulated mouse. The seeds taken from resources/ (factory images, packs)
# are copied as they are. Run it again when a file format changes; the
# inputs that once broke a decoder are kept beside the seeds.
set -euo pipefail
ctl="$(realpath "${1:?usage: make_seeds.sh path/to/zelko77ctl}")"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
corpus="$here/corpus"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME"

library="$work/ZELKO77-Macro.bin"
memory="$work/mouse.bin"
macro() { "$ctl" macro --library "$library" "$@" >/dev/null; }

cat > "$work/combo.txt" <<'EOF'
1 Ctrl CODE:8101
1 A CODE:8204
0 48
2 A CODE:0204
2 Ctrl CODE:0101
EOF
cat > "$work/moves.txt" <<'EOF'
7 FD04
1 LeftKey CODE:00A1
0 96
2 LeftKey CODE:0021
3 FB0C
6 FAF6
8 00FC
0 5000
1 Shift+Alt CODE:8106
1 F5 CODE:823E
2 F5 CODE:023E
2 Shift+Alt CODE:0106
EOF
macro new Combo
macro set Combo --lines "$work/combo.txt"
macro new Moves
macro set Moves --lines "$work/moves.txt" --release stop

mkdir -p "$corpus"/{macro_record,macro_lines,library_file,slot_file,image_unpack,profile_load}
macro export Combo "$corpus/macro_record/combo.bin"
macro export Moves "$corpus/macro_record/moves.bin"
# macro_lines: the release mode byte, then the lines as `macro show` prints them.
{ printf '\x00'; "$ctl" macro --library "$library" show Combo; } > "$corpus/macro_lines/combo.txt"
{ printf '\x01'; "$ctl" macro --library "$library" show Moves; } > "$corpus/macro_lines/moves.txt"
macro export-all "$corpus/library_file/library.bin"
head -c 600 "$corpus/library_file/library.bin" > "$corpus/library_file/short_library.bin"

sim=("$ctl" "--simulate=$memory" --sim-virtual-time)
"${sim[@]}" macro --library "$library" assign --profile 1 4 Combo >/dev/null
"${sim[@]}" macro --library "$library" assign --profile 2 5 Moves >/dev/null
"${sim[@]}" dump -o "$work/image.bin" >/dev/null
cp "$work/image.bin" "$corpus/image_unpack/with_macros.bin"
cp "$work/image.bin" "$corpus/profile_load/with_macros.bin"
# The slot file: the image's macro area, 0x100..0x7FF.
tail -c +257 "$work/image.bin" > "$corpus/slot_file/slots.bin"

for n in 1 2 3; do
  cp "$root/resources/factory/ZELKO77Data_Cfg$n.bin" "$corpus/image_unpack/factory$n.bin"
  cp "$root/resources/factory/ZELKO77Data_Cfg$n.bin" "$corpus/profile_load/factory$n.bin"
done
mkdir -p "$corpus/language_pack" "$corpus/layout_pack"
# The first byte picks the section the target reads.
for n in 1 2 3; do
  { printf "\\x0$((n - 1))"; cat "$root/resources/packs/lang$n.ini"; } > "$corpus/language_pack/lang$n"
done
{ printf '\x00'; cat "$root/resources/packs/org.ini"; } > "$corpus/layout_pack/org"
{ printf '\x01'; cat "$root/resources/packs/org1.ini"; } > "$corpus/layout_pack/org1"
# Traffic recordings: one whole, one cut inside a line (a crash), one that
# ends as the mouse was unplugged.
recordings="$root/device/tests/recordings"
mkdir -p "$corpus/traffic_recording"
cp "$recordings/set_button_nak.jsonl" "$corpus/traffic_recording/set_button_nak.jsonl"
head -c 3000 "$recordings/read_unplugged.jsonl" > "$corpus/traffic_recording/cut_short.jsonl"
{ head -n 1 "$recordings/read_unplugged.jsonl"; tail -n 30 "$recordings/read_unplugged.jsonl"; } \
  > "$corpus/traffic_recording/unplugged_end.jsonl"
echo "make_seeds.sh: seeds written under $corpus"
