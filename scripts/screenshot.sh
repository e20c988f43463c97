#!/usr/bin/env bash
# Takes a picture of the desktop program's main window with an example model
# open (materials in colour, 200 %, the mouse readout in the status bar) on
# a virtual X screen (Xvfb), for the README, and the pictures of every
# window and dialog in docs/screens.
# Usage: scripts/screenshot.sh [OUT.png] [EXAMPLE]   (default docs/main_window.png, immersion)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/docs/main_window.png}"
example="${2:-immersion}"
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target elastrix-screenshot

work="$root/build/screenshot/$example"
rm -rf "$work"
mkdir -p "$work" "$(dirname "$out")"
cp "$root/examples/$example"/* "$work/"
xvfb-run -a -s "-screen 0 1280x800x24" "$root/build/bin/elastrix-screenshot" "$work/$example.wmd" "$out"
echo "screenshot: $out"

# Every window and dialog of the desktop tests that saves a picture of
# itself (each test class's picture hook), into docs/screens.
cmake --build "$root/build" -j "$(nproc)" --target elastrix_gui_tests
mkdir -p "$root/docs/screens"
ELASTRIX_SCREENS_DIR="$root/docs/screens" \
  xvfb-run -a -s "-screen 0 1280x800x24" "$root/build/bin/elastrix_gui_tests" >/dev/null
echo "window and dialog pictures: $root/docs/screens"
