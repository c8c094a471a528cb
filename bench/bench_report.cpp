// Report building and page painting at 1k, 10k and 100k rows of the basic table.
// Goals: 100k rows build within 1.0 s; prepared pages hold at most 200 bytes per box beyond
// its text; one page paints within 20 ms.

#include "preview/reportpainter.h"
#include "report/reportbuilder.h"
#include "report/reportlayout.h"
#include "report/reportpreparation.h"
#include "report/reportrows.h"
#include "report/userdataset.h"
#include "report/valueresolver.h"
#include "tables/cellsource.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The basic table's 38 columns with texts like a real archive's, stored per row.
class BenchTable final : public CellSource
{
public:
    explicit BenchTable(int rows)
    {
        const QStringList sample{u""_s, u"15.03.2019"_s, u"10:25:00"_s, u"2"_s, u"Сквозное"_s, u"Балка"_s,
                                 u"Тяжелый бетон"_s, u"1,05"_s, u"0"_s, u"1"_s, u"0"_s, u"4120"_s, u"48,5"_s,
                                 u"200"_s, u"10,2"_s, u"58,7"_s, u"200"_s, u"32,4"_s, u""_s, u"Нет"_s,
                                 u"2,5"_s, u"38,1"_s, u""_s};
        m_cells.reserve(size_t(rows) * kColumns);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < kColumns; ++c) {
                if (c == 0)
                    m_cells.push_back(QString::number(r + 1));
                else if (c < sample.size())
                    m_cells.push_back(sample[c]);
                else
                    m_cells.push_back(c < 26 ? QString::number(4100 + c) : QString());
            }
        }
        m_rows = rows;
    }
    int columnCount() const override { return kColumns; }
    int rowCount() const override { return m_rows; }
    QString cellText(int column, int row) const override { return m_cells[size_t(row) * kColumns + column]; }

private:
    static constexpr int kColumns = 38;
    int m_rows = 0;
    std::vector<QString> m_cells;
};

struct Build
{
    ReportLayout layout;
    UserDataSet dataSet;
    ReportRows rows;
    PreparedReport report;

    // As the preview command does it: capture at the start, then build in slices of 500.
    void run(const CellSource &table)
    {
        prepareReport(layout, dataSet, u"09.12.2026"_s, false, table.rowCount());
        rows = ReportRows::capture(table, TableKind::Basic, false);
        const ValueResolver resolver(rows, dataSet);
        ReportBuilder builder(layout, dataSet, resolver, report);
        builder.start();
        while (!builder.step(500)) {
        }
    }
};

void BM_BuildReport(benchmark::State &state)
{
    const BenchTable table(int(state.range(0)));
    size_t pages = 0;
    size_t boxes = 0;
    size_t bytes = 0;
    for (auto _ : state) {
        Build build;
        build.run(table);
        boxes = 0;
        bytes = sizeof(PreparedReport) + build.report.pages.capacity() * sizeof(PreparedPage);
        for (const PreparedPage &page : build.report.pages) {
            boxes += page.boxes.size();
            bytes += page.boxes.capacity() * sizeof(PreparedBox);
        }
        pages = build.report.pages.size();
        benchmark::DoNotOptimize(build.report.pages.data());
    }
    state.counters["pages"] = double(pages);
    state.counters["boxes"] = double(boxes);
    state.counters["bytesPerBox"] = double(bytes) / double(boxes);
}
BENCHMARK(BM_BuildReport)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A full later page (38 lines) at the preview's 100 % into an A4 image.
void BM_PaintPage(benchmark::State &state)
{
    const BenchTable table(int(state.range(0)));
    Build build;
    build.run(table);
    const PreparedPage &page = build.report.pages.size() > 1 ? build.report.pages[1] : build.report.pages[0];
    QImage image(1123, 794, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(37.8, 37.8);
        paintPage(painter, page);
    }
    state.counters["boxes"] = double(page.boxes.size());
}
BENCHMARK(BM_PaintPage)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
