#!/usr/bin/env bash
# Compiles the Windows implementations of the platform layer for syntax with the MinGW-w64
# cross compiler (Debian: g++-mingw-w64-x86-64-posix) against the installed Qt headers, so that
# the Win32 code is checked on a machine that cannot build the Windows program.
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
compiler=x86_64-w64-mingw32-g++-posix
command -v "$compiler" >/dev/null 2>&1 || { echo "$compiler is not installed" >&2; exit 1; }
qt=/usr/include/x86_64-linux-gnu/qt6
status=0
for source in "$root"/platform/*_win.cpp; do
    "$compiler" -std=c++20 -fsyntax-only -Wall -Wextra -DUNICODE -D_UNICODE \
        -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII -I"$root" -isystem "$qt" -isystem "$qt/QtCore" -isystem "$qt/QtGui" \
        -isystem "$qt/QtWidgets" -isystem /usr/lib/x86_64-linux-gnu/qt6/mkspecs/win32-g++ "$source" || status=1
done
[ "$status" -eq 0 ] && echo "Windows sources compile"
exit "$status"
