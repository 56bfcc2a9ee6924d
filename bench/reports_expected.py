"""What the folder page's reports must say, computed from a peer's sizes.

Usage: reports_expected.py LIST SIZES   (SIZES: one "W H" or "failed" line per LIST line)
Prints the three technical-data lines, then "broken:" and the paths the peer failed to open, in list
order. The folders are runs of consecutive photos in one parent folder; the range is the lowest and
highest size under 20000 pixels a side, ordered by "W,H" read as a decimal number with a stable sort.
"""
import os
import sys

LIMIT = 20000

paths = [line for line in open(sys.argv[1], encoding="utf-8").read().split("\n") if line]
sizes = [line for line in open(sys.argv[2], encoding="utf-8").read().split("\n") if line]
if len(paths) != len(sizes):
    sys.exit("reports_expected: %d paths but %d sizes" % (len(paths), len(sizes)))

folders = sum(1 for i, p in enumerate(paths) if i == 0 or os.path.dirname(p) != os.path.dirname(paths[i - 1]))
measured = []
for size in sizes:
    if size != "failed":
        w, h = map(int, size.split())
        if w < LIMIT and h < LIMIT:
            measured.append((float("%d.%d" % (w, h)), "%dx%d" % (w, h)))
measured.sort(key=lambda m: m[0])  # stable: equal keys keep list order
resolution = "%s - %s" % (measured[0][1], measured[-1][1]) if measured else "нет данных"
print("Файлов: %d" % len(paths))
print("Папок: %d" % folders)
print("Разрешение : %s" % resolution)
print("broken:")
for path, size in zip(paths, sizes):
    if size == "failed":
        print(path)
