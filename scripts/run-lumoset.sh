#!/usr/bin/env bash
# Builds lumoset and starts it from build/bin (its start directory, which holds its data files and
# lumo4) with the default prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "lumoset needs a graphical display: run it in a desktop session, or under Xvfb: xvfb-run -a scripts/run-lumoset.sh" >&2
    exit 1
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target lumoset lumo4 lumoreg -j "$(nproc)"
cd build/bin
exec ./lumoset
