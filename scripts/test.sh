#!/usr/bin/env bash
# Builds everything and runs every test; then builds and runs the suite once more
# under AddressSanitizer and UndefinedBehaviorSanitizer, and runs each fuzz target for a
# minute (scripts/fuzz.sh). --fast skips the sanitizer and fuzz runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/check_includes.sh
scripts/deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DQUINTREL_BUILD_BENCH=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
# What an install lays down: menu entry, AppStream data, service, and the installed programs.
scripts/check_install.sh build

if [ "${1:-}" != "--fast" ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUINTREL_SANITIZE=ON -DBUILD_TESTING=ON \
    -DQUINTREL_BUILD_BENCH=OFF
  cmake --build build-asan -j "$jobs"
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
  scripts/fuzz.sh 60
fi
