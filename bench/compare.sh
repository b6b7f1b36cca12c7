#!/usr/bin/env bash
# Whole-process comparison of lumo4's rotation step with other tools on the same photographs.
#
#   bench/compare.sh [BUILD_DIR [PHOTO_DIR]]
#
# BUILD_DIR (default: build) must hold bin/lumo4 and bin/lumoreg. PHOTO_DIR holds the photographs
# (made there with ImageMagick when missing: about 24 MP, 12 MP, 1920x1080 and a portrait, JPEG
# quality 90). ROUNDS (default 7) runs of every command are interleaved; the median time and the
# peak memory (maximum resident set, one extra run under /usr/bin/time) are reported, with the
# ratios of lumo4 to each other tool.
#
# "B" (best fit on a 1920x1080 black canvas) is set against ImageMagick, GraphicsMagick and libvips
# doing the same resize-and-pad to a BMP, and against djpeg's decodes (reduced, full, to BMP).
# "C" (the full-size picture converted to a BMP) is set against djpeg -bmp.
set -euo pipefail

build=$(realpath "${1:-build}")
photos=${2:-${TMPDIR:-/tmp}/lumora-bench-photos}
rounds=${ROUNDS:-7}

for tool in convert gm vips djpeg /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 2; }
done
[[ -x $build/bin/lumo4 && -x $build/bin/lumoreg ]] || {
    echo "no lumo4 or lumoreg in $build/bin" >&2
    exit 2
}

mkdir -p "$photos"
make_photo() {  # name width height
    local file=$photos/$1.jpg
    if [[ ! -s $file ]]; then
        echo "making $file ($2x$3)" >&2
        # Plasma gives smooth shapes and edges; the noise gives the detail of a real sensor.
        convert -size "$2x$3" plasma:fractal -blur 0x1 -attenuate 0.4 +noise Gaussian \
            -quality 90 "$file"
    fi
}
make_photo photo24mp 6000 4000
make_photo photo12mp 4000 3000
make_photo photo1080p 1920 1080
make_photo portrait12mp 3000 4000

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/out"
export LUMORA_PREFIX=$work/prefix
"$build/bin/lumoreg" add 'HKLM\Software\Brenvik\Lumora' /v Resolution1 /d 1920 /f >/dev/null
"$build/bin/lumoreg" add 'HKLM\Software\Brenvik\Lumora' /v Resolution2 /d 1080 /f >/dev/null
system=$LUMORA_PREFIX/windows/System
mkdir -p "$system"

# Before every lumo4 run: one schedule line, the state "active=1", no bitmap left from before.
setup_lumo4() {  # photo letter
    local stem=${1%.*}
    rm -f "$stem.bmp" "$stem".lumora*.bmp
    printf '%s|%s\r\n' "$1" "$2" >"$system/LumoraPics.ini"
    printf 'active=1\r\n' >"$system/Lumora.ini"
}

now() { date +%s%N; }

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# compare TITLE PHOTO LETTER NAME=COMMAND...  (the first is lumo4; each COMMAND a bash line)
compare() {
    local title=$1 photo=$2 letter=$3
    shift 3
    local names=() commands=() i round start
    for entry in "$@"; do
        names+=("${entry%%=*}")
        commands+=("${entry#*=}")
    done
    declare -A times=() memory=()
    for ((round = 0; round < rounds; ++round)); do
        for i in "${!commands[@]}"; do
            setup_lumo4 "$photo" "$letter"
            rm -f "$work"/out/*
            start=$(now)
            bash -c "${commands[$i]}" >/dev/null 2>&1 || {
                echo "failed: ${commands[$i]}" >&2
                exit 1
            }
            times[$i]+="$(( ($(now) - start) / 1000 )) "
        done
    done
    for i in "${!commands[@]}"; do
        setup_lumo4 "$photo" "$letter"
        rm -f "$work"/out/*
        /usr/bin/time -f %M -o "$work/rss" bash -c "${commands[$i]}" >/dev/null 2>&1
        memory[$i]=$(cat "$work/rss")
    done
    local base_time base_memory
    base_time=$(tr ' ' '\n' <<<"${times[0]}" | grep . | median)
    base_memory=${memory[0]}
    echo
    echo "== $title ($(basename "$photo"), $rounds rounds, medians)"
    printf '%-26s %10s %10s %14s %14s\n' tool "time ms" "peak MB" "lumo4/tool t" "lumo4/tool mem"
    for i in "${!commands[@]}"; do
        local t m
        t=$(tr ' ' '\n' <<<"${times[$i]}" | grep . | median)
        m=${memory[$i]}
        awk -v n="${names[$i]}" -v t="$t" -v m="$m" -v bt="$base_time" -v bm="$base_memory" \
            'BEGIN { printf "%-26s %10.1f %10.1f %14.2f %14.2f\n", n, t / 1000, m / 1024, bt / t, bm / m }'
    done
}

lumo4="LUMORA_PREFIX='$LUMORA_PREFIX' '$build/bin/lumo4'"
out=$work/out
for name in photo24mp photo12mp portrait12mp photo1080p; do
    cp "$photos/$name.jpg" "$work/in/$name.jpg"
    photo=$work/in/$name.jpg
    compare "B: best fit on 1920x1080" "$photo" B \
        "lumo4 B=$lumo4" \
        "convert=convert '$photo' -resize 1920x1080 -background black -gravity center -extent 1920x1080 -type TrueColor BMP3:$out/im.bmp" \
        "gm convert=gm convert -size 1920x1080 '$photo' -resize 1920x1080 -background black -gravity center -extent 1920x1080 BMP3:$out/gm.bmp" \
        "vips thumbnail+gravity=vips thumbnail '$photo' $out/t.v 1920 --height 1080 && vips gravity $out/t.v $out/vips.bmp centre 1920 1080 --extend black" \
        "djpeg -scale 1/2 (null)=djpeg -scale 1/2 -outfile /dev/null '$photo'" \
        "djpeg (null)=djpeg -outfile /dev/null '$photo'" \
        "djpeg -bmp=djpeg -bmp -outfile $out/d.bmp '$photo'"
    compare "C: full-size conversion" "$photo" C \
        "lumo4 C=$lumo4" \
        "djpeg -bmp=djpeg -bmp -outfile $out/d.bmp '$photo'" \
        "convert BMP3=convert '$photo' -type TrueColor BMP3:$out/im.bmp"
    rm -f "$work/in/$name".*
done
