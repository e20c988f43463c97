#!/usr/bin/env bash
# Sets the machine up, builds Elastrix and runs the water-steel immersion
# example headless, in a copy under build/demo/ so that the source tree
# stays clean; the runner says where the receiver files, the frame pictures
# and the receiver plot went.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$root/build"
demo="$root/build/demo/immersion"
rm -rf "$demo"
mkdir -p "$demo"
cp "$root/examples/immersion/immersion.wmd" "$root/examples/immersion/immersion.pcx" "$demo/"
cli="$root/build/bin/elastrix-cli"
"$cli" info "$demo/immersion.wmd"
"$cli" check "$demo/immersion.wmd"
"$cli" run --plots "$demo/immersion.wmd"
echo "The demo's results are in $demo:"
ls "$demo"
