#!/usr/bin/env bash
# One set-up and build step: installs what the build and tests need, then builds build/ (Release).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    libicu-dev
    fonts-ipafont-gothic fonts-ipafont-mincho
    poppler-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if ((${#missing[@]})); then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq "${missing[@]}"
fi

BUILD_DIR="${TOBIRAE_BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE="${TOBIRAE_BUILD_TYPE:-Release}" ${TOBIRAE_CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
