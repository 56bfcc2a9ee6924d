#!/usr/bin/env bash
# The folder page's report runs against ImageMagick's identify -ping over the same generated camera-like
# photos (10,000 by default, 2-12 MP, a 64 KiB APP1 segment in front of each frame header), page cache warm:
# - the technical-data run (Button7Click on the real window) against identify -ping -format '%w %h\n';
# - the broken-photo finder (N3Click) against plain identify -ping.
# Our runs are timed inside one process over the filled list (best of 2); identify is one process over all
# files (a single run: it is the slow side, and repeating it would only lengthen the bench).
# Prints ratios (our time / identify's; lower is better, the goal is 0.2 or less).
set -euo pipefail
build="${VX_BUILD:?}"
work="${VX_BENCH_WORK:?}/reports"
count="${VX_REPORTS_PHOTOS:-10000}"
mkdir -p "$work"
generate=$(find "$build/bench" -maxdepth 2 -type f -name jpeg_bench_generate | head -n 1)
run=$(find "$build/bench" -maxdepth 2 -type f -name reports_bench_run | head -n 1)

"$generate" "$work/photos" "$count" > "$work/list"
mapfile -t photos < "$work/list"
cat "${photos[@]}" > /dev/null # warm the page cache for every tool alike

# wall NS-VAR OUTFILE COMMAND...: runs the command once, keeps its output, stores the wall time in ns.
wall() {
  local var="$1" out="$2"; shift 2
  local start end
  start=$(date +%s%N)
  "$@" > "$out"
  end=$(date +%s%N)
  printf -v "$var" '%s' "$((end - start))"
}

"$run" techdata "$work/list" 2 > "$work/techdata.txt" 2> "$work/techdata.err"
wall t_identify_wh "$work/identify_wh.txt" identify -ping -format '%w %h\n' "${photos[@]}"
"$run" broken "$work/list" 2 > "$work/broken.txt" 2> "$work/broken.err"
wall t_identify "$work/identify.txt" identify -ping "${photos[@]}"

# The figures count only when both sides saw the same photos: the report's range must be the lowest and
# highest size of identify's output in the report's order (width, then the height's digits as a fraction).
expected_range=$(awk '
  function key(w, h) { return w + h / (10 ^ length(h)) }
  { k = key($1, $2)
    if (NR == 1 || k < lo) { lo = k; low = $1 "x" $2 }    # the first of equal keys stays lowest
    if (NR == 1 || k >= hi) { hi = k; high = $1 "x" $2 } } # the last of equal keys ends the range
  END { print "Разрешение : " low " - " high }' "$work/identify_wh.txt")
[ "$(grep -c . "$work/identify_wh.txt")" -eq "$count" ] || { echo "reports bench: identify missed photos" >&2; exit 1; }
sed -n 2p "$work/techdata.txt" | grep -qx "Файлов: $count" || { echo "reports bench: file count wrong" >&2; exit 1; }
sed -n 4p "$work/techdata.txt" | grep -qxF "$expected_range" \
  || { echo "reports bench: range differs from identify's ($expected_range)" >&2; exit 1; }
sed -n 2p "$work/broken.txt" | grep -qx "broken: 0" || { echo "reports bench: good photos found broken" >&2; exit 1; }
[ "$(grep -c . "$work/identify.txt")" -eq "$count" ] || { echo "reports bench: identify missed photos" >&2; exit 1; }

t_techdata=$(awk 'NR == 1 { printf "%d\n", $1 * 1e9 }' "$work/techdata.txt")
t_broken=$(awk 'NR == 1 { printf "%d\n", $1 * 1e9 }' "$work/broken.txt")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f\n", a / b }'; }
seconds() { awk -v a="$1" 'BEGIN { printf "%.3f\n", a / 1e9 }'; }
echo "reports_photos: $count"
echo "folder_techdata_seconds: $(seconds "$t_techdata")"
echo "identify_wh_seconds: $(seconds "$t_identify_wh")"
echo "folder_techdata_ratio_vs_identify: $(ratio "$t_techdata" "$t_identify_wh")"
echo "broken_finder_seconds: $(seconds "$t_broken")"
echo "identify_ping_seconds: $(seconds "$t_identify")"
echo "broken_finder_ratio_vs_identify: $(ratio "$t_broken" "$t_identify")"
rm -rf "$work"
