#!/usr/bin/env bash
# Sets up, builds and runs every test. With --sanitize: the same in an ASan + UBSan build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build
options=(-DLUMORA_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [[ "${1:-}" == "--sanitize" ]]; then
    build=build-asan
    options=(-DLUMORA_WERROR=ON -DLUMORA_SANITIZE=ON -DLUMORA_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
    export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

cmake -S . -B "$build" -G Ninja "${options[@]}"
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
