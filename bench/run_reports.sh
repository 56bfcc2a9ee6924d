#!/usr/bin/env bash
# The folder page's report runs against Pillow (the reference peer) and ImageMagick's identify -ping,
# over a release tree of VX_REPORTS_PHOTOS generated camera-like photos (10,000 by default) in
# VX_REPORTS_FOLDERS folders, listed in the order of our own walk, with broken photos among them (empty,
# cut in the metadata, a PNG named .jpg) and one cut in its scan data, which a header test rightly passes.
# - the technical-data run (Button7Click) and the broken-photo finder (N3Click) on the real window;
# - Pillow: Image.open plus its size on every photo, a failure counting as broken; the same process
#   serves both figures, as it does both jobs;
# - identify -ping -format '%i %w %h' on every photo (secondary).
# Method as in common.sh: every side is one whole process (start-up, window and list filling included:
# "process" in the names), interleaved pairs, page cache warmed once for all.
# Checks: "Файлов", "Папок" and the range equal what Pillow's sizes give; the finder selects exactly the
# photos Pillow fails on; identify's size equals Pillow's for every photo Pillow opens.
set -euo pipefail
bench_name=reports
source "$(dirname "$0")/common.sh"
here=$(dirname "$0")
work="${VX_BENCH_WORK:?}/reports"
count="${VX_REPORTS_PHOTOS:-10000}"
folders="${VX_REPORTS_FOLDERS:-8}"
every="${VX_REPORTS_BROKEN_EVERY:-$(( count / 40 > 4 ? count / 40 : 4 ))}"
mkdir -p "$work"
run=$(tool reports_bench_run)
python=$(pillow_python)

"$(tool jpeg_bench_generate)" "$work/photos" "$count" "$folders" "$every" > /dev/null
"$(tool bench_walk)" "$work/photos" > "$work/list" # our walk's order, as a scan fills the list
[ "$(grep -c . "$work/list")" -eq "$count" ] || fail "the walk listed $(grep -c . "$work/list") of $count photos"
mapfile -t photos < "$work/list"
warm_list "$work/list"

# identify fails on the empty and the cut photos; it still prints the others.
identify_sizes() { identify -ping -format '%i %w %h\n' "$@" 2> /dev/null || true; }

techdata() { "$run" techdata "$work/list"; }
broken() { "$run" broken "$work/list"; }
pillow() { "$python" "$here/pillow_sizes.py" "$work/list"; }
identify_all() { identify_sizes "${photos[@]}"; }
pairs folder_techdata_process_ratio_vs_pillow "$work/techdata.txt" "$work/pillow.txt" techdata pillow
t_techdata=$pair_ours_ns t_pillow=$pair_peer_ns
pairs broken_finder_process_ratio_vs_pillow "$work/broken.txt" "$work/pillow.txt" broken pillow
t_broken=$pair_ours_ns
pairs folder_techdata_process_ratio_vs_identify "$work/techdata.txt" "$work/identify.txt" techdata identify_all
pairs broken_finder_process_ratio_vs_identify "$work/broken.txt" "$work/identify.txt" broken identify_all

python3 "$here/reports_expected.py" "$work/list" "$work/pillow.txt" > "$work/expected.txt"
sed -n '1,3p' "$work/expected.txt" > "$work/expected_techdata.txt"
sed -n '5,$p' "$work/expected.txt" > "$work/expected_broken.txt"
same "$work/expected_techdata.txt" "$work/techdata.txt" "the technical data from Pillow's sizes and ours"
[ -s "$work/expected_broken.txt" ] || fail "no broken photo in the set: the finder would pass doing nothing"
same "$work/expected_broken.txt" "$work/broken.txt" "the photos Pillow fails on and the finder's selection"
paste -d' ' "$work/list" "$work/pillow.txt" | grep -v ' failed$' > "$work/pillow_sized.txt" || true
grep -F -x -f "$work/pillow_sized.txt" "$work/identify.txt" > "$work/identify_sized.txt" || true
same "$work/pillow_sized.txt" "$work/identify_sized.txt" "Pillow's and identify's sizes"

echo "reports_photos: $count"
echo "reports_folders: $(sed -n 's/^Папок: //p' "$work/techdata.txt")"
echo "reports_broken: $(grep -c . "$work/broken.txt")"
echo "folder_techdata_process_seconds: $(seconds "$t_techdata")"
echo "broken_finder_process_seconds: $(seconds "$t_broken")"
echo "pillow_process_seconds: $(seconds "$t_pillow")"
# The finder's growth in the number of broken photos: lists of 500 and of 5,000 empty photos, and 5,000
# of them among 10,000 against 10,000 good ones (a tiny JPEG), each timed inside the process (the run
# alone, best of VX_BENCH_RUNS), since start-up would hide the difference. Linear work gives about 10 and 1.
mkdir -p "$work/growth"
"$python" - "$work/growth" <<'PY'
import os, sys
from PIL import Image
root = sys.argv[1]
Image.new("RGB", (16, 12)).save(os.path.join(root, "good.jpg"))
good = open(os.path.join(root, "good.jpg"), "rb").read()
lists = {"broken500": [], "broken5000": [], "mixed": [], "good": []}
for i in range(10000):
    g = os.path.join(root, "g%05d.jpg" % i)
    open(g, "wb").write(good)
    lists["good"].append(g)
    if i < 5000:
        b = os.path.join(root, "b%05d.jpg" % i)
        open(b, "wb").close()
        lists["broken5000"].append(b)
        if i < 500:
            lists["broken500"].append(b)
        lists["mixed"] += [b, os.path.join(root, "g%05d.jpg" % (i + 5000))]
for name, paths in lists.items():
    open(os.path.join(root, name + ".list"), "w").write("\n".join(paths) + "\n")
PY
run_seconds() { # LIST EXPECTED_SELECTED: the best in-process run time
  local best="" t i
  for ((i = 0; i < runs; i++)); do
    VX_PRINT_RUN_SECONDS=1 "$run" broken "$1" > "$work/growth/selected.txt" 2> "$work/growth/err.txt" || fail "the finder failed on $1"
    [ "$(grep -c . "$work/growth/selected.txt")" -eq "$2" ] || fail "the finder selected $(grep -c . "$work/growth/selected.txt") of $2 in $1"
    t=$(sed -n 's/^run_seconds: //p' "$work/growth/err.txt")
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
  done
  echo "$best"
}
t500=$(run_seconds "$work/growth/broken500.list" 500)
t5000=$(run_seconds "$work/growth/broken5000.list" 5000)
tmixed=$(run_seconds "$work/growth/mixed.list" 5000)
tgood=$(run_seconds "$work/growth/good.list" 0)
echo "broken_finder_500_broken_run_seconds: $t500"
echo "broken_finder_5000_broken_run_seconds: $t5000"
echo "broken_finder_growth_5000_vs_500_broken: $(awk -v a="$t5000" -v b="$t500" 'BEGIN { printf "%.2f\n", a / b }')"
echo "broken_finder_5000_of_10000_broken_vs_10000_good: $(awk -v a="$tmixed" -v b="$tgood" 'BEGIN { printf "%.2f\n", a / b }')"
rm -rf "$work"
