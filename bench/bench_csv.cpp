// CSV export of 1k, 10k and 100k rows of the basic table: the writer alone on built pages,
// and build + write as the CSV command does both. Goals: 10k rows within 0.2 s, 100k rows
// within 2 s.

#include "csv/csvwriter.h"
#include "platform/codepages.h"
#include "platform/progress.h"
#include "report/reportbuilder.h"
#include "report/reportlayout.h"
#include "report/reportpreparation.h"
#include "report/reportrows.h"
#include "report/userdataset.h"
#include "report/valueresolver.h"
#include "tables/cellsource.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A basic table whose rows all hold one typical measurement, numbered in column 0, with
// three readings.
class TypicalTable final : public CellSource
{
public:
    explicit TypicalTable(int rows) : m_rows(rows) {}
    int columnCount() const override { return 38; }
    int rowCount() const override { return m_rows; }
    QString cellText(int column, int row) const override
    {
        static const QString cells[] = {
            QString(), u"15.03.2019"_s, u"10:25"_s, u"2"_s, u"Сквозное"_s, u"Балка"_s, u"Тяжелый бетон"_s,
            u"1,05"_s, u"0"_s, u"1"_s, u"0"_s, u"4120"_s, u"48,5"_s, u"200"_s, u"10,2"_s, u"58,7"_s,
            u"200"_s, u"32,4"_s, QString(), u"Нет"_s, u"2,5"_s, u"38,1"_s, QString(), u"4120"_s,
            u"4135"_s, u"4128"_s};
        if (column == 0)
            return QString::number(row + 1);
        return column < int(std::size(cells)) ? cells[column] : QString();
    }

private:
    int m_rows;
};

// One CSV export's report: prepared as the CSV command prepares it, then built.
struct CsvBuild
{
    ReportLayout layout;
    UserDataSet dataSet;
    ReportRows rows;
    PreparedReport report;

    explicit CsvBuild(int rowCount)
    {
        const TypicalTable table(rowCount);
        prepareReport(layout, dataSet, u"09.12.2026"_s, true, table.rowCount());
        rows = ReportRows::capture(table, TableKind::Basic, true);
        const ValueResolver resolver(rows, dataSet);
        ReportBuilder builder(layout, dataSet, resolver, report);
        builder.start();
        while (!builder.step(1000)) {
        }
    }
};

long peakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Also reports how far writing raised the peak memory above what building had reached: the
// writer holds one page's grid and bytes at a time, whatever the page count.
void writeOnly(benchmark::State &state)
{
    const std::unique_ptr<AnsiCodePage> ansi = makeCodePage(1251);
    const QTemporaryDir dir;
    const QString fileName = dir.filePath(u"bench.csv"_s);
    const CsvBuild build(int(state.range(0)));
    NullProgress progress;
    const long peakBeforeKiB = peakResidentKiB();
    for (auto _ : state) {
        if (!writeCsv(fileName, build.report, *ansi, progress))
            state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["peakGrowthKiB"] = double(peakResidentKiB() - peakBeforeKiB);
}

void buildAndWrite(benchmark::State &state)
{
    const std::unique_ptr<AnsiCodePage> ansi = makeCodePage(1251);
    const QTemporaryDir dir;
    const QString fileName = dir.filePath(u"bench.csv"_s);
    NullProgress progress;
    for (auto _ : state) {
        const CsvBuild build(int(state.range(0)));
        if (!writeCsv(fileName, build.report, *ansi, progress))
            state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(writeOnly)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(buildAndWrite)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
