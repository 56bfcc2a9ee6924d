#!/usr/bin/env bash
# walk_ratio_vs_find: the page-1 scan's walk against find over 100,000 files in 1,000 folders.
set -euo pipefail
tree="$VX_BENCH_WORK/walk-tree"
python3 - "$tree" <<'PY'
import os, sys, random
root = sys.argv[1]
random.seed(7)
endings = [".jpg", ".JPG", ".jpeg", ".Jpeg", ".JPEG", ".Jpg"]
for d in range(1000):
    folder = os.path.join(root, "set%03d" % (d // 10), "part%d" % (d % 10))
    os.makedirs(folder, exist_ok=True)
    for f in range(100):
        ext = endings[(d + f) % len(endings)] if f % 10 == 0 else (".txt" if f % 2 else ".xmp")
        open(os.path.join(folder, "file%03d%s" % (f, ext)), "w").close()
PY
# Warm the cache for both.
find "$tree" > /dev/null
best_find=999
for i in 1 2 3; do
  s=$(date +%s%N)
  n_find=$(find "$tree" \( -iname '*.jpg' -o -iname '*.jpeg' \) | wc -l)
  e=$(date +%s%N)
  t=$(python3 -c "print(($e-$s)/1e9)")
  best_find=$(python3 -c "print(min($best_find,$t))")
done
read -r ours n_ours < <("$VX_BUILD/bench/bench_walk" "$tree" 3)
[ "$n_ours" = "$n_find" ] || { echo "walk: found $n_ours photos, find found $n_find" >&2; exit 1; }
echo "walk_photos_found: $n_ours"
echo "walk_seconds: $ours"
echo "walk_find_seconds: $best_find"
python3 -c "print('walk_ratio_vs_find: %.2f' % ($ours/$best_find))"
