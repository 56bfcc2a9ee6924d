#!/usr/bin/env bash
# The page-1 scan's walk against find over VX_WALK_FILES files (100,000 by default) in folders of 100,
# a tenth of them photos with endings in every letter case. Method as in common.sh: both sides whole
# processes printing every path found, best of the same VX_BENCH_RUNS runs, page cache warmed. Our
# process also starts the main window, which find does not have to: its cost alone is printed beside.
# Check: the sorted path lists are equal.
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

t_find=$(best_of "$work/find.txt" find "$tree" -type f \( -iname '*.jpg' -o -iname '*.jpeg' \))
t_ours=$(best_of "$work/ours.txt" "$(tool bench_walk)" "$tree")
# Our process over an empty folder: the window's start-up that the whole-process figure includes.
mkdir -p "$work/empty"
t_start=$(best_of /dev/null "$(tool bench_walk)" "$work/empty")
LC_ALL=C sort "$work/find.txt" > "$work/find.sorted"
LC_ALL=C sort "$work/ours.txt" > "$work/ours.sorted"
same "$work/find.sorted" "$work/ours.sorted" "the paths find found and the walk found"

echo "walk_photos_found: $(grep -c . "$work/ours.txt")"
echo "walk_process_seconds: $(seconds "$t_ours")"
echo "walk_empty_folder_process_seconds: $(seconds "$t_start")"
echo "find_process_seconds: $(seconds "$t_find")"
echo "walk_process_ratio_vs_find: $(ratio "$t_ours" "$t_find")"
rm -rf "$work"
