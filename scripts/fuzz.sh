#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for SECONDS (default 60),
# starting from its seed corpus in fuzz/corpus. Inputs it finds go to a scratch folder, so the
# corpus in the tree stays as it is; a crash leaves its input in build-fuzz/ and fails the run.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     targets: host table container settings
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(host table container settings)
if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ is missing; scripts/deps.sh installs it" >&2
  exit 1
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINTREL_FUZZ=ON \
  -DQUINTREL_BUILD_UI=OFF -DBUILD_TESTING=OFF -DQUINTREL_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  scratch=$(mktemp -d)
  log=$(mktemp)
  echo "== fuzz_$target for $seconds s"
  status=0
  build-fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 \
    -artifact_prefix=build-fuzz/fuzz_"$target"- "$scratch" fuzz/corpus/"$target" >"$log" 2>&1 || status=$?
  grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    rm -rf "$scratch" "$log"
    echo "fuzz_$target found a fault (exit $status); its input is in build-fuzz/" >&2
    exit "$status"
  fi
  rm -rf "$scratch" "$log"
done
