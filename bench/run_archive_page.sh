#!/usr/bin/env bash
# The archive page's runs on VX_ARCHIVE_PAGE_ARCHIVES generated archives (50 by default) of 300 camera-
# like photos each (2-8 MB unpacked, EXIF thumbnails, some stored, most deflated), against:
# - Python's zipfile and Pillow doing the same work in one process (bench/zipfile_samework.py): list each
#   archive, keep the photos, order the size texts, unpack the two ends, read their frame headers; and for
#   the example run, unpack and probe the photo our run chose in each archive and write it out;
# - one unzip -Z1 listing all the archives in one process (it only lists: a floor, not the same work).
# The growth figures compare 300 with 3,000 photos per archive over the first VX_ARCHIVE_PAGE_GROWTH
# archives (10 by default): the run unpacks two photos per archive, so its cost should follow the
# archives more than the photos.
# Method as in common.sh: whole processes on every side (start-up included), best of the same
# VX_BENCH_RUNS runs, page cache warmed once; the example run draws at random, so there each of our runs
# is paired with a zipfile run over the same draw and the median pair ratio is printed. The example
# count follows the archives (at most 50).
# Checks: our report lines equal the zipfile side's; unzip lists as many photos as the report counts;
# every archive gave an example, and each is byte for byte the entry the zipfile side unpacked.
set -euo pipefail
bench_name=archive_page
source "$(dirname "$0")/common.sh"
here=$(dirname "$0")
work="${VX_BENCH_WORK:?}/archive_page"
archives="${VX_ARCHIVE_PAGE_ARCHIVES:-50}"
growth="${VX_ARCHIVE_PAGE_GROWTH:-10}"
[ "$growth" -le "$archives" ] || growth=$archives
examples=$(( archives < 50 ? archives : 50 ))
mkdir -p "$work"
generate=$(tool archive_page_generate)
bench=$(tool bench_archive_page)
python=$(pillow_python)
samework=("$python" "$here/zipfile_samework.py")

"$generate" "$work/set300" "$archives" 300 > "$work/list300"
"$generate" "$work/set3000" "$growth" 3000 > "$work/list3000"
head -n "$growth" "$work/list300" > "$work/list300g"
cat "$work/list300" "$work/list3000" > "$work/all"
warm_list "$work/all"

t300=$(best_of "$work/ours300.txt" "$bench" techdata "$work/list300")
z300=$(best_of "$work/zipfile300.txt" "${samework[@]}" techdata "$work/list300")
# unzip expands the quoted pattern itself and lists every archive in one process.
unzip_list() { unzip -Z1 "$1" 2> /dev/null; }
u300=$(best_of "$work/unzip300.txt" unzip_list "$work/set300/*.zip")
same "$work/zipfile300.txt" "$work/ours300.txt" "the zipfile side's report and ours"
photos=$(sed -n 's/^Всего фото: //p' "$work/ours300.txt")
listed=$(grep -ciE '\.jpe?g$' "$work/unzip300.txt" || true)
[ "$listed" = "$photos" ] || fail "unzip lists $listed photos, the report counts $photos"

tg300=$(best_of "$work/oursg300.txt" "$bench" techdata "$work/list300g")
zg300=$(best_of "$work/zipfileg300.txt" "${samework[@]}" techdata "$work/list300g")
tg3000=$(best_of "$work/oursg3000.txt" "$bench" techdata "$work/list3000")
zg3000=$(best_of "$work/zipfileg3000.txt" "${samework[@]}" techdata "$work/list3000")
same "$work/zipfileg300.txt" "$work/oursg300.txt" "the zipfile side's report and ours (growth, 300)"
same "$work/zipfileg3000.txt" "$work/oursg3000.txt" "the zipfile side's report and ours (growth, 3,000)"

# Our run draws its photos at random, so its runs differ in work: each of our runs is paired with a
# zipfile run that unpacks exactly the photos ours wrote, and the figure is the median of the pairs'
# ratios (best-of would pick our luckiest draw).
pair_ratios=()
for ((round = 0; round < runs; round++)); do
  s=$(date +%s%N)
  "$bench" examples "$work/list300" "$examples" "$work/out_ours" > "$work/ours_examples.txt" || fail "the example run failed"
  e=$(date +%s%N)
  tex=$((e - s))
  written=$(grep -c . "$work/ours_examples.txt" || true)
  [ "$written" -eq "$examples" ] || fail "the example run wrote $written of $examples examples"
  s=$(date +%s%N)
  "${samework[@]}" examples "$work/list300" "$examples" "$work/out_zipfile" "$work/ours_examples.txt" || fail "zipfile failed"
  e=$(date +%s%N)
  zex=$((e - s))
  diff -r "$work/out_ours" "$work/out_zipfile" > /dev/null || fail "our examples differ from the entries zipfile unpacked"
  pair_ratios+=("$(ratio "$tex" "$zex")")
done
examples_ratio=$(printf '%s\n' "${pair_ratios[@]}" | sort -n | awk '{ r[NR] = $1 } END { print r[int((NR + 1) / 2)] }')

echo "archive_page_archives: $archives"
echo "archive_page_photos: $photos"
echo "archive_techdata_process_seconds: $(seconds "$t300")"
echo "zipfile_samework_process_seconds: $(seconds "$z300")"
echo "unzip_one_process_seconds: $(seconds "$u300")"
echo "archive_techdata_process_ratio_vs_zipfile_samework: $(ratio "$t300" "$z300")"
echo "archive_techdata_process_ratio_vs_unzip_one_process: $(ratio "$t300" "$u300")"
echo "archive_techdata_growth_3000_vs_300: $(ratio "$tg3000" "$tg300")"
echo "zipfile_samework_growth_3000_vs_300: $(ratio "$zg3000" "$zg300")"
echo "archive_techdata_3000_process_ratio_vs_zipfile_samework: $(ratio "$tg3000" "$zg3000")"
echo "archive_examples_written: $(grep -c . "$work/ours_examples.txt")"
echo "archive_examples_process_ratio_vs_zipfile_samework: $examples_ratio"
rm -rf "$work"
