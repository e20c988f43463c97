#!/usr/bin/env bash
# Installs the Debian packages that building and testing Elastrix need.
# Idempotent: packages already installed are left alone, and apt is only
# asked when something is missing.
set -euo pipefail

# clang and its runtime library (libFuzzer, the sanitizers) build the fuzz
# targets; Qt 6 Widgets builds the desktop program, whose tests run on Qt's
# offscreen platform (fonts from fonts-dejavu-core); xvfb and xauth let
# scripts/screenshot.sh show it on a virtual screen.
packages=(g++ cmake make libgtest-dev libgmock-dev locales clang libclang-rt-14-dev
          qt6-base-dev fonts-dejavu-core xvfb xauth)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# A comma-decimal locale, so the tests can prove that files are written and
# read the same whatever the user's locale.
if ! locale -a 2>/dev/null | grep -qiE '^de_DE\.utf-?8$'; then
    echo "setup: generating the de_DE.UTF-8 locale"
    if grep -qE '^# *de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        as_root sed -i -E 's/^# *(de_DE.UTF-8 UTF-8)/\1/' /etc/locale.gen
    elif ! grep -qE '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo "de_DE.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    fi
    as_root locale-gen >/dev/null
fi
