#!/usr/bin/env bash
# Adding a folder of 1,000 JPEGs of 12 megapixels with sizes on: the configurator's per-file work
# (header size and entry rules, AddEntry_bench) against a minimal C program that reads the same
# headers with libjpeg's jpeg_read_header (jpeg_headers); and, when lumoset is built, the whole
# addition through the main window with rows and the list's repaint (AddPictureEntry_bench,
# offscreen), with the number of times the list painted per addition. Prints the medians and the
# ratios to the C program.
#
#   bench/add_entries.sh [BUILD_DIR [JPEG_DIR]]
#
# BUILD_DIR (default: build) must hold bench/AddEntry_bench and bench/jpeg_headers, and may hold
# bench/AddPictureEntry_bench. JPEG_DIR
# (default: ${TMPDIR:-/tmp}/lumora-bench-jpegs) is filled by bench/make_jpegs.sh when incomplete.
set -euo pipefail

here=$(dirname "$(realpath "$0")")
build=$(realpath "${1:-build}")
jpegs=${2:-${TMPDIR:-/tmp}/lumora-bench-jpegs}
rounds=${ROUNDS:-15}

for program in "$build/bench/AddEntry_bench" "$build/bench/jpeg_headers"; do
    [[ -x $program ]] || { echo "missing: $program (build the bench targets)" >&2; exit 2; }
done
"$here/make_jpegs.sh" "$jpegs" 1000

# Both read every header once before measuring, so both run with the files in the page cache.
c_line=$("$build/bench/jpeg_headers" "$jpegs" "$rounds")
c_ms=$(sed -E 's/.*: ([0-9.]+) ms.*/\1/' <<<"$c_line")

ours_ms=$(LUMORA_BENCH_JPEGS=$jpegs "$build/bench/AddEntry_bench" \
    --benchmark_filter='^BM_AddEntries' --benchmark_repetitions="$rounds" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ { print $3 }')

echo "jpeg_read_header in C:          $c_line"
echo "headers + entry rules (lumora): 1000 files: $ours_ms ms (median of $rounds)"
awk -v ours="$ours_ms" -v c="$c_ms" \
    'BEGIN { printf "ratio lumora / C:               %.2f\n", ours / c }'

window_bench=$build/bench/AddPictureEntry_bench
if [[ ! -x $window_bench ]]; then
    echo "main window: skipped ($window_bench is not built)"
    exit 0
fi
# Median row: name, iterations, real_time, cpu_time, time_unit, ..., then the "paints" counter.
window_row=$(LUMORA_BENCH_JPEGS=$jpegs "$window_bench" \
    --benchmark_repetitions="$rounds" --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null | awk -F, '$1 ~ /_median"?$/')
window_ms=$(cut -d, -f3 <<<"$window_row")
paints=$(awk -F, '{ print $NF }' <<<"$window_row")
echo "through the main window:        1000 files: $window_ms ms (median of $rounds), list painted $paints time(s)"
awk -v ours="$window_ms" -v c="$c_ms" \
    'BEGIN { printf "ratio main window / C:          %.2f (at most 3)\n", ours / c }'
