#!/usr/bin/env bash
# Configures and builds Elastrix into a build folder with every core.
# Usage: scripts/build.sh BUILD_DIR [extra cmake arguments...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
shift || true
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
