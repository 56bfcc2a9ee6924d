#!/usr/bin/env bash
# The archive page's runs on VX_ARCHIVE_PAGE_ARCHIVES generated archives (50 by default) of
# VX_ARCHIVE_PAGE_PHOTOS camera-like photos each (12; 1-8 MB, real JPEG headers with EXIF thumbnails,
# random entropy-coded data: incompressible, as users' photos are; most deflated, some stored), against:
# - Python's zipfile and Pillow doing the same work in one process (bench/zipfile_samework.py): list each
#   archive, keep the photos, order the size texts, unpack the two ends, read their frame headers; and for
#   the example run, unpack and probe the photo our run chose in each archive and write it out;
# - one unzip -Z1 listing all the archives in one process (it only lists: a floor, not the same work).
# The growth figures vary the number of directory rows only: the first VX_ARCHIVE_PAGE_GROWTH archives
# (5) made with 300 and with 3,000 rows, the same large photos in both (so the same two ends are
# unpacked) and small photos in the other rows; the run should follow the archives, not the rows.
# Method as in common.sh: whole processes, interleaved pairs, page cache warmed once. The example run
# draws at random, so each of its pairs has the zipfile side unpack exactly the photos our run wrote.
# The example count follows the archives (at most 50).
# Checks: our report lines equal the zipfile side's; unzip lists as many photos as the report counts;
# every archive gave an example, and each is byte for byte the entry the zipfile side unpacked.
set -euo pipefail
bench_name=archive_page
source "$(dirname "$0")/common.sh"
here=$(dirname "$0")
work="${VX_BENCH_WORK:?}/archive_page"
archives="${VX_ARCHIVE_PAGE_ARCHIVES:-50}"
photos_each="${VX_ARCHIVE_PAGE_PHOTOS:-12}"
growth="${VX_ARCHIVE_PAGE_GROWTH:-5}"
[ "$growth" -le "$archives" ] || growth=$archives
examples=$(( archives < 50 ? archives : 50 ))
mkdir -p "$work"
generate=$(tool archive_page_generate)
bench=$(tool bench_archive_page)
python=$(pillow_python)
samework=("$python" "$here/zipfile_samework.py")

"$generate" "$work/photos" "$archives" "$photos_each" > "$work/list"
"$generate" "$work/rows300" "$growth" "$photos_each" 300 > "$work/list300"
"$generate" "$work/rows3000" "$growth" "$photos_each" 3000 > "$work/list3000"
cat "$work/list" "$work/list300" "$work/list3000" > "$work/all"
warm_list "$work/all"

# unzip expands the quoted pattern itself and lists every archive in one process.
unzip_list() { unzip -Z1 "$work/photos/*.zip" 2> /dev/null; }
ours_techdata() { "$bench" techdata "$work/list"; }
zipfile_techdata() { "${samework[@]}" techdata "$work/list"; }
check_techdata() { [ "$1" = ours ] || same "$work/zipfile.txt" "$work/ours.txt" "the zipfile side's report and ours"; }
pairs archive_techdata_process_ratio_vs_zipfile_samework "$work/ours.txt" "$work/zipfile.txt" \
  ours_techdata zipfile_techdata check_techdata
t_ours=$pair_ours_ns t_zipfile=$pair_peer_ns
pairs archive_techdata_process_ratio_vs_unzip_one_process "$work/ours.txt" "$work/unzip.txt" ours_techdata unzip_list
photos=$(sed -n 's/^Всего фото: //p' "$work/ours.txt")
listed=$(grep -ciE '\.jpe?g$' "$work/unzip.txt" || true)
[ "$listed" = "$photos" ] || fail "unzip lists $listed photos, the report counts $photos"

# Growth: each side against itself, 3,000 rows paired with 300 rows.
ours300() { "$bench" techdata "$work/list300"; }
ours3000() { "$bench" techdata "$work/list3000"; }
zipfile300() { "${samework[@]}" techdata "$work/list300"; }
zipfile3000() { "${samework[@]}" techdata "$work/list3000"; }
pairs archive_techdata_growth_3000_vs_300_rows "$work/ours3000.txt" "$work/ours300.txt" ours3000 ours300
pairs zipfile_samework_growth_3000_vs_300_rows "$work/zipfile3000.txt" "$work/zipfile300.txt" zipfile3000 zipfile300
same "$work/zipfile300.txt" "$work/ours300.txt" "the zipfile side's report and ours (300 rows)"
same "$work/zipfile3000.txt" "$work/ours3000.txt" "the zipfile side's report and ours (3,000 rows)"
[ "$(sed -n 3p "$work/ours300.txt")" = "$(sed -n 3p "$work/ours3000.txt")" ] ||
  fail "the growth archives' ranges differ: they do not unpack the same photos"

ours_examples() { "$bench" examples "$work/list" "$examples" "$work/out_ours"; }
zipfile_examples() { "${samework[@]}" examples "$work/list" "$examples" "$work/out_zipfile" "$work/ours_examples.txt"; }
check_examples() {
  if [ "$1" = ours ]; then
    written=$(grep -c . "$work/ours_examples.txt" || true)
    [ "$written" -eq "$examples" ] || fail "the example run wrote $written of $examples examples"
  else
    diff -r "$work/out_ours" "$work/out_zipfile" > /dev/null || fail "our examples differ from the entries zipfile unpacked"
  fi
}
pairs archive_examples_process_ratio_vs_zipfile_samework "$work/ours_examples.txt" /dev/null \
  ours_examples zipfile_examples check_examples

echo "archive_page_archives: $archives"
echo "archive_page_photos: $photos"
echo "archive_page_archives_mib: $(du -sm "$work/photos" | cut -f1)"
echo "archive_techdata_process_seconds: $(seconds "$t_ours")"
echo "zipfile_samework_process_seconds: $(seconds "$t_zipfile")"
echo "archive_examples_written: $(grep -c . "$work/ours_examples.txt")"
rm -rf "$work"
