#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite headless: first in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan), then the fuzz targets (build-fuzz, clang), and last in the
# main build, so that the output ends with CTest's summary of the main suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" --with-tests
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
main=${QUILLORA_BUILD_DIR:-$root/build}
asan=${QUILLORA_ASAN_BUILD_DIR:-$root/build-asan}
fuzz=${QUILLORA_FUZZ_BUILD_DIR:-$root/build-fuzz}
failed=()

cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORA_SANITIZE=ON \
      -DQUILLORA_BENCH=OFF >/dev/null
cmake --build "$asan" -j "$jobs"
(cd "$asan" && ctest --output-on-failure -j "$jobs" --timeout 600) || failed+=("sanitizer build ($asan)")

cmake -S "$root" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
      -DQUILLORA_FUZZ=ON -DQUILLORA_TESTS=OFF -DQUILLORA_BENCH=OFF >/dev/null
cmake --build "$fuzz" -j "$jobs" --target quillora_fuzz_targets
(cd "$fuzz" && ctest --output-on-failure -j "$jobs" --timeout 1200) || failed+=("fuzz targets ($fuzz)")

if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED before the main suite: ${failed[*]} (see above)"
fi
cd "$main"
status=0
ctest --output-on-failure -j "$jobs" --timeout 300 || status=$?
[ ${#failed[@]} -eq 0 ] || exit 1
exit $status
