#!/usr/bin/env bash
# fuzz.sh [SECONDS]: builds the fuzz targets (clang, libFuzzer, ASan and
# UBSan) in build-fuzz and runs each for SECONDS (default 60), starting from
# its committed corpus in fuzz/corpus/<target>/. Prints the executions per
# target and fails when any target crashes, hangs or breaks a property.
#
# A finding is kept in build-fuzz/findings/<target>/ (crash-*, timeout-*,
# oom-*); reproduce it with build-fuzz/fuzz/fuzz_<target> FILE. Once the
# decoder is mended, copy the file into fuzz/corpus/<target>/ so that every
# later run checks it again.
#
# Without clang's libFuzzer the targets are built as replay programs with
# the default compiler and only run the committed corpus once.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
case "$seconds" in
  '' | *[!0-9]* | 0) echo "fuzz.sh: SECONDS must be a whole number above 0, not '$seconds'" >&2; exit 2 ;;
esac
"$root/scripts/setup.sh"

# The longest input each target is given: what its file or text can
# sensibly hold, and a little more where a longer one must be refused.
declare -A max_len=(
  [image_unpack]=2100 [profile_load]=4096 [macro_record]=300 [macro_lines]=2048
  [library_file]=26000 [slot_file]=2048 [language_pack]=12000 [layout_pack]=12000
  [report_descriptor]=1024 [button_function]=64 [sim_options]=512
)

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
common=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELKO_BUILD_GUI=OFF -DZELKO_BUILD_TESTS=OFF
        -DZELKO_BUILD_BENCH=OFF -DZELKO_WARNINGS_AS_ERRORS=ON "${launcher[@]}")

has_libfuzzer() {
  command -v clang++ >/dev/null 2>&1 || return 1
  local probe
  probe="$(mktemp -d)"
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
    > "$probe/probe.cpp"
  clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1
  local status=$?
  rm -rf "$probe"
  return $status
}

if ! has_libfuzzer; then
  echo "fuzz.sh: clang's libFuzzer is missing; replaying the committed corpus instead"
  cmake -S "$root" -B "$root/build-fuzz-replay" "${common[@]}" -DZELKO_BUILD_TESTS=ON -DZELKO_FUZZ_REPLAY=ON >/dev/null
  cmake --build "$root/build-fuzz-replay" -j "$(nproc)" --target fuzz_all
  exec ctest --test-dir "$root/build-fuzz-replay" --output-on-failure -R '^fuzz_replay_'
fi

build="$root/build-fuzz"
cmake -S "$root" -B "$build" "${common[@]}" -DCMAKE_CXX_COMPILER=clang++ -DZELKO_FUZZ=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_all

failed=()
start=$SECONDS
for target_dir in "$root"/fuzz/corpus/*/; do
  target="$(basename "$target_dir")"
  binary="$build/fuzz/fuzz_$target"
  if [ ! -x "$binary" ]; then
    echo "fuzz.sh: $target has a corpus but no target" >&2
    failed+=("$target")
    continue
  fi
  # New inputs go to a working corpus of the build tree; the committed one
  # is only read.
  work="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$work" "$findings"
  log="$build/findings/$target.log"
  status=0
  "$binary" -max_total_time="$seconds" -max_len="${max_len[$target]:-4096}" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$work" "$target_dir" >"$log" 2>&1 || status=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  if [ "$status" -ne 0 ]; then
    failed+=("$target")
    printf '%-18s FAILED after %s executions (exit %d); log %s\n' "$target" "${runs:-?}" "$status" "$log"
    grep -E 'property does not hold|ERROR: |SUMMARY: |Test unit written' "$log" | head -n 8 | sed 's/^/    /'
  else
    printf '%-18s %12s executions in %ss\n' "$target" "${runs:-?}" "$seconds"
  fi
done
echo "fuzz.sh: $((SECONDS - start)) s of fuzzing"

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: findings in ${failed[*]} (inputs in $build/findings/)" >&2
  exit 1
fi
