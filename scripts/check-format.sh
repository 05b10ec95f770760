#!/usr/bin/env bash
# Fails, naming the files, when a C++ source of the tree differs from what clang-format makes of it
# with the repository's .clang-format. Usage: scripts/check-format.sh [clang-format binary]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
format=${1:-clang-format-14}
cd "$root"
mapfile -t files < <(find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | sort)
if ! report=$("$format" --dry-run --Werror --style=file "${files[@]}" 2>&1); then
    echo "Not formatted as .clang-format says (run: $format -i FILE):"
    grep -o '^[^:]*:[0-9]*' <<<"$report" | sort -u -t: -k1,1 | sed 's/^/  /'
    exit 1
fi
echo "${#files[@]} files formatted as .clang-format says"
