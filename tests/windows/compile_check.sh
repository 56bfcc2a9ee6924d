#!/bin/sh
# Compiles every product source for Windows, syntax only, with the MinGW-w64 cross-compiler against this
# machine's Qt headers (Qt's win32-g++ mkspec in place of linux-g++), the Win32 side of the OS layer in
# place of the POSIX one; any error or warning fails. Needs only Debian's packages, so it runs where the
# Windows SDK is missing. Usage: compile_check.sh SOURCE_DIR BUILD_DIR (a build with compile_commands.json).
set -eu
root=$1 build=$2
cxx=x86_64-w64-mingw32-g++-posix
qt_headers=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
qt_specs=$(qmake6 -query QT_HOST_DATA 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6)/mkspecs
multiarch=/usr/include/$(gcc -print-multiarch)

# libjpeg's and OpenSSL's headers are not built for MinGW here; they are plain declarations, reached
# through a folder of links so that nothing else of /usr/include (glibc's headers) shadows MinGW's.
links=$build/windows-compile-check/include
rm -rf "$links" && mkdir -p "$links/openssl"
for h in jpeglib.h jmorecfg.h jerror.h; do ln -s "/usr/include/$h" "$links/$h"; done
ln -s "$multiarch/jconfig.h" "$links/jconfig.h"
for h in /usr/include/openssl/*.h "$multiarch"/openssl/*.h; do ln -sf "$h" "$links/openssl/"; done

sources=$(python3 - "$root" "$build/compile_commands.json" <<'PY'
import glob, json, os, sys
root, db = os.path.realpath(sys.argv[1]), sys.argv[2]
skip = ("build/", "tests/", "bench/", "fuzz/", "tools/screenshots/", "platform/os/posix/")
files = {os.path.relpath(os.path.realpath(e["file"]), root) for e in json.load(open(db))}
files = {f for f in files if not f.startswith("..") and "_autogen" not in f and not f.startswith(skip)}
files |= {os.path.relpath(f, root) for f in glob.glob(os.path.join(root, "platform/os/win32/*.cpp"))}
print("\n".join(sorted(files)))
PY
)
count=$(printf '%s\n' "$sources" | wc -l)
echo "compiling $count sources for Windows (syntax only)"
# Qt 6 asks for C++17 at least; the defines are those of a Qt Widgets program built with MinGW.
printf '%s\n' "$sources" | (cd "$root" && xargs -P "$(nproc)" -I{} sh -c '
    "$0" -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror -fdiagnostics-color=never \
        -DUNICODE -D_UNICODE -DWIN32 -DMINGW_HAS_SECURE_API=1 -DQT_CORE_LIB -DQT_GUI_LIB -DQT_WIDGETS_LIB \
        -DQT_NO_DEBUG "-DVX_SOURCE_DIR=\"$1\"" -I"$1" -isystem "$2" -isystem "$2/QtCore" -isystem "$2/QtGui" \
        -isystem "$2/QtWidgets" -isystem "$3/win32-g++" -isystem "$4" {} || { echo "FAILED: {}"; exit 255; }' \
        "$cxx" "$root" "$qt_headers" "$qt_specs" "$links")
echo "0 errors, 0 warnings in $count sources"
