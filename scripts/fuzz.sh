#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS]: builds every libFuzzer target with clang in build-fuzz/ and runs each
# for SECONDS (default 20) on its corpus, so that none can stop building or start failing
# unnoticed. New inputs a run finds go to a temporary folder, not into the corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
FUZZ_DIR="${TOBIRAE_FUZZ_BUILD_DIR:-build-fuzz}"
targets=(fuzz_layout_reader fuzz_layout_json fuzz_days_file fuzz_render_page)
declare -A corpus=([fuzz_layout_reader]=layout [fuzz_layout_json]=json [fuzz_days_file]=days
    [fuzz_render_page]=layout)

generator=()
if [ ! -f "$FUZZ_DIR/CMakeCache.txt" ] && command -v ninja >/dev/null; then generator=(-G Ninja); fi
# -O1: the instrumented code compiles faster (about a minute for all four here) and runs fast enough.
CC=clang CXX=clang++ cmake -S . -B "$FUZZ_DIR" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG" -DTOBIRAE_FUZZ=ON -DTOBIRAE_BENCH=OFF >/dev/null
cmake --build "$FUZZ_DIR" --parallel "$(nproc)" --target "${targets[@]}"

found=$(mktemp -d)
trap 'rm -rf "$found"' EXIT
export QT_QPA_PLATFORM=offscreen
for t in "${targets[@]}"; do
    mkdir -p "$found/$t"
    echo "== $t (${seconds} s on fuzz/corpus/${corpus[$t]})"
    # Crashes, leaks, time-outs and out-of-memory runs fail the step; the input is kept beside.
    if ! "$FUZZ_DIR/bin/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$FUZZ_DIR/$t-" -print_final_stats=1 \
        "$found/$t" "fuzz/corpus/${corpus[$t]}" >"$found/$t.log" 2>&1; then
        tail -n 40 "$found/$t.log"
        echo "$t failed; the input is in $FUZZ_DIR/$t-*"
        exit 1
    fi
    grep -E '^(Done|stat::peak_rss_mb)' "$found/$t.log" || true
done
