#!/usr/bin/env bash
# Makes the Debian package from this build's install rules, unpacks it into a temporary root, checks
# its files and the packages it depends on, and starts the unpacked program long enough to see it live.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail
export LC_ALL=C.UTF-8 # the desktop entry is matched for Cyrillic letters
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack --config CPackConfig.cmake -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/out/vorlinex_*.deb)
dpkg-deb -x "$deb" "$work/root"
root=$work/root

for f in usr/bin/vorlinex usr/share/applications/vorlinex.desktop usr/share/icons/hicolor/scalable/apps/vorlinex.svg; do
  [ -f "$root/$f" ] || fail "the package lacks /$f"
done
[ -x "$root/usr/bin/vorlinex" ] || fail "/usr/bin/vorlinex is not executable"
if readelf -d "$root/usr/bin/vorlinex" | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
  fail "the packaged program still looks for libraries in the build folder"
fi

entry=$root/usr/share/applications/vorlinex.desktop
for line in '^Type=Application$' '^Exec=vorlinex$' '^Icon=vorlinex$' '^Name\[ru\]=.*\p{Cyrillic}' '^Comment\[ru\]=.*\p{Cyrillic}'; do
  grep -Pq "$line" "$entry" || fail "desktop entry: no line matching $line"
done

# Menus show an entry once per main category it names; the validator prints nothing for a clean entry.
hints=$(desktop-file-validate "$entry" 2>&1) || true
[ -z "$hints" ] || fail "desktop-file-validate: $hints"

depends=$(dpkg-deb -I "$deb" control | sed -n 's/^ *Depends: //p')
for p in libqt6core6 libqt6gui6 libqt6widgets6 libjpeg62-turbo zlib1g libssl3 libc6; do
  echo "$depends" | grep -Eq "(^|, )$p( |,|$)" || fail "Depends lacks $p: '$depends'"
done

# Alive after three seconds means it started and went into its event loop.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/vorlinex" >"$work/run.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$work/run.log" >&2; fail "the packaged program ended with status $status within 3 s"; }
echo "package ok: $(basename "$deb")"
