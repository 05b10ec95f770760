#!/usr/bin/env bash
# Power-loss test (run by hand, as root; not part of CI): the real program saves again and again (the
# save storm) in a data folder on a loop-mounted ext4 image, and the file system is cut off at a random
# moment with its forced shutdown (FS_IOC_SHUTDOWN, FS_GOING_FLAGS_NOLOGFLUSH: what was not yet in the
# journal is lost, as in a power cut). After mounting again no data file may be empty or partial: each
# holds its old or its new version, and every save the program had finished is there.
#
# Usage: sudo scripts/powerloss.sh [--runs N] [--max-ms MS] [--savestorm PATH]
#   --runs N      cuts per mount option (default 200); the image is mounted once with and once without
#                 noauto_da_alloc, so twice as many cuts in all
#   --max-ms MS   longest run before a cut, in milliseconds (default 400)
#   --savestorm   the driver (default: $QUILLORA_BUILD_DIR or build/, tools/savestorm)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=200
max_ms=400
storm="${QUILLORA_BUILD_DIR:-$root/build}/tools/savestorm"
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs=$2; shift 2 ;;
        --max-ms) max_ms=$2; shift 2 ;;
        --savestorm) storm=$2; shift 2 ;;
        *) echo "unknown argument: $1" >&2; exit 64 ;;
    esac
done
[ "$(id -u)" -eq 0 ] || { echo "run as root: it mounts a file system image" >&2; exit 1; }
storm=$(realpath "$storm")
[ -x "$storm" ] || { echo "no driver at $storm (build the target savestorm)" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen

work=$(mktemp -d "${TMPDIR:-/tmp}/powerloss.XXXXXX")
mnt="$work/mnt"
mkdir "$mnt"
cleanup() {
    mountpoint -q "$mnt" && umount "$mnt"
    rm -rf "$work"
}
trap cleanup EXIT

# The forced shutdown, as a file system's own tools issue it.
cat >"$work/shutdown.c" <<'C'
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <sys/ioctl.h>
#define FS_IOC_SHUTDOWN _IOR('X', 125, uint32_t)
#define FS_GOING_FLAGS_NOLOGFLUSH 0x2
int main(int argc, char** argv) {
    uint32_t flags = FS_GOING_FLAGS_NOLOGFLUSH;
    int fd = argc > 1 ? open(argv[1], O_RDONLY) : -1;
    if (fd < 0 || ioctl(fd, FS_IOC_SHUTDOWN, &flags) != 0) {
        perror("FS_IOC_SHUTDOWN");
        return 1;
    }
    return 0;
}
C
cc -O2 -o "$work/shutdown" "$work/shutdown.c"

failures=0
crashes=0
for options in defaults noauto_da_alloc; do
    img="$work/ext4-$options.img"
    truncate -s 256M "$img"
    mkfs.ext4 -q -F "$img"
    mount -o "loop,$options" "$img" "$mnt"
    mkdir "$mnt/data"
    umount "$mnt"
    journal="$work/journal-$options"
    issued="$work/issued-$options"
    declare -A pending=()
    mixed=0
    leftovers=0
    started=$(date +%s)
    for ((i = 1; i <= runs; i++)); do
        mount -o "loop,$options" "$img" "$mnt"
        (cd "$mnt/data" && exec "$storm" run --journal "$journal" --seed "$RANDOM$i" --pdf "$work/print.pdf") \
            2>"$work/storm.err" &
        pid=$!
        sleep "$(printf '0.%03d' $((RANDOM % max_ms)))"
        "$work/shutdown" "$mnt"
        # After the cut the program's saves fail and it tells the user; it is then killed.
        kill -KILL "$pid" 2>/dev/null || true
        status=0
        { wait "$pid"; } 2>/dev/null || status=$?
        # Killed (137), or ended on its own because the disk was gone (2 to 6); anything else is a crash.
        if [ "$status" -ne 137 ] && { [ "$status" -lt 2 ] || [ "$status" -gt 6 ]; }; then
            echo "$options, cut $i: the program ended with status $status:" >&2
            grep -av "QStandardPaths\|does not support" "$work/storm.err" | tail -5 >&2
            crashes=$((crashes + 1))
        fi
        umount "$mnt"
        mount -o "loop,$options" "$img" "$mnt"
        if ! verdict=$(cd "$mnt/data" && "$storm" check --journal "$journal" --issued "$issued" 2>/dev/null); then
            echo "$options, cut $i: $verdict" >&2
            failures=$((failures + 1))
        fi
        umount "$mnt"
        step=$(sed -n 's/.*pending=\([a-z]*\).*/\1/p' <<<"$verdict")
        pending[$step]=$((${pending[$step]:-0} + 1))
        case "$verdict" in *=new*=old* | *=old*=new*) mixed=$((mixed + 1)) ;; esac
        left=$(sed -n 's/.*leftovers=\([0-9]*\).*/\1/p' <<<"$verdict")
        [ "${left:-0}" -eq 0 ] || leftovers=$((leftovers + 1))
    done
    echo "power loss, ext4 mounted with $options: $runs cuts in $(($(date +%s) - started)) s"
    for step in "${!pending[@]}"; do
        echo "  cuts with this step under way: $step ${pending[$step]}"
    done
    echo "  cuts that left a step half done (some files new, some old): $mixed"
    echo "  cuts that left a temporary file (removed by the next start): $leftovers"
    echo "  highest invoice number given: $(cat "$issued")"
    unset pending
done
if [ "$crashes" -gt 0 ]; then
    echo "power loss: the program crashed $crashes times (see above)" >&2
    exit 1
fi
if [ "$failures" -gt 0 ]; then
    echo "power loss: $failures cuts left a data file that was neither its old nor its new version" >&2
    exit 1
fi
echo "power loss: no empty or partial file, every finished save survived"
