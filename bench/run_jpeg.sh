#!/usr/bin/env bash
# JPEG header probes against Pillow (the reference peer), ImageMagick's identify -ping and vipsheader
# over the same generated camera-like photos (VX_JPEG_PHOTOS, 2,000 by default; 2-12 MP, an EXIF
# thumbnail and a 64 KiB metadata segment full of 0xFF runs in front of each frame header).
# Method as in common.sh: each side is one whole process over all photos, interleaved pairs, page cache
# warmed once for all. Our two probes are timed separately, each paired with every peer's single probe.
# Checks before any figure: our full sizes equal Pillow's, identify's and vipsheader's, photo by photo;
# our scaled sizes are Pillow's divided by 8 and rounded up; the byte counts come from the product's own
# readers over counting sources and see the same sizes.
set -euo pipefail
bench_name=jpeg
source "$(dirname "$0")/common.sh"
work="${VX_BENCH_WORK:?}/jpeg"
count="${VX_JPEG_PHOTOS:-2000}"
mkdir -p "$work"
probe=$(tool jpeg_bench_probe)
python=$(pillow_python)

"$(tool jpeg_bench_generate)" "$work/photos" "$count" > "$work/list"
mapfile -t photos < "$work/list"
warm_list "$work/list"

markers() { "$probe" markers "$work/list"; }
scaled() { "$probe" scaled "$work/list"; }
pillow() { "$python" "$(dirname "$0")/pillow_sizes.py" "$work/list"; }
identify_ping() { identify -ping -format '%w %h\n' "${photos[@]}"; }
vips() { vipsheader "${photos[@]}"; }
pairs markers_process_ratio_vs_pillow "$work/markers.txt" "$work/pillow.txt" markers pillow
t_markers=$pair_ours_ns t_pillow=$pair_peer_ns
pairs scaled_process_ratio_vs_pillow "$work/scaled.txt" "$work/pillow.txt" scaled pillow
t_scaled=$pair_ours_ns
pairs markers_process_ratio_vs_identify "$work/markers.txt" "$work/identify.txt" markers identify_ping
pairs scaled_process_ratio_vs_identify "$work/scaled.txt" "$work/identify.txt" scaled identify_ping
pairs markers_process_ratio_vs_vipsheader "$work/markers.txt" "$work/vips.raw" markers vips
pairs scaled_process_ratio_vs_vipsheader "$work/scaled.txt" "$work/vips.raw" scaled vips

# vipsheader prints "PATH: WxH uchar, ..." per photo, in the order given.
sed -E 's/^.*: ([0-9]+)x([0-9]+) .*$/\1 \2/' "$work/vips.raw" > "$work/vips.txt"
[ "$(grep -c . "$work/markers.txt")" -eq "$count" ] || fail "ReadJpegSizeFromFile did not size every photo"
same "$work/pillow.txt" "$work/markers.txt" "Pillow's and ReadJpegSizeFromFile's sizes"
same "$work/identify.txt" "$work/markers.txt" "identify's and ReadJpegSizeFromFile's sizes"
same "$work/vips.txt" "$work/markers.txt" "vipsheader's and ReadJpegSizeFromFile's sizes"
awk '{ printf "%d %d\n", int(($1 + 7) / 8), int(($2 + 7) / 8) }' "$work/pillow.txt" > "$work/pillow_eighth.txt"
same "$work/pillow_eighth.txt" "$work/scaled.txt" "Pillow's sizes over 8 and the scaled probe's"

"$probe" bytes "$work/list" > "$work/bytes.txt" || fail "the counted readers failed"
cut -d' ' -f1,2 "$work/bytes.txt" > "$work/bytes_markers.txt"
cut -d' ' -f3,4 "$work/bytes.txt" > "$work/bytes_scaled.txt"
same "$work/bytes_markers.txt" "$work/markers.txt" "the counted and the timed marker reader's sizes"
same "$work/bytes_scaled.txt" "$work/scaled.txt" "the counted and the timed scaled probe's sizes"

echo "jpeg_photos: $count"
echo "markers_process_seconds: $(seconds "$t_markers")"
echo "scaled_process_seconds: $(seconds "$t_scaled")"
echo "pillow_process_seconds: $(seconds "$t_pillow")"
awk -v n="$count" '{ m += $5; s += $6 } END {
  printf "markers_bytes_read_per_photo: %d\nscaled_bytes_read_per_photo: %d\n", m / n, s / n }' "$work/bytes.txt"
rm -rf "$work"
