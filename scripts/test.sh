#!/usr/bin/env bash
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${TOBIRAE_BUILD_DIR:-build}" --output-on-failure --parallel "$(nproc)"

# Layout, settings and days files come from anywhere: their readers' tests run once more under
# AddressSanitizer and UndefinedBehaviorSanitizer. Only those targets, unoptimised and without
# debug information, keep this step to about a minute: the sanitized code compiles fastest so,
# and the reports name the source line without it. The drawing tests take several minutes more
# under the sanitizers; run them with scripts/sanitize.sh.
./scripts/sanitize.sh document_tests app_tests owndays_tests

# Every libFuzzer target is built and runs for 20 seconds on its corpus, so none stops building.
./scripts/fuzz.sh 20
