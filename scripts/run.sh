#!/usr/bin/env bash
set -euo pipefail
cd "$(dirname "$0")/.."
# Build messages go to stderr so that the program's own output can be piped.
./scripts/build.sh >&2
if [ -x build/bin/tobirae ]; then
    exec build/bin/tobirae "$@"
fi
exec build/bin/tobirae-cli "$@"
