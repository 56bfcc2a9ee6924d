# Helpers that every bench/run_*.sh sources: one way to time, one way to compare, one way to fail.
#
# Method shared by all benches unless a script's header says otherwise: every side runs as a whole
# process (start-up included: it is what a user waits for, and the figure's name says "process"),
# timed by wall clock from this shell, best of the same VX_BENCH_RUNS runs on both sides, after the
# inputs were read once so that the page cache is warm for every side alike.

runs="${VX_BENCH_RUNS:-3}"
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

# best_of OUTFILE COMMAND...: runs COMMAND $runs times with stdout to OUTFILE (the last run's output
# stays), fails when a run fails, prints the fastest wall time in nanoseconds.
best_of() {
  local out="$1"; shift
  local best="" start end t i
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" > "$out" || fail "$1 failed"
    end=$(date +%s%N)
    t=$((end - start))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  echo "$best"
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
