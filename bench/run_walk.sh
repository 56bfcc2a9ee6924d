#!/usr/bin/env bash
# The page-1 scan's walk against find over VX_WALK_FILES files (100,000 by default) in folders of 100,
# a tenth of them photos with endings in every letter case. Method as in common.sh: both sides whole
# processes printing every path found, interleaved pairs, page cache warmed. Our process also starts the
# main window and fills the page's list as a scan does, which find does not have to: the start-up alone
# is printed beside. Check: the sorted path lists are equal.
set -euo pipefail
bench_name=walk
source "$(dirname "$0")/common.sh"
work="${VX_BENCH_WORK:?}/walk"
files="${VX_WALK_FILES:-100000}"
tree="$work/tree"
mkdir -p "$work"
python3 - "$tree" "$files" <<'PY'
import os, sys
root, files = sys.argv[1], int(sys.argv[2])
endings = [".jpg", ".JPG", ".jpeg", ".Jpeg", ".JPEG", ".Jpg"]
for d in range((files + 99) // 100):
    folder = os.path.join(root, "set%03d" % (d // 10), "part%d" % (d % 10))
    os.makedirs(folder, exist_ok=True)
    for f in range(min(100, files - d * 100)):
        ext = endings[(d + f) % len(endings)] if f % 10 == 0 else (".txt" if f % 2 else ".xmp")
        open(os.path.join(folder, "file%03d%s" % (f, ext)), "w").close()
PY
find "$tree" > /dev/null # warm the directory cache for both

walk=$(tool bench_walk)
find_photos() { find "$tree" -type f \( -iname '*.jpg' -o -iname '*.jpeg' \); }
walk_photos() { "$walk" "$tree"; }
check() { # after both sides of a pair
  [ "$1" = peer ] || return 0
  LC_ALL=C sort "$work/find.txt" > "$work/find.sorted"
  LC_ALL=C sort "$work/ours.txt" > "$work/ours.sorted"
  same "$work/find.sorted" "$work/ours.sorted" "the paths find found and the walk found"
}
pairs walk_process_ratio_vs_find "$work/ours.txt" "$work/find.txt" walk_photos find_photos check
# Our process over an empty folder: the window's start-up that the whole-process figure includes.
mkdir -p "$work/empty"
t_start=$(median_time /dev/null "$walk" "$work/empty")

echo "walk_photos_found: $(grep -c . "$work/ours.txt")"
echo "walk_process_seconds: $(seconds "$pair_ours_ns")"
echo "walk_empty_folder_process_seconds: $(seconds "$t_start")"
echo "find_process_seconds: $(seconds "$pair_peer_ns")"
rm -rf "$work"
