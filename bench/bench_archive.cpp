// Loading a 100k-record basic archive in Windows-1251 (about 16 MB, written by
// tools/gen_examples.py at build time), from file name to filled grid, beside the floor of
// the same run: reading and decoding the file into lines only.
#include "archive/archiveloader.h"
#include "archive/archivetext.h"
#include "platform/ui/fakeplatform.h"
#include "tests/archive/gridhost.h"

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

// One byte per character in Windows-1251, two in UTF-16.
double utf16TextMiB()
{
    return double(QFile(archiveFile).size()) * 2 / (1024.0 * 1024.0);
}

void BM_ReadLines(benchmark::State &state)
{
    FakePlatform fakes;
    qsizetype lines = 0;
    for (auto _ : state) {
        const std::optional<ArchiveLines> archive = readArchiveFile(archiveFile, *fakes.ansi);
        lines = archive ? archive->size() : 0;
        benchmark::DoNotOptimize(lines);
    }
    if (lines != 100002)
        state.SkipWithError("the benchmark archive was not read whole");
    state.counters["lines"] = double(lines);
}

void BM_LoadArchive(benchmark::State &state)
{
    FakePlatform fakes;
    const double textMiB = utf16TextMiB();
    double rowsLoaded = 0;
    double peakMiB = 0;
    double baseMiB = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto host = std::make_unique<GridHost>(fakes.regional);
        resetPeakMemory();
        baseMiB = memoryMiB("VmRSS:");
        state.ResumeTiming();

        LoadArchive(archiveFile, *host, fakes.platform());

        state.PauseTiming();
        peakMiB = memoryMiB("VmHWM:");
        rowsLoaded = host->grid(ArchiveKind::Basic).rowCount();
        host.reset();
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
BENCHMARK(BM_LoadArchive)->Unit(benchmark::kMillisecond)->MinTime(2.0);
