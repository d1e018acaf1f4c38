#!/usr/bin/env bash
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${TOBIRAE_BUILD_DIR:-build}" --output-on-failure --parallel "$(nproc)"

# Layout, settings, picture and days files come from anywhere, and so do the numbers the renderer
# draws with: the readers' tests and the drawing tests run once more under AddressSanitizer and
# UndefinedBehaviorSanitizer (only those targets, unoptimised and without debug information: the
# sanitized code compiles fastest so, and the reports name the source line without it).
ASAN_DIR="${TOBIRAE_ASAN_BUILD_DIR:-build-asan}"
ASAN_TESTS=(document_tests app_tests bitmap_tests owndays_tests render_tests)
cmake -S . -B "$ASAN_DIR" -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O0 -DNDEBUG" \
    -DTOBIRAE_SANITIZE=ON -DTOBIRAE_BENCH=OFF >/dev/null
cmake --build "$ASAN_DIR" --parallel "$(nproc)" --target "${ASAN_TESTS[@]}"
for t in "${ASAN_TESTS[@]}"; do
    "$ASAN_DIR/bin/$t" --gtest_brief=1
done
