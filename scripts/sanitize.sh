#!/usr/bin/env bash
# scripts/sanitize.sh [TEST_TARGET...]: builds the test targets (by default the readers' and the
# drawing tests) with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/, runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
ASAN_DIR="${TOBIRAE_ASAN_BUILD_DIR:-build-asan}"
tests=("$@")
if ((${#tests[@]} == 0)); then
    tests=(document_tests app_tests owndays_tests bitmap_tests render_tests)
fi
generator=()
if [ ! -f "$ASAN_DIR/CMakeCache.txt" ] && command -v ninja >/dev/null; then generator=(-G Ninja); fi
cmake -S . -B "$ASAN_DIR" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    "-DCMAKE_CXX_FLAGS_RELEASE=-O0 -DNDEBUG" -DTOBIRAE_SANITIZE=ON -DTOBIRAE_BENCH=OFF >/dev/null
cmake --build "$ASAN_DIR" --parallel "$(nproc)" --target "${tests[@]}"
for t in "${tests[@]}"; do
    "$ASAN_DIR/bin/$t" --gtest_brief=1
done
