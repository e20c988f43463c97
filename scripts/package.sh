#!/usr/bin/env bash
# Builds the Debian package build/package/elastrix_<version>_<arch>.deb:
# the programs, the material library, the examples and the manual under
# /opt/elastrix, with links in /usr/bin and the desktop entry and .wmd file
# type under /usr/share. Then shows what it holds (dpkg-deb -I) and checks
# that an installation into a temporary folder runs an example.
# Install it with:  apt-get install ./build/package/elastrix_*.deb
# Usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target elastrix elastrix-cli elastrix_manual
(cd "$build" && cpack -G DEB)
deb="$(ls "$build"/package/elastrix_*.deb | head -n 1)"
dpkg-deb -I "$deb"

# The installed tree: every part in place, and an example runs from it.
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for path in bin/elastrix bin/elastrix-cli Data Library/Standard.mpd share/applications/elastrix.desktop \
            share/mime/packages/elastrix-model.xml share/doc/elastrix/manual/index.html \
            examples/immersion/immersion.wmd; do
    [[ -e "$prefix/$path" ]] || { echo "package.sh: the installation lacks $path" >&2; exit 1; }
done
cp -r "$prefix/examples/immersion" "$prefix/Data/"
"$prefix/bin/elastrix-cli" run "$prefix/Data/immersion/immersion.wmd" >/dev/null
echo "package: $deb"
