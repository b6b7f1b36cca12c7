#!/usr/bin/env bash
# Sets up, builds and starts lumoset from build/bin (its start directory, which holds its data
# files and lumo4) with the default prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "lumoset needs a graphical display: run it in a desktop session, or under Xvfb: xvfb-run -a scripts/run.sh" >&2
    exit 1
fi

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target lumoset lumo4 lumoreg -j "$(nproc)"
cd build/bin
exec ./lumoset
