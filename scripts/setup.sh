#!/usr/bin/env bash
# Installs the Debian packages that are missing and builds Quillora in build/.
# Usage: scripts/setup.sh [--with-tests] [extra cmake arguments]
#   without --with-tests  only what building and running the program needs, and only the program
#   --with-tests          also the test tools; builds the tests, benchmarks and tools as well
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

program_packages=(build-essential cmake ninja-build qt6-base-dev qt6-translations-l10n libgl-dev
                  fonts-liberation pkg-config libqpdf-dev libzip-dev libqrencode-dev)
test_packages=(libgtest-dev poppler-utils xvfb imagemagick clang-14 libclang-rt-14-dev
               desktop-file-utils appstream lintian dpkg-dev file groff-base clang-format-14
               qpdf libxml2-utils libsaxonhe-java default-jre-headless zbar-tools)

with_tests=0
if [ "${1:-}" = --with-tests ]; then
    with_tests=1
    shift
fi
packages=("${program_packages[@]}")
[ "$with_tests" -eq 0 ] || packages+=("${test_packages[@]}")
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
if [ "$with_tests" -eq 1 ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLORA_TESTS=ON -DQUILLORA_BENCH=ON "$@" >/dev/null
    cmake --build "$build" -j "$(nproc)"
else
    # A new build folder gets the program alone; one the test command made keeps its tests.
    lean=()
    [ -f "$build/CMakeCache.txt" ] || lean=(-DQUILLORA_TESTS=OFF -DQUILLORA_BENCH=OFF)
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${lean[@]}" "$@" >/dev/null
    cmake --build "$build" -j "$(nproc)" --target quillora
fi
