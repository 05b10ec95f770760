#!/usr/bin/env bash
# Sets up, builds and starts Quillora. Its data files live in the current directory, or in the
# folder given as the first argument (created when missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
data=${1:-$PWD}
mkdir -p "$data"
cd "$data"
exec "${QUILLORA_BUILD_DIR:-$root/build}/src/quillora"
