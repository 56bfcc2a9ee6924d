#!/usr/bin/env bash
# The ZIP reader against unzip on the same generated archives: listing VX_ZIP_ENTRIES small entries
# (100,000 by default; vxinspect zip-names, which finds every entry as the archive page does and prints
# its name, against unzip -Z1, which prints the same) and inflating one VX_ZIP_MIB MiB entry (256) of
# photo-like data into memory (vxinspect zip-cat, which is ExtractEntryToBuffer, against unzip -p).
# Method as in common.sh: whole processes, interleaved pairs, page cache warmed once. Checks: on every
# pair the listings are equal line by line; once before the timing, the unpacked bytes are equal. Also prints our peak RSS in
# MiB, from one more run of each of ours.
set -euo pipefail
bench_name=zip
source "$(dirname "$0")/common.sh"
work="${VX_BENCH_WORK:?}/zip"
entries="${VX_ZIP_ENTRIES:-100000}"
mebibytes="${VX_ZIP_MIB:-256}"
mkdir -p "$work"
vxinspect=$(tool vxinspect)

"$(tool zip_make_archives)" "$work/many.zip" "$entries" "$work/big.zip" "$mebibytes"
cat "$work/many.zip" "$work/big.zip" > /dev/null

ours_list() { "$vxinspect" zip-names "$work/many.zip"; }
unzip_list() { unzip -Z1 "$work/many.zip"; }
check_list() { [ "$1" = ours ] || same "$work/theirs_list.txt" "$work/ours_list.txt" "zip-names' and unzip -Z1's listings"; }
ours_cat() { "$vxinspect" zip-cat "$work/big.zip" photo.jpg; }
unzip_cat() { unzip -p "$work/big.zip" photo.jpg; }
# The unpacked bytes are compared once; the timed runs write them to /dev/null, as writing 256 MiB to
# a file would time the disk rather than the inflate.
cmp -s <(ours_cat) <(unzip_cat) || fail "zip-cat and unzip -p unpacked different bytes"

pairs zip_list_process_ratio_vs_unzip "$work/ours_list.txt" "$work/theirs_list.txt" ours_list unzip_list check_list
pairs zip_inflate_process_ratio_vs_unzip /dev/null /dev/null ours_cat unzip_cat

peak_mib() { /usr/bin/time -f '%M' -o "$work/rss" "$@" > /dev/null && awk '{ k = $1 } END { printf "%.1f\n", k / 1024 }' "$work/rss"; }
echo "zip_list_entries: $(grep -c . "$work/ours_list.txt")"
echo "zip_list_peak_rss_mib: $(peak_mib "$vxinspect" zip-names "$work/many.zip")"
echo "zip_inflate_peak_rss_mib: $(peak_mib "$vxinspect" zip-cat "$work/big.zip" photo.jpg)"
echo "zip_inflate_entry_mib: $mebibytes"
rm -rf "$work"
