#!/usr/bin/env bash
# Sets the machine up, builds Elastrix, shows the shipped example model,
# checks it and runs it to its end; the receiver files land beside it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$root/build"
model="$root/examples/steel_plate/steel_plate.wmd"
"$root/build/bin/elastrix-cli" info "$model"
"$root/build/bin/elastrix-cli" check "$model"
"$root/build/bin/elastrix-cli" run "$model"
