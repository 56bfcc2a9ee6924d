#!/usr/bin/env bash
# The upload client against curl -F: VX_UPLOAD_PHOTOS photos (40 by default) of VX_UPLOAD_MIB MiB (5)
# posted as one multipart body to the stand-in host, which replies with the byte count it received and
# then (after the client has its reply) prints a SHA-256 of every file part's bytes.
# Method as in common.sh: both clients whole processes, interleaved pairs, the photos read once
# beforehand. Also prints our client's peak memory growth during the post. Checks on every post: the
# host received exactly the Content-Length the client announced, and every part's hash equals its
# file's, in the order sent (a client sending the right length of wrong bytes fails the bench).
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
sha256sum "${files[@]}" | cut -d' ' -f1 > "$work/expected_digests"

# The host stops when its stdin closes, so it cannot outlive this script.
mkfifo "$work/host_stdin"
python3 "$VX_ROOT/tests/upload/standin_host.py" < "$work/host_stdin" > "$work/host_out" &
host_pid=$!
exec 3> "$work/host_stdin"
trap 'exec 3>&-; wait "$host_pid" 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do grep -q '^port ' "$work/host_out" 2>/dev/null && break; sleep 0.1; done
port=$(sed -n 's/^port //p' "$work/host_out")
url="http://127.0.0.1:$port/upload.php?mode=count"
client=$(tool upload_post)

curl_args=()
for f in "${files[@]}"; do curl_args+=(-F "userfile[]=@$f;type=multipart/form-data"); done
curl_args+=(-F "imgcontent=notsafe")
ours_post() { "$client" "$url" "${files[@]}"; }
# curl -v writes the request's header lines to stderr behind "> ".
curl_post() { curl -s -v -H 'Expect:' "${curl_args[@]}" "$url" 2> "$work/curl.err"; }

# check_post NAME REPLY ANNOUNCED: the count, then the host's digests of the post it served last.
posts=0
check_post() {
  local received id
  posts=$((posts + 1))
  received=$(sed -n 's/^.*received: \([0-9]*\).*$/\1/p' "$2" | head -n 1)
  [ -n "$received" ] || fail "$1: no count in the host's reply"
  [ -n "$3" ] || fail "$1: no Content-Length announced"
  [ "$received" -eq "$3" ] || fail "$1 announced $3 bytes, the host received $received"
  for _ in $(seq 1 600); do [ "$(grep -c '^digested ' "$work/host_out")" -ge "$posts" ] && break; sleep 0.1; done
  id=$(sed -n 's/^digested \([0-9]*\) .*$/\1/p' "$work/host_out" | sed -n "${posts}p")
  [ -n "$id" ] || fail "$1: the host printed no digests"
  sed -n "s/^digest $id [0-9]* //p" "$work/host_out" > "$work/digests"
  same "$work/expected_digests" "$work/digests" "$1: the files' and the received parts' SHA-256"
}
check_side() {
  if [ "$1" = ours ]; then
    check_post "our client" "$work/ours.txt" "$(sed -n 's/^announced: //p' "$work/ours.txt")"
    g=$(sed -n 's/^rss_growth_kib: //p' "$work/ours.txt")
    [ "$g" -gt "$growth_kib" ] && growth_kib=$g
  else
    check_post curl "$work/curl.txt" "$(sed -n 's/^> Content-Length: \([0-9]*\).*$/\1/p' "$work/curl.err")"
  fi
  return 0
}
growth_kib=0
cat "${files[@]}" > /dev/null
pairs upload_process_ratio_vs_curl "$work/ours.txt" "$work/curl.txt" ours_post curl_post check_side

echo "upload_photo_mib: $((count * mib))"
echo "upload_process_seconds: $(seconds "$pair_ours_ns")"
echo "curl_process_seconds: $(seconds "$pair_peer_ns")"
awk -v g="$growth_kib" 'BEGIN { printf "upload_peak_rss_growth_mib: %.2f\n", g / 1024 }'
