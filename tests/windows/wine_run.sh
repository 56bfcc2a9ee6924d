#!/bin/sh
# Runs one test program of the Windows build under Wine: run.sh plain|qttest PROGRAM.exe [ARGS...].
# Qt Test writes nothing to a pipe under Wine, so a Qt Test program writes its log to a file that is
# printed afterwards. Rows that cannot hold under Wine are left out by name, as tests/windows/wine_skips.txt
# lists them with the reason; a program left out as a whole ends with 77, which CTest counts as skipped.
# Otherwise the exit code is the program's.
set -u
kind=$1 program=$2
shift 2
name=$(basename "$program" .exe)
here=$(cd "$(dirname "$0")" && pwd)
wine=${VX_WINE64:-wine64}
log=$(mktemp "${TMPDIR:-/tmp}/vx-wine-$name.XXXXXX")
trap 'rm -f "$log" "$log.tags" "$log.functions"' EXIT

if [ "$kind" = plain ]; then
    "$wine" "$program" "$@" >"$log" 2>&1
    status=$?
    cat "$log"
    exit $status
fi

# A whole program left out ("program *"): CTest reports it skipped (exit code 77).
whole=$(grep -v '^#' "$here/wine_skips.txt" | grep -F "$name *	" | cut -f2)
if [ -n "$whole" ]; then
    echo "SKIP under Wine: $name: $whole"
    exit 77
fi

# The rows to leave out: "program function:row<TAB>reason" lines.
skips=$(grep -v '^#' "$here/wine_skips.txt" | awk -F'\t' -v p="$name" '$1 ~ "^"p" " { sub("^"p" ", "", $1); print $1 }')
selection=""
if [ -n "$skips" ]; then
    # Every function:row of the program, less the skipped ones; a function without rows is its own name.
    # Qt Test lists them to a file, not to a pipe.
    "$wine" "$program" -functions >"$log.functions" 2>/dev/null
    "$wine" "$program" -datatags >"$log.tags" 2>/dev/null
    selection=$(
        awk 'NF >= 3 { f = $2; $1 = ""; $2 = ""; sub(/^ +/, ""); print f ":" $0 }' "$log.tags" | tr -d '\r'
        tr -d '\r' <"$log.functions" | sed -n 's/()$//p' | while IFS= read -r f; do
            grep -q "^[^ ]* $f " "$log.tags" || echo "$f"
        done)
    selection=$(printf '%s\n' "$selection" | grep -vxF "$skips")
    printf '%s\n' "$skips" | while IFS= read -r row; do
        reason=$(grep -v '^#' "$here/wine_skips.txt" | grep -F "$name $row	" | cut -f2)
        echo "SKIP under Wine: $row: $reason"
    done
fi
if [ -n "$selection" ]; then
    printf '%s\n' "$selection" | tr '\n' '\0' | xargs -0 "$wine" "$program" -o "$log,txt" "$@" >/dev/null 2>&1
else
    "$wine" "$program" -o "$log,txt" "$@" >/dev/null 2>&1
fi
status=$?
cat "$log"
exit $status
