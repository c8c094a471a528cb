// Writing the PDF of 1k, 10k and 100k report rows: the write alone from prepared pages,
// and the report build followed by the write, as the "PDF" command runs them.
#include "pdf/pdfwriter.h"
#include "platform/progress.h"
#include "tables/cellsource.h"
#include "tests/report/reportfixture.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A basic table whose values change from row to row the way measurements do, so that each
// page's text is its own: numbers, dates and a few Cyrillic words.
class MeasurementsTable final : public CellSource
{
public:
    explicit MeasurementsTable(int rows) : m_rows(rows) {}
    int columnCount() const override { return 38; }
    int rowCount() const override { return m_rows; }
    QString cellText(int column, int row) const override
    {
        static const QString kinds[] = {u"Сквозное"_s, u"Поверхностное"_s};
        static const QString products[] = {u"Балка"_s, u"Плита"_s, u"Колонна"_s};
        switch (column) {
        case 0:
            return QString::number(row + 1);
        case 1:
            return u"%1.%2.2019"_s.arg(1 + row % 28, 2, 10, QChar(u'0')).arg(1 + row % 12, 2, 10, QChar(u'0'));
        case 2:
            return u"%1:%2"_s.arg(8 + row % 10).arg(row % 60, 2, 10, QChar(u'0'));
        case 4:
            return kinds[row % 2];
        case 5:
            return products[row % 3];
        case 6:
            return u"Тяжелый бетон"_s;
        default:
            return u"%1,%2"_s.arg(10 + (row * 7 + column * 13) % 4000).arg((row + column) % 10);
        }
    }

private:
    int m_rows;
};

void writeOnly(benchmark::State &state)
{
    const QTemporaryDir dir;
    const QString fileName = dir.filePath(u"bench.pdf"_s);
    const MeasurementsTable table(int(state.range(0)));
    const BuiltReport build(table, false); // the readings memo hidden, as for the PDF
    NullProgress progress;
    for (auto _ : state) {
        if (!writePdf(fileName, build.report, progress))
            state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["pages"] = double(build.report.pages.size());
    state.counters["fileMB"] = double(QFileInfo(fileName).size()) / 1e6;
}

void buildAndWrite(benchmark::State &state)
{
    const QTemporaryDir dir;
    const QString fileName = dir.filePath(u"bench.pdf"_s);
    const MeasurementsTable table(int(state.range(0)));
    NullProgress progress;
    for (auto _ : state) {
        const auto build = std::make_unique<BuiltReport>(table, false);
        if (!writePdf(fileName, build->report, progress))
            state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(writeOnly)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(buildAndWrite)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
