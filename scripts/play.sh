#!/usr/bin/env bash
# Builds the game and starts a solo game against three computer players.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --play
# The game alone: no tests (GoogleTest) and no benchmarks.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DQUINTREL_BUILD_BENCH=OFF >/dev/null
cmake --build build --target quintrel
exec build/src/app/quintrel "$@"
