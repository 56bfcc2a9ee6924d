#!/usr/bin/env bash
# The ZIP reader against unzip on the same generated archives: listing 100,000 small entries (vxinspect
# zip-list against unzip -Z1) and inflating one 256 MiB entry of photo-like data into memory (vxinspect
# zip-cat, which is ExtractEntryToBuffer, against unzip -p), all output to /dev/null.
# Method: both sides whole processes (start-up included: "process" in the names), best of the same 3
# runs, page cache warmed once. Checks: the listings are equal line by line, the unpacked bytes equal.
# Prints the time ratios (ours / unzip's) and our peak RSS in MiB.
set -euo pipefail
build="${VX_BUILD:?}"
work="${VX_BENCH_WORK:?}/zip"
entries="${VX_ZIP_ENTRIES:-100000}"
mebibytes="${VX_ZIP_MIB:-256}"
mkdir -p "$work"
make=$(find "$build/bench" -maxdepth 2 -type f -name zip_make_archives | head -n 1)
vxinspect=$(find "$build/tools" -maxdepth 3 -type f -name vxinspect | head -n 1)

"$make" "$work/many.zip" "$entries" "$work/big.zip" "$mebibytes"
cat "$work/many.zip" "$work/big.zip" > /dev/null

# The listings must agree before their times mean anything.
"$vxinspect" zip-list "$work/many.zip" | cut -f1 | tr '\\' '/' > "$work/ours.txt"
unzip -Z1 "$work/many.zip" > "$work/theirs.txt"
if ! cmp -s "$work/ours.txt" "$work/theirs.txt"; then
  echo "zip bench: zip-list and unzip -Z1 disagree" >&2; exit 1
fi
if ! cmp -s <("$vxinspect" zip-cat "$work/big.zip" photo.jpg) <(unzip -p "$work/big.zip" photo.jpg); then
  echo "zip bench: zip-cat and unzip -p disagree" >&2; exit 1
fi

# best_of_3 COMMAND...: fastest wall time in ns of three runs, output to /dev/null; sets peak_kib to the
# largest maximum resident set size seen.
peak_kib=0
best_of_3() {
  local best="" start end t rss
  for _ in 1 2 3; do
    start=$(date +%s%N)
    /usr/bin/time -f '%M' -o "$work/rss" "$@" > /dev/null
    end=$(date +%s%N)
    t=$((end - start))
    rss=$(tail -n 1 "$work/rss")
    [ "$rss" -gt "$peak_kib" ] && peak_kib=$rss
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  echo "$best $peak_kib"
}

read -r t_list list_kib < <(best_of_3 "$vxinspect" zip-list "$work/many.zip")
peak_kib=0
read -r t_unzip_list _ < <(best_of_3 unzip -Z1 "$work/many.zip")
peak_kib=0
read -r t_cat cat_kib < <(best_of_3 "$vxinspect" zip-cat "$work/big.zip" photo.jpg)
peak_kib=0
read -r t_unzip_cat _ < <(best_of_3 unzip -p "$work/big.zip" photo.jpg)

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
echo "zip_list_process_ratio_vs_unzip: $(ratio "$t_list" "$t_unzip_list")"
echo "zip_list_peak_rss_mib: $(mib "$list_kib")"
echo "zip_inflate_process_ratio_vs_unzip: $(ratio "$t_cat" "$t_unzip_cat")"
echo "zip_inflate_peak_rss_mib: $(mib "$cat_kib")"
echo "zip_inflate_entry_mib: $mebibytes"
rm -f "$work/many.zip" "$work/big.zip"
