#!/usr/bin/env bash
# Builds the engine benchmark in Release and prints its table: reference
# kernels against the fast path for one and two threads, whole runs through
# the run loop, preparation time, bytes per node and the machine's copy
# bandwidth. Arguments go to the benchmark, e.g.
#   scripts/bench.sh --sizes 512,2048 --models homogeneous,holes --seconds 1
# BUILD_DIR chooses the build folder (default <root>/build-bench).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DELASTRIX_BUILD_TESTS=OFF > /dev/null
cmake --build "$build" --target engine_bench -j "$(nproc)" > /dev/null
"$build/bin/engine_bench" "$@"
