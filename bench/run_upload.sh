#!/usr/bin/env bash
# The upload client against curl -F: VX_UPLOAD_PHOTOS photos (40 by default) of VX_UPLOAD_MIB MiB (5)
# posted as one multipart body to the stand-in host, which only counts the bytes it receives.
# Method as in common.sh: both clients whole processes (start-up included), alternating, best of the same
# VX_BENCH_RUNS runs, the photos read once beforehand. Also prints our client's peak memory growth
# during the post. Checks on every run: the host received exactly the Content-Length each client
# announced (the part headers differ legitimately, so each side is held to its own), and no fewer bytes
# than the photos hold.
set -euo pipefail
bench_name=upload
source "$(dirname "$0")/common.sh"
work="${VX_BENCH_WORK:?}/upload"
count="${VX_UPLOAD_PHOTOS:-40}"
mib="${VX_UPLOAD_MIB:-5}"
mkdir -p "$work/photos"
files=()
for i in $(seq -w 1 "$count"); do
  head -c $((mib << 20)) /dev/urandom > "$work/photos/photo$i.jpg"
  files+=("$work/photos/photo$i.jpg")
done
cat "${files[@]}" > /dev/null
photo_bytes=$((count * (mib << 20)))

# The host stops when its stdin closes, so it cannot outlive this script.
mkfifo "$work/host_stdin"
python3 "$VX_ROOT/tests/upload/standin_host.py" < "$work/host_stdin" > "$work/host_port" &
host_pid=$!
exec 3> "$work/host_stdin"
trap 'exec 3>&-; wait "$host_pid" 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do grep -q '^port ' "$work/host_port" 2>/dev/null && break; sleep 0.1; done
port=$(sed -n 's/^port //p' "$work/host_port")
url="http://127.0.0.1:$port/upload.php?mode=count"
client=$(tool upload_post)

curl_args=()
for f in "${files[@]}"; do curl_args+=(-F "userfile[]=@$f;type=multipart/form-data"); done
curl_args+=(-F "imgcontent=notsafe")
# curl -v writes the request's header lines to stderr behind "> ".
curl_post() { curl -s -v -H 'Expect:' "${curl_args[@]}" "$url" 2> "$work/curl.err"; }

# check_post NAME REPLY ANNOUNCED
check_post() {
  local received
  received=$(sed -n 's/^.*received: \([0-9]*\).*$/\1/p' "$2" | head -n 1)
  [ -n "$received" ] || fail "$1: no count in the host's reply"
  [ -n "$3" ] || fail "$1: no Content-Length announced"
  [ "$received" -eq "$3" ] || fail "$1 announced $3 bytes, the host received $received"
  [ "$received" -ge "$photo_bytes" ] || fail "$1 sent $received bytes for $photo_bytes bytes of photos"
}

best_ours=""; best_curl=""; growth_kib=0
for ((round = 0; round < runs; round++)); do
  s=$(date +%s%N)
  "$client" "$url" "${files[@]}" > "$work/ours.txt" || fail "our client failed"
  e=$(date +%s%N)
  check_post "our client" "$work/ours.txt" "$(sed -n 's/^announced: //p' "$work/ours.txt")"
  g=$(sed -n 's/^rss_growth_kib: //p' "$work/ours.txt")
  [ "$g" -gt "$growth_kib" ] && growth_kib=$g
  t=$((e - s)); if [ -z "$best_ours" ] || [ "$t" -lt "$best_ours" ]; then best_ours=$t; fi

  s=$(date +%s%N)
  curl_post > "$work/curl.txt" || fail "curl failed"
  e=$(date +%s%N)
  check_post curl "$work/curl.txt" "$(sed -n 's/^> Content-Length: \([0-9]*\).*$/\1/p' "$work/curl.err")"
  t=$((e - s)); if [ -z "$best_curl" ] || [ "$t" -lt "$best_curl" ]; then best_curl=$t; fi
done

echo "upload_photo_mib: $((count * mib))"
echo "upload_process_seconds: $(seconds "$best_ours")"
echo "curl_process_seconds: $(seconds "$best_curl")"
echo "upload_process_ratio_vs_curl: $(ratio "$best_ours" "$best_curl")"
awk -v g="$growth_kib" 'BEGIN { printf "upload_peak_rss_growth_mib: %.2f\n", g / 1024 }'
