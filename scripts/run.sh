#!/usr/bin/env bash
# Sets up and builds the program alone, then starts it with the given arguments: a data folder
# (created when missing), or none for the current folder; "scripts/run.sh --help" tells the rest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
exec "${QUILLORA_BUILD_DIR:-$root/build}/src/quillora" "$@"
