#!/usr/bin/env bash
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${TOBIRAE_BUILD_DIR:-build}" --output-on-failure --parallel "$(nproc)"
