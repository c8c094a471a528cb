#!/usr/bin/env bash
# The whole process of a PDF report from an archive, as a script runs it: `liras-d7 --pdf` of a
# basic archive made by the examples' generator, side by side with LibreOffice turning the same
# records into a PDF (`soffice --headless --convert-to pdf`) when it is installed. Each is run
# once to warm the caches (and LibreOffice's profile), then RUNS times; the median wall time of
# each is printed, and the ratio. Goals: ours within 0.5 s, at least 20 times LibreOffice's speed.
# Usage: bench/whole_process.sh [BUILD_FOLDER] [RECORDS] [RUNS]
set -eu
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$source_dir/build}"
records="${2:-10000}"
runs="${3:-7}"
program="$build/app/liras-d7"
# The generator writes Windows-1251, which both programs read as the ANSI code page of a
# Russian system.
export LANG=ru_RU.UTF-8
unset LC_ALL
[ -x "$program" ] || { echo "no program at $program: build first" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
archive="$work/archive_basic.csv"
python3 "$source_dir/tools/gen_examples.py" --bench "$archive" --records "$records"

# Median wall time in seconds of RUNS runs of the command, after one run not counted.
median_seconds() {
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; return 1; }
    local times=() start end
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        times+=("$(( end - start ))")
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.3f\n", t[int((NR + 1) / 2)] / 1e9 }'
}

ours() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --pdf "$work/ours.pdf" "$archive"
}
theirs() {
    soffice --headless --norestore "-env:UserInstallation=file://$work/profile" \
        --infilter=CSV:59,34,ANSI --convert-to pdf --outdir "$work/theirs" "$archive"
}

echo "$records records, median of $runs runs, on $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
ours_s="$(median_seconds ours)"
echo "liras-d7 --pdf:                 $ours_s s ($(stat -c %s "$work/ours.pdf") bytes)"
if ! command -v soffice >/dev/null; then
    echo "soffice --convert-to pdf:       skipped, LibreOffice is not installed"
    exit 0
fi
theirs_s="$(median_seconds theirs)"
echo "soffice --convert-to pdf:       $theirs_s s ($(stat -c %s "$work/theirs/archive_basic.pdf") bytes)"
awk -v a="$ours_s" -v b="$theirs_s" 'BEGIN { printf "liras-d7 is %.1f times as fast\n", b / a }'
