#!/usr/bin/env bash
set -euo pipefail
cd "$(dirname "$0")/.."
# Build messages go to stderr so that the program's own output can be piped. Only the two
# programs are brought up to date here; the tests wait for scripts/test.sh.
./scripts/build.sh tobirae tobirae-cli >&2
# A command-line subcommand goes to tobirae-cli; anything else (a layout file, nothing) opens the editor.
case "${1:-}" in
days | info | to-json | from-json | render | --help | -h)
    exec build/bin/tobirae-cli "$@"
    ;;
esac
if [ -x build/bin/tobirae ]; then
    exec build/bin/tobirae "$@"
fi
exec build/bin/tobirae-cli "$@"
