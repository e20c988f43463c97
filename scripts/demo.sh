#!/usr/bin/env bash
# Sets the machine up, builds Elastrix and shows the shipped example model.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$root/build"
"$root/build/bin/elastrix-cli" info "$root/examples/steel_plate/steel_plate.wmd"
