// Loading a 100k-record basic archive in Windows-1251 (about 16 MB, written by
// tools/gen_examples.py at build time), from file name to filled measurement set, beside the
// floor of the same run: reading and decoding the file into lines only. No window of any
// kind: the load is the core's.
#include "archive/archiveloader.h"
#include "archive/archivetext.h"
#include "archive/loadprogress.h"
#include "platform/codepages.h"
#include "platform/regionalsettings.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString archiveFile = QString::fromUtf8(LIRAS_BENCH_ARCHIVE);

// Linux keeps the process's peak resident size in VmHWM; writing 5 to clear_refs resets it.
// Memory freed by earlier runs is handed back first, so the peak is this load's.
void resetPeakMemory()
{
    malloc_trim(0);
    QFile file(u"/proc/self/clear_refs"_s);
    if (file.open(QIODevice::WriteOnly))
        file.write("5");
}

double memoryMiB(const char *field)
{
    QFile file(u"/proc/self/status"_s);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

struct BenchPlatform
{
    std::unique_ptr<AnsiCodePage> ansi = makeCodePage(1251);
    RegionalSettings regional; // day.month.year, decimal comma
    NullLoadProgress progress;

    LoadResult load() { return LoadArchive(archiveFile, *ansi, regional, progress); }
};

// One byte per character in Windows-1251, two in UTF-16.
double utf16TextMiB()
{
    return double(QFile(archiveFile).size()) * 2 / (1024.0 * 1024.0);
}

void BM_ReadLines(benchmark::State &state)
{
    BenchPlatform platform;
    qsizetype lines = 0;
    for (auto _ : state) {
        const std::optional<ArchiveLines> archive = readArchiveFile(archiveFile, *platform.ansi);
        lines = archive ? archive->size() : 0;
        benchmark::DoNotOptimize(lines);
    }
    if (lines != 100002)
        state.SkipWithError("the benchmark archive was not read whole");
    state.counters["lines"] = double(lines);
}

// The load into a new set, and with state.range(0) == 1 the window's whole step: the new set
// replaces a shown one holding the same 100k records, which is kept until the load is done.
void BM_LoadArchive(benchmark::State &state)
{
    BenchPlatform platform;
    const bool overShown = state.range(0) == 1;
    const double textMiB = utf16TextMiB();
    double rowsLoaded = 0;
    double peakMiB = 0;
    double baseMiB = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::optional<MeasurementSet> shown;
        if (overShown)
            shown = std::move(platform.load().set);
        resetPeakMemory();
        baseMiB = memoryMiB("VmRSS:");
        state.ResumeTiming();

        LoadResult result = platform.load();
        if (shown)
            shown->replaceWith(*result.set);

        state.PauseTiming();
        peakMiB = memoryMiB("VmHWM:");
        rowsLoaded = (shown ? *shown : *result.set).rows().rowCount();
        result = LoadResult();
        shown.reset();
        state.ResumeTiming();
    }
    if (rowsLoaded != 100000)
        state.SkipWithError("the benchmark archive did not load whole");
    state.counters["rows"] = rowsLoaded;
    state.counters["text_MiB"] = textMiB;
    state.counters["rss_before_MiB"] = baseMiB;
    state.counters["peak_MiB"] = peakMiB;
    state.counters["peak_per_text"] = peakMiB / textMiB;
}

} // namespace

BENCHMARK(BM_ReadLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadArchive)->ArgName("overShown")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
