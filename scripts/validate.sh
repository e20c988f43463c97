#!/usr/bin/env bash
# The physics validation on finer grids than the test suite uses: runs the
# Physics* tests of elastrix_tests with ELASTRIX_VALIDATION_SCALE set, so
# every model has SCALE times the cells per wavelength, and prints each
# measured value beside its analytic one ("[physics]" lines).
# Usage: scripts/validate.sh [SCALE ...]   (default: 1 2 4)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ELASTRIX_BUILD:-$root/build-validate}"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target elastrix_tests

scales=("$@")
[ ${#scales[@]} -eq 0 ] && scales=(1 2 4)
failed=0
for scale in "${scales[@]}"; do
    echo "== physics validation, scale $scale"
    if ! ELASTRIX_VALIDATION_SCALE="$scale" "$build/bin/elastrix_tests" --gtest_filter='Physics*' \
        | grep -E '^\[physics\]|^\[  FAILED|^\[  PASSED'; then
        failed=1
    fi
done
exit "$failed"
