#!/usr/bin/env bash
# Sets up, builds and starts lumoset from build/bin (its start directory) with the default prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "lumoset needs a graphical display: start it from a desktop session, or run it under Xvfb with: xvfb-run -a scripts/run.sh" >&2
    exit 1
fi
cd build/bin
exec ./lumoset
