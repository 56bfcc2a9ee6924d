# Helpers that every bench/run_*.sh sources: one way to time, one way to compare, one way to fail.
#
# Method shared by all benches unless a script's header says otherwise: every side runs as a whole
# process (start-up included: it is what a user waits for, and the figure's name says "process"),
# timed by wall clock from this shell, after the inputs were read once so that the page cache is warm
# for every side alike. A ratio is the median of VX_BENCH_RUNS (5 by default) interleaved pairs: ours,
# then the peer, then ours again, so that a burst of load from elsewhere on the machine falls on both
# sides of a pair rather than on one side's block of runs. Its range (the smallest and largest pair
# ratio) is printed beside it as NAME_range.

runs="${VX_BENCH_RUNS:-5}"
[ "$runs" -ge 1 ] 2> /dev/null || { echo "VX_BENCH_RUNS must be a positive count" >&2; exit 1; }
# Qt wants a private runtime folder; without one it says so on every start.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="${VX_BENCH_WORK:?}/runtime"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi

fail() { echo "$bench_name bench: $*" >&2; exit 1; }

# The built program NAME under the bench build.
tool() {
  local found
  found=$(find "${VX_BUILD:?}" -maxdepth 3 -type f -name "$1" -perm -u+x | head -n 1)
  [ -n "$found" ] || fail "no program $1 in $VX_BUILD"
  echo "$found"
}

# A Python that has Pillow: the distribution's own when the one on PATH lacks it (pyenv shims do).
pillow_python() {
  local p
  for p in python3 /usr/bin/python3; do
    if command -v "$p" > /dev/null && "$p" -c 'import PIL.Image' 2> /dev/null; then echo "$p"; return; fi
  done
  fail "no Python with Pillow (scripts/setup bench installs python3-pil)"
}

# timed OUTFILE COMMAND...: runs COMMAND once with stdout to OUTFILE, fails when it fails, and sets
# timed_ns to its wall time in nanoseconds.
timed_ns=0
timed() {
  local out="$1"; shift
  local start end
  start=$(date +%s%N)
  "$@" > "$out" || fail "$1 failed"
  end=$(date +%s%N)
  timed_ns=$((end - start))
}

# median_of VALUE...: the middle value (the lower of the two middle ones for an even count).
median_of() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# pairs NAME OURS_OUT PEER_OUT OURS PEER [CHECK]: runs the commands (or shell functions, no arguments)
# OURS and PEER alternately, $runs times each, stdout to OURS_OUT and PEER_OUT (the last run's stays);
# after each run calls CHECK ours or CHECK peer untimed when given (it fails the bench on a wrong
# result; checking ours before the peer starts keeps leftover work of ours out of the peer's time). Prints
# "NAME: median" and "NAME_range: min max" of the pairs' ratios (ours / peer), and leaves the median
# wall times in nanoseconds in pair_ours_ns and pair_peer_ns.
pair_ours_ns=0
pair_peer_ns=0
pairs() {
  local name="$1" ours_out="$2" peer_out="$3" ours="$4" peer="$5" check="${6:-}"
  local i ratios=() ours_times=() peer_times=()
  for ((i = 0; i < runs; i++)); do
    timed "$ours_out" "$ours"; ours_times+=("$timed_ns")
    [ -z "$check" ] || "$check" ours
    timed "$peer_out" "$peer"; peer_times+=("$timed_ns")
    [ -z "$check" ] || "$check" peer
    ratios+=("$(ratio "${ours_times[-1]}" "${peer_times[-1]}")")
  done
  pair_ours_ns=$(median_of "${ours_times[@]}")
  pair_peer_ns=$(median_of "${peer_times[@]}")
  echo "$name: $(median_of "${ratios[@]}")"
  echo "${name}_range: $(printf '%s\n' "${ratios[@]}" | sort -g | sed -n '1p;$p' | paste -sd' ')"
}

# median_time OUTFILE COMMAND...: the median wall time in nanoseconds of $runs runs (for figures that
# are no ratio, such as start-up alone).
median_time() {
  local out="$1"; shift
  local i times=()
  for ((i = 0; i < runs; i++)); do timed "$out" "$@"; times+=("$timed_ns"); done
  median_of "${times[@]}"
}

# Drops nothing but reads every file named in the list file LIST, to warm the page cache.
warm_list() { tr '\n' '\0' < "$1" | xargs -0 cat > /dev/null; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", a / b }'; }
seconds() { awk -v a="$1" 'BEGIN { printf "%.3f\n", a / 1e9 }'; }

# same A B WHAT: both files hold the same lines, or the bench stops with their first difference.
same() {
  cmp -s "$1" "$2" && return 0
  echo "$bench_name bench: $3 differ:" >&2
  diff "$1" "$2" | head -n 6 >&2
  exit 1
}
