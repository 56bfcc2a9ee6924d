#!/usr/bin/env bash
# The upload window's post text from a large reply: a 2xx reply of 1 MiB and of 8 MiB (the reply cap) of
# link lines, served from memory to the real window, offscreen; each process times the press of
# "Загрузить" up to the post text in the window and the peak memory growth meanwhile (best of
# VX_BENCH_RUNS). Linear work gives ratios of about 8; the program checks every link reached the text.
set -euo pipefail
bench_name=post_text
source "$(dirname "$0")/common.sh"
program=$(tool upload_window_reply)

# measure MIB: "seconds kib" of the fastest run, and the largest memory growth seen.
measure() {
  local best="" kib=0 out t k i
  for ((i = 0; i < runs; i++)); do
    out=$("$program" "$1") || fail "the upload window failed on $1 MiB"
    t=$(sed -n 's/^seconds: //p' <<< "$out")
    k=$(sed -n 's/^rss_growth_kib: //p' <<< "$out")
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
    [ "$k" -gt "$kib" ] && kib=$k
  done
  echo "$best $kib"
}
read -r t1 k1 < <(measure 1)
read -r t8 k8 < <(measure 8)
echo "post_text_1_mib_seconds: $t1"
echo "post_text_8_mib_seconds: $t8"
awk -v k="$k1" 'BEGIN { printf "post_text_1_mib_rss_growth_mib: %.1f\n", k / 1024 }'
awk -v k="$k8" 'BEGIN { printf "post_text_8_mib_rss_growth_mib: %.1f\n", k / 1024 }'
awk -v a="$t8" -v b="$t1" 'BEGIN { printf "post_text_time_8_vs_1_mib: %.2f\n", a / b }'
awk -v a="$k8" -v b="$k1" 'BEGIN { printf "post_text_memory_8_vs_1_mib: %.2f\n", a / b }'
