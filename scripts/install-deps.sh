#!/usr/bin/env bash
# Installs what Lumora needs to build, run and test on Debian. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config clang-format
    libjpeg62-turbo-dev libsqlite3-dev
    qt6-base-dev qt6-translations-l10n libgl-dev
    fonts-liberation2 fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev
    imagemagick xvfb xauth
)
if [[ "${1:-}" == "--bench" ]]; then
    packages+=(graphicsmagick libvips-tools libjpeg-turbo-progs time hyperfine)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
