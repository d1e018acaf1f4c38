#!/usr/bin/env bash
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
if [ -x build/bin/tobirae ]; then
    exec build/bin/tobirae "$@"
fi
exec build/bin/tobirae-cli "$@"
