#!/usr/bin/env bash
# Proves the e-invoice check able to fail: an official example with one line amount changed must be
# rejected (BR-CO-10, the sum of the line amounts), while the unchanged example beside it passes.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

example=$root/tests/einvoice/examples/CII_example1.xml
cp "$example" "$work/unchanged.xml"
sed '0,/<ram:LineTotalAmount>/s/<ram:LineTotalAmount>/&1/' "$example" >"$work/planted.xml"
if cmp -s "$example" "$work/planted.xml"; then
    echo "planting the fault changed nothing"
    exit 1
fi

output=$("$root/scripts/check-einvoice.sh" "$work")
status=$?
echo "$output"
[ $status -eq 1 ] || { echo "expected exit 1, got $status"; exit 1; }
grep -q '^planted.xml: BR-CO-10:' <<<"$output" || { echo "BR-CO-10 not reported"; exit 1; }
if grep -q '^unchanged.xml:' <<<"$output"; then
    echo "the unchanged example was rejected"
    exit 1
fi
