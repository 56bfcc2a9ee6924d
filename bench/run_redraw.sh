#!/usr/bin/env bash
# The folder page's example run held in its redraws: VX_REDRAW_PHOTOS landscape photos (20,000 by default)
# and one portrait, "Только портретная", count 1, on the real window offscreen. Prints the longest spell
# without window events (what the user sees as a frozen window; the pump runs every 50 ms of redraws)
# and the run's time, worst and best of VX_BENCH_RUNS runs (the draws are random).
set -euo pipefail
bench_name=redraw
source "$(dirname "$0")/common.sh"
work="${VX_BENCH_WORK:?}/redraw"
count="${VX_REDRAW_PHOTOS:-20000}"
mkdir -p "$work"
python=$(pillow_python)
"$python" - "$work" "$count" <<'PY'
import os, sys
from PIL import Image
root, count = sys.argv[1], int(sys.argv[2])
Image.new("RGB", (64, 48)).save(os.path.join(root, "l.jpg"))
Image.new("RGB", (48, 64)).save(os.path.join(root, "p.jpg"))
wide, tall = (open(os.path.join(root, n), "rb").read() for n in ("l.jpg", "p.jpg"))
paths = []
for i in range(count):
    paths.append(os.path.join(root, "l%05d.jpg" % i))
    open(paths[-1], "wb").write(wide)
paths.append(os.path.join(root, "portrait.jpg"))
open(paths[-1], "wb").write(tall)
open(os.path.join(root, "list"), "w").write("\n".join(paths) + "\n")
PY
program=$(tool redraw_pump)
frozen=0; longest_run=0
for ((i = 0; i < runs; i++)); do
  out=$("$program" "$work/list") || fail "the example run failed"
  f=$(sed -n 's/^longest_frozen_seconds: //p' <<< "$out")
  r=$(sed -n 's/^run_seconds: //p' <<< "$out")
  frozen=$(awk -v a="$f" -v b="$frozen" 'BEGIN { print (a > b ? a : b) }')
  longest_run=$(awk -v a="$r" -v b="$longest_run" 'BEGIN { print (a > b ? a : b) }')
done
echo "redraw_photos: $count"
echo "redraw_longest_frozen_seconds: $frozen"
echo "redraw_longest_run_seconds: $longest_run"
rm -rf "$work"
