#!/usr/bin/env bash
# Compiles every source file of every library (and the program's main) as the Windows build
# would, for syntax only, with the MinGW-w64 cross compiler against the installed Qt headers, so
# that the Win32 code and everything it is built with are checked on a machine that cannot
# build the Windows program. Debian: g++-mingw-w64-x86-64-posix libz-mingw-w64-dev.
# The files come from git: tracked C++ sources outside the tests, benchmarks and fuzzers, less
# the Linux implementations.
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
compiler=x86_64-w64-mingw32-g++-posix
command -v "$compiler" >/dev/null 2>&1 || { echo "$compiler is not installed" >&2; exit 1; }
qt=/usr/include/x86_64-linux-gnu/qt6
qt_includes=(-isystem "$qt")
for module in "$qt"/Qt*/; do
    qt_includes+=(-isystem "${module%/}")
done
mapfile -t sources < <(git -C "$root" ls-files -- '*.cpp' ':!:tests/' ':!:bench/' ':!:fuzz/' ':!:*_linux.cpp')
[ ${#sources[@]} -gt 0 ] || { echo "no sources found in $root" >&2; exit 1; }
cd "$root" && printf '%s\0' "${sources[@]}" | xargs -0 -n1 -P"$(nproc)" \
    "$compiler" -std=c++20 -fsyntax-only -Wall -Wextra -DUNICODE -D_UNICODE \
    -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII -DLIRAS_VERSION='"0"' -I"$root" \
    "${qt_includes[@]}" -isystem /usr/lib/x86_64-linux-gnu/qt6/mkspecs/win32-g++ \
    || { echo "Windows sources do not compile" >&2; exit 1; }
echo "Windows sources compile (${#sources[@]} files)"
