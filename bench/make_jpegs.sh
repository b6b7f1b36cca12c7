#!/usr/bin/env bash
# A folder of JPEG photographs of 12 megapixels (4000x3000) for the adding benchmarks.
#
#   bench/make_jpegs.sh [DIR [COUNT]]     defaults: ${TMPDIR:-/tmp}/lumora-bench-jpegs, 1000
#
# One picture is made with ImageMagick (plasma and sensor-like noise, quality 90) and put into the
# folder COUNT times under different names (photo0000.jpg ...). The names are hard links where the
# file system allows it, copies otherwise: reading a header touches only the start of each file,
# so COUNT full copies would only fill the disk. An existing complete folder is kept.
set -euo pipefail

dir=${1:-${TMPDIR:-/tmp}/lumora-bench-jpegs}
count=${2:-1000}
command -v convert >/dev/null || { echo "missing: convert (ImageMagick)" >&2; exit 2; }

mkdir -p "$dir"
last=$(printf '%s/photo%04d.jpg' "$dir" $((count - 1)))
if [[ -s $last ]]; then
    exit 0
fi
source=$dir.source.jpg  # beside the folder, so that it holds exactly COUNT pictures
if [[ ! -s $source ]]; then
    echo "making a 4000x3000 JPEG in $dir" >&2
    convert -size 4000x3000 plasma:fractal -blur 0x1 -attenuate 0.4 +noise Gaussian \
        -quality 90 "$source"
fi
for ((i = 0; i < count; ++i)); do
    name=$(printf '%s/photo%04d.jpg' "$dir" "$i")
    ln -f "$source" "$name" 2>/dev/null || cp "$source" "$name"
done
echo "$count JPEGs of 4000x3000 in $dir" >&2
