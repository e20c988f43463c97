#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) into build-fuzz/ and runs each one for a
# while on its seeds in fuzz/corpus/<name>/. New inputs the fuzzer finds go
# to build-fuzz/corpus/<name>/, crashing inputs to build-fuzz/artifacts/.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 20)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-20}"
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DELASTRIX_FUZZ=ON -DELASTRIX_BUILD_TESTS=OFF -DELASTRIX_GUI=OFF >/dev/null
targets=()
for source in "$root"/fuzz/*_fuzz.cpp; do
    targets+=("$(basename "$source" .cpp)")
done
if [ ${#targets[@]} -eq 0 ]; then
    echo "fuzz: no targets in $root/fuzz"
    exit 1
fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

failed=0
for target in "${targets[@]}"; do
    name="${target%_fuzz}"
    work="$build/corpus/$name"
    artifacts="$build/artifacts/$name"
    log="$build/$target.log"
    mkdir -p "$work" "$artifacts"
    corpora=("$work")
    [ -d "$root/fuzz/corpus/$name" ] && corpora+=("$root/fuzz/corpus/$name")
    echo "== fuzz: $target for ${seconds}s"
    if "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$artifacts/" -print_final_stats=1 "${corpora[@]}" >"$log" 2>&1; then
        grep -E "^stat::number_of_executed_units|^Done" "$log" || true
    else
        echo "fuzz: $target failed; the end of its log ($log):"
        tail -n 60 "$log"
        failed=1
    fi
done
exit "$failed"
