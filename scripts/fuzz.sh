#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 20)
# from its seed corpus under fuzz/corpus/. Exit non-zero on any finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-20}
shift || true
cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRINBAN_FUZZ=ON >/dev/null
cmake --build build/fuzz -j"$(nproc)"
for bin in build/fuzz/*_fuzz; do
  name=$(basename "$bin")
  seeds="fuzz/corpus/${name%_fuzz}"
  work="build/fuzz/corpus-${name%_fuzz}"
  mkdir -p "$work"
  echo "fuzz: $name for ${seconds}s"
  "$bin" -max_total_time="$seconds" -max_len=4096 -artifact_prefix=build/fuzz/ -print_final_stats=1 "$@" "$work" "$seeds" 2>&1 |
    grep -E 'stat::number_of_executed_units|ERROR|property failed|SUMMARY' || true
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "fuzz: $name found a failure" >&2; exit 1; }
done
