#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite headless; ends with CTest's summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
cd "${QUILLORA_BUILD_DIR:-$root/build}"
ctest --output-on-failure -j "$(nproc)" --timeout 300
