#!/usr/bin/env bash
# Sets the machine up, builds Elastrix and runs every test: once in the
# normal build, once under AddressSanitizer and UndefinedBehaviorSanitizer,
# and then each fuzz target for a short while (scripts/fuzz.sh).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc)"
bash "$root/scripts/setup.sh"

echo "== build and test: release"
bash "$root/scripts/build.sh" "$root/build"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

echo "== build and test: AddressSanitizer + UndefinedBehaviorSanitizer"
bash "$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DELASTRIX_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs"

echo "== fuzz: every reader of outside data, briefly"
bash "$root/scripts/fuzz.sh"
