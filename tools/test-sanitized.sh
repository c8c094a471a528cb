#!/usr/bin/env bash
# Builds everything once more into build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer (leak checking on) and runs the whole test suite there, headless.
# Any report fails the test that caused it; no report of Qt's or fontconfig's own is raised
# today, so nothing is suppressed. Run after ./test, which installs the tools.
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-asan"
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DLIRAS_SANITIZE=ON "${launcher[@]}" || exit 1
fi
cmake --build "$build" || exit 1
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# The package check builds and inspects the Debian package, which holds no code of its own
# beyond the program the other tests already run; it is left to ./test.
cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 -E '^package_check$'
