#!/usr/bin/env bash
# The archive page's runs on 200 generated archives of 300 small JPEG entries each, and on the same 200
# archives with 3,000 entries each. archive_techdata_growth_3000_vs_300 is the technical-data run's time
# on the second set over its time on the first: with ten times the photos it should stay near 1, since
# the run unpacks only two entries per archive and its cost follows the archives. The peer is unzip
# listing the same archives (unzip -Z1, one process per archive, as the run opens each archive once), and
# Python's zipfile reading their directories in one process.
set -euo pipefail
build="${VX_BUILD:?}"
work="${VX_BENCH_WORK:?}/archive_page"
archives="${VX_ARCHIVE_PAGE_ARCHIVES:-200}"
mkdir -p "$work"
generate=$(find "$build/bench" -maxdepth 2 -type f -name archive_page_generate | head -n 1)
bench=$(find "$build/bench" -maxdepth 2 -type f -name bench_archive_page | head -n 1)

"$generate" "$work/set300" "$archives" 300 > "$work/list300"
"$generate" "$work/set3000" "$archives" 3000 > "$work/list3000"
mapfile -t zips300 < "$work/list300"
mapfile -t zips3000 < "$work/list3000"
cat "${zips300[@]}" "${zips3000[@]}" > /dev/null # warm the page cache

read -r t300 photos300 < <("$bench" techdata "$work/list300" 3)
read -r t3000 photos3000 < <("$bench" techdata "$work/list3000" 3)
[ "$photos300" = $((archives * 300)) ] || { echo "archive_page: counted $photos300 photos, not $((archives * 300))" >&2; exit 1; }
[ "$photos3000" = $((archives * 3000)) ] || { echo "archive_page: counted $photos3000 photos, not $((archives * 3000))" >&2; exit 1; }

# unzip -Z1 over the same archives, best of 3.
best_unzip=""
for _ in 1 2 3; do
  start=$(date +%s%N)
  for z in "${zips300[@]}"; do unzip -Z1 "$z" > /dev/null; done
  end=$(date +%s%N)
  t=$((end - start))
  if [ -z "$best_unzip" ] || [ "$t" -lt "$best_unzip" ]; then best_unzip=$t; fi
done

# Python's zipfile reading the same directories in one process, on both sets: how a directory reader's
# cost grows with the entries, as a yardstick for the growth figure.
zipfile_list() {
  python3 - "$1" <<'PY'
import sys, time, zipfile
paths = open(sys.argv[1]).read().split()
best = None
for _ in range(3):
    start = time.perf_counter()
    for p in paths:
        with zipfile.ZipFile(p) as z:
            z.infolist()
    t = time.perf_counter() - start
    best = t if best is None else min(best, t)
print("%.6f" % best)
PY
}
zf300=$(zipfile_list "$work/list300")
zf3000=$(zipfile_list "$work/list3000")

read -r tex written < <("$bench" examples "$work/list300" 50 "$work/out" 3)
[ "$written" -ge 1 ] || { echo "archive_page: the example run wrote nothing" >&2; exit 1; }

echo "archive_techdata_seconds_300: $t300"
echo "archive_techdata_seconds_3000: $t3000"
awk -v a="$t3000" -v b="$t300" 'BEGIN { printf "archive_techdata_growth_3000_vs_300: %.2f\n", a / b }'
awk -v u="$best_unzip" 'BEGIN { printf "unzip_list_seconds_300: %.6f\n", u / 1e9 }'
awk -v a="$t300" -v u="$best_unzip" 'BEGIN { printf "archive_techdata_ratio_vs_unzip_list_300: %.2f\n", a / (u / 1e9) }'
echo "zipfile_list_seconds_300: $zf300"
awk -v a="$t300" -v b="$zf300" 'BEGIN { printf "archive_techdata_ratio_vs_zipfile_300: %.2f\n", a / b }'
awk -v a="$t3000" -v b="$zf3000" 'BEGIN { printf "archive_techdata_ratio_vs_zipfile_3000: %.2f\n", a / b }'
awk -v a="$zf3000" -v b="$zf300" 'BEGIN { printf "zipfile_list_growth_3000_vs_300: %.2f\n", a / b }'
echo "archive_examples_seconds: $tex"
echo "archive_examples_written: $written"
