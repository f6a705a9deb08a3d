#!/bin/sh
# Runs every fuzzer of a fuzz build for a set time, starting from a scratch
# copy of its committed seed corpus so the repository stays clean. A fuzzer
# fails when it finds a failing input, or when it runs fewer than
# QM_FUZZ_MIN_RATE inputs a second (libFuzzer's final
# stat::average_exec_per_sec): a slow fuzzer tries too little to be trusted.
set -eu
build=$1
seconds=$2
min_rate=${QM_FUZZ_MIN_RATE:-10000}
found=0
failed=0
for fuzzer in "$build"/*_fuzz; do
  [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue  # not the corpus-* work directories
  found=1
  name=$(basename "$fuzzer")
  seeds="tests/fuzz/corpus/${name%_fuzz}"
  work="$build/corpus-$name"
  mkdir -p "$work"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "== $name for ${seconds}s"
  status=0
  "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/$name-" "$work" \
    > "$build/$name.log" 2>&1 || status=$?
  tail -n 12 "$build/$name.log"
  if [ "$status" -ne 0 ]; then
    echo "$name failed (exit $status); the input that failed is under $build/$name-*" >&2
    failed=1
    continue
  fi
  rate=$(sed -n 's/^stat::average_exec_per_sec: *\([0-9]*\).*/\1/p' "$build/$name.log" | tail -n 1)
  if [ -z "$rate" ]; then
    echo "$name failed: its log gives no rate (stat::average_exec_per_sec)" >&2
    failed=1
  elif [ "$rate" -lt "$min_rate" ]; then
    echo "$name failed: $rate inputs a second, under the $min_rate it must run" >&2
    failed=1
  else
    echo "$name: $rate inputs a second"
  fi
done
[ "$found" = 1 ] || echo "no fuzzers built"
[ "$failed" = 0 ]
