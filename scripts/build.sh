#!/usr/bin/env bash
# One set-up and build step: installs what the build and tests need, then builds build/ (Release).
# Arguments name the targets to build (default: all). When nothing changed it only asks dpkg
# once and lets the build tool find that everything is up to date.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config file
    clang libclang-rt-14-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    libicu-dev libical-dev libcsv-dev libpng-dev zlib1g-dev
    fonts-ipafont-gothic fonts-ipafont-mincho
    poppler-utils desktop-file-utils libxml2-utils shared-mime-info
    libqpdf-dev ghostscript
)

# One dpkg-query for the whole list: it names the installed ones, the rest are missing.
installed=" $(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
    awk '$NF == "installed" && $(NF-1) == "ok" { printf "%s ", $1 }') " || true
missing=()
for p in "${packages[@]}"; do
    [[ "$installed" == *" $p "* ]] || missing+=("$p")
done
if ((${#missing[@]})); then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq "${missing[@]}"
fi

BUILD_DIR="${TOBIRAE_BUILD_DIR:-build}"
# shellcheck disable=SC2206 # the extra arguments are meant to split at spaces
configure_args=(-DCMAKE_BUILD_TYPE="${TOBIRAE_BUILD_TYPE:-Release}" ${TOBIRAE_CMAKE_ARGS:-})
configured_with="${configure_args[*]}"
# A new build folder gets Ninja, whose up-to-date check takes a few milliseconds; an existing
# one keeps the generator it was made with.
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ] && command -v ninja >/dev/null; then
    configure_args=(-G Ninja "${configure_args[@]}")
fi
# Configuring again is needed only for new arguments: the build itself re-runs CMake when a
# CMakeLists.txt or the set of sources changes.
stamp="$BUILD_DIR/.configure-args"
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$configured_with" ]; then
    rm -f "$stamp"
    cmake -S . -B "$BUILD_DIR" "${configure_args[@]}" >/dev/null
    printf '%s' "$configured_with" >"$stamp"
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$BUILD_DIR" --parallel "$(nproc)" "${targets[@]}"
