#!/usr/bin/env bash
# JPEG header probes against ImageMagick's identify -ping and vipsheader over the same 2,000 generated
# camera-like photos (2-12 MP, 64 KiB APP1 in front of the frame header), each tool as one process over
# all files, best of 3 runs with a warm page cache. Prints ratios (our time / theirs; probe_ratio counts both
# of our probes on every photo) and the file bytes each of our probes read per photo.
set -euo pipefail
build="${VX_BUILD:?}"
work="${VX_BENCH_WORK:?}/jpeg"
count="${VX_JPEG_PHOTOS:-2000}"
mkdir -p "$work"
generate=$(find "$build/bench" -maxdepth 2 -type f -name jpeg_bench_generate | head -n 1)
probe=$(find "$build/bench" -maxdepth 2 -type f -name jpeg_bench_probe | head -n 1)

"$generate" "$work/photos" "$count" > "$work/list"
mapfile -t photos < "$work/list"
cat "${photos[@]}" > /dev/null # warm the page cache for every tool alike

# best_of_3 OUTFILE COMMAND...: runs the command 3 times, keeps its output, prints the fastest wall time.
best_of_3() {
  local out="$1"; shift
  local best="" start end t
  for _ in 1 2 3; do
    start=$(date +%s%N)
    "$@" > "$out"
    end=$(date +%s%N)
    t=$((end - start))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  echo "$best"
}

t_scaled=$(best_of_3 "$work/scaled.txt" "$probe" scaled "$work/list")
t_markers=$(best_of_3 "$work/markers.txt" "$probe" markers "$work/list")
t_identify=$(best_of_3 "$work/identify.txt" identify -ping -format '%w %h\n' "${photos[@]}")
t_vips=$(best_of_3 "$work/vips.txt" vipsheader "${photos[@]}")

# The figures count only when every tool saw the same sizes.
if ! cmp -s "$work/markers.txt" "$work/identify.txt"; then
  echo "jpeg bench: ReadJpegSizeFromFile and identify disagree" >&2; exit 1
fi
awk '{ printf "%d %d\n", int(($1 + 7) / 8), int(($2 + 7) / 8) }' "$work/identify.txt" | cmp -s - "$work/scaled.txt" \
  || { echo "jpeg bench: scaled sizes are not 1/8 of identify's" >&2; exit 1; }
[ "$(grep -c . "$work/vips.txt")" -eq "$count" ] || { echo "jpeg bench: vipsheader missed photos" >&2; exit 1; }

"$probe" bytes "$work/list" > "$work/bytes.txt"
scaled_bytes=$(awk '$1 == "scaled" { print $2 }' "$work/bytes.txt")
marker_bytes=$(awk '$1 == "markers" { print $2 }' "$work/bytes.txt")

# Both probes on every photo, against one peer's single probe.
t_probe=$((t_scaled + t_markers))
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f\n", a / b }'; }
seconds() { awk -v a="$1" 'BEGIN { printf "%.3f\n", a / 1e9 }'; }
echo "jpeg_photos: $count"
echo "scaled_seconds: $(seconds "$t_scaled")"
echo "markers_seconds: $(seconds "$t_markers")"
echo "identify_seconds: $(seconds "$t_identify")"
echo "vipsheader_seconds: $(seconds "$t_vips")"
echo "probe_ratio_vs_identify: $(ratio "$t_probe" "$t_identify")"
echo "probe_ratio_vs_vipsheader: $(ratio "$t_probe" "$t_vips")"
echo "scaled_ratio_vs_identify: $(ratio "$t_scaled" "$t_identify")"
echo "scaled_ratio_vs_vipsheader: $(ratio "$t_scaled" "$t_vips")"
echo "markers_ratio_vs_identify: $(ratio "$t_markers" "$t_identify")"
echo "markers_ratio_vs_vipsheader: $(ratio "$t_markers" "$t_vips")"
echo "probe_bytes_read_per_photo: $((scaled_bytes / count))"
echo "markers_bytes_read_per_photo: $((marker_bytes / count))"
rm -rf "$work"
