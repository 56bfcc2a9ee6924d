#!/usr/bin/env bash
# The upload client against curl -F: 40 photos of 5 MiB posted to the stand-in host, which only counts
# the bytes it receives. Prints our time over curl's (best of five each) and the client's peak memory
# growth during the post.
set -euo pipefail
work="$VX_BENCH_WORK/upload"
mkdir -p "$work/photos"
files=()
for i in $(seq -w 1 40); do
  head -c 5242880 /dev/urandom > "$work/photos/photo$i.jpg"
  files+=("$work/photos/photo$i.jpg")
done

# The host stops when its stdin closes, so it cannot outlive this script.
mkfifo "$work/host_stdin"
python3 "$VX_ROOT/tests/upload/standin_host.py" < "$work/host_stdin" > "$work/host_port" &
host_pid=$!
exec 3> "$work/host_stdin"
trap 'exec 3>&-; wait "$host_pid" 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do grep -q '^port ' "$work/host_port" 2>/dev/null && break; sleep 0.1; done
port=$(sed -n 's/^port //p' "$work/host_port")
url="http://127.0.0.1:$port/upload.php?mode=count"
client=$(find "$VX_BUILD/bench" -maxdepth 2 -type f -name upload_post | head -n 1)

curl_args=()
for f in "${files[@]}"; do curl_args+=(-F "userfile[]=@$f;type=multipart/form-data"); done
curl_args+=(-F "imgcontent=notsafe")

now() { date +%s.%N; }
best_ours=""; best_curl=""; growth_kib=0
for round in 1 2 3 4 5; do
  out=$("$client" "$url" "${files[@]}")
  grep -q "received: " <<<"$out" || { echo "run_upload: client post failed" >&2; exit 1; }
  t=$(sed -n 's/^seconds: //p' <<<"$out")
  g=$(sed -n 's/^rss_growth_kib: //p' <<<"$out")
  [ "$g" -gt "$growth_kib" ] && growth_kib=$g
  best_ours=$(awk -v a="$t" -v b="$best_ours" 'BEGIN { print (b == "" || a < b) ? a : b }')

  s=$(now)
  reply=$(curl -s -H 'Expect:' "${curl_args[@]}" "$url")
  e=$(now)
  grep -q "received: " <<<"$reply" || { echo "run_upload: curl post failed" >&2; exit 1; }
  t=$(awk -v s="$s" -v e="$e" 'BEGIN { print e - s }')
  best_curl=$(awk -v a="$t" -v b="$best_curl" 'BEGIN { print (b == "" || a < b) ? a : b }')
done

awk -v o="$best_ours" -v c="$best_curl" 'BEGIN { printf "upload_ratio_vs_curl: %.3f\n", o / c }'
awk -v g="$growth_kib" 'BEGIN { printf "upload_peak_rss_growth_mib: %.2f\n", g / 1024 }'
