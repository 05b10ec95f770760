#!/usr/bin/env bash
# Kill test: the real program saves again and again (the save storm) and is killed with SIGKILL at
# random moments. After every kill each data file must hold its old or its new version, the next
# start must load the folder and leave no temporary file behind, and no invoice number may come twice.
#
# Usage: scripts/killtest.sh [--kills N] [--max-ms MS] [--savestorm PATH] [--keep]
#   --kills N     number of kills (default 1000)
#   --max-ms MS   longest run before a kill, in milliseconds (default 400)
#   --savestorm   the driver (default: $QUILLORA_BUILD_DIR or build/, tools/savestorm)
#   --keep        keep the work folder
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kills=1000
max_ms=400
storm="${QUILLORA_BUILD_DIR:-$root/build}/tools/savestorm"
keep=0
while [ $# -gt 0 ]; do
    case "$1" in
        --kills) kills=$2; shift 2 ;;
        --max-ms) max_ms=$2; shift 2 ;;
        --savestorm) storm=$2; shift 2 ;;
        --keep) keep=1; shift ;;
        *) echo "unknown argument: $1" >&2; exit 64 ;;
    esac
done
storm=$(realpath "$storm" 2>/dev/null || echo "$storm")
[ -x "$storm" ] || { echo "no driver at $storm (build the target savestorm)" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen

work=$(mktemp -d "${TMPDIR:-/tmp}/killtest.XXXXXX")
[ "$keep" -eq 1 ] || trap 'rm -rf "$work"' EXIT
mkdir "$work/data"
cd "$work/data"

declare -A pending=()
mixed=0
emptylocks=0
leftovers=0
exited=0
started=$(date +%s)
for ((i = 1; i <= kills; i++)); do
    "$storm" run --journal "$work/journal" --seed "$RANDOM$i" --pdf "$work/print.pdf" 2>"$work/storm.err" &
    pid=$!
    sleep "$(printf '0.%03d' $((RANDOM % max_ms)))"
    kill -KILL "$pid" 2>/dev/null || true
    status=0
    # The shell's own note about the killed job is not wanted.
    { wait "$pid"; } 2>/dev/null || status=$?
    if [ "$status" -ne 137 ]; then
        echo "kill $i: the driver ended by itself with status $status:" >&2
        cat "$work/storm.err" >&2
        exited=$((exited + 1))
        [ "$status" -eq 0 ] || { keep=1; trap - EXIT; echo "work folder kept: $work" >&2; exit 1; }
    fi
    if ! verdict=$("$storm" check --journal "$work/journal" --issued "$work/issued" 2>/dev/null); then
        echo "kill $i: $verdict" >&2
        trap - EXIT
        echo "work folder kept: $work" >&2
        exit 1
    fi
    step=$(sed -n 's/.*pending=\([a-z]*\).*/\1/p' <<<"$verdict")
    pending[$step]=$((${pending[$step]:-0} + 1))
    case "$verdict" in *=new*=old* | *=old*=new*) mixed=$((mixed + 1)) ;; esac
    case "$verdict" in *emptylock*) emptylocks=$((emptylocks + 1)) ;; esac
    left=$(sed -n 's/.*leftovers=\([0-9]*\).*/\1/p' <<<"$verdict")
    [ "$left" -eq 0 ] || leftovers=$((leftovers + 1))
done

echo "kill test: $kills kills in $(($(date +%s) - started)) s, every folder whole after every kill"
for step in "${!pending[@]}"; do
    echo "  kills with this step under way: $step ${pending[$step]}"
done
echo "  kills that left a step half done (some files new, some old): $mixed"
echo "  kills that left a temporary file (removed by the next start): $leftovers"
echo "  kills that left an empty lock file (the next start waited 2 s for it): $emptylocks"
echo "  highest invoice number given: $(cat "$work/issued")"
