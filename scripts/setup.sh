#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing) and builds Quillora in build/.
# Usage: scripts/setup.sh [extra cmake arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(build-essential cmake ninja-build qt6-base-dev qt6-translations-l10n libgl-dev
          libgtest-dev fonts-liberation poppler-utils xvfb imagemagick clang-14 libclang-rt-14-dev
          pkg-config libqpdf-dev qpdf libxml2-utils libsaxonhe-java default-jre-headless)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

build=${QUILLORA_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
