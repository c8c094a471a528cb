// Filling and sorting the basic table at 1k, 10k and 100k rows of archive-like text, and the
// memory the filled table holds. Goals: fill 100k rows <= 250 ms, each sort <= 100 ms, memory
// <= 3 bytes per byte of cell text (UTF-16) + 100 bytes per row ("memoryGoalUse" <= 1).

#include "platform/largememory.h"
#include "platform/regionalsettings.h"
#include "tables/measurementgrid.h"
#include "tables/measurementmodel.h"
#include "tables/tabledefinition.h"

#include <QApplication>
#include <QDate>
#include <QTime>
#include <QRandomGenerator>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <map>

using namespace Qt::StringLiterals;

namespace {

RegionalSettings benchSettings()
{
    RegionalSettings settings;
    settings.decimalSeparator = u',';
    settings.shortDateFormat = u"dd.MM.yyyy"_s;
    settings.longTimeFormat = u"H:mm:ss"_s;
    return settings;
}

QString decimal(QRandomGenerator &random, int whole, int fraction)
{
    return QString::number(random.bounded(whole)) + u',' + QString::number(random.bounded(fraction));
}

// One record of the basic archive as a load writes it into columns 0..21 and 23..37.
QStringList makeRow(int number, QRandomGenerator &random)
{
    static const QStringList kinds{u"Поверхностное"_s, u"Сквозное"_s};
    static const QStringList products{u"Плита"_s, u"Балка"_s, u"Колонна"_s, u"Стена"_s, u"Ригель"_s};
    static const QStringList materials{u"Бетон тяжелый"_s, u"Бетон легкий"_s, u"Кирпич"_s};
    // Dates out of order, so that the date sort has real work to do.
    const QDate day = QDate(2019, 1, 1).addDays(random.bounded(1500));
    QStringList row;
    row << QString::number(number + 1) << day.toString(u"dd.MM.yyyy"_s)
        << QTime(8, 0).addSecs(random.bounded(36000)).toString(u"HH:mm"_s)
        << u"Э"_s + QString::number(random.bounded(1, 9)) << kinds[random.bounded(2)]
        << products[random.bounded(5)] << materials[random.bounded(3)] << decimal(random, 2, 100)
        << u"Нет"_s << QString::number(random.bounded(1, 4)) << QString::number(random.bounded(3))
        << QString::number(random.bounded(3000, 5000)) << decimal(random, 100, 10)
        << QString::number(random.bounded(50, 300)) << u"0,0"_s << decimal(random, 100, 10)
        << QString::number(random.bounded(100)) << decimal(random, 60, 10)
        << QString::number(random.bounded(30, 60)) << u"Нет"_s << QString::number(random.bounded(8))
        << decimal(random, 50, 10) << QString();
    for (int reading = 0; reading < 15; ++reading)
        row << (reading < 14 ? decimal(random, 100, 10) : u"     "_s);
    return row;
}

const std::vector<QStringList> &rows(int count)
{
    static std::map<int, std::vector<QStringList>> cache;
    std::vector<QStringList> &made = cache[count];
    if (made.empty()) {
        QRandomGenerator random(7);
        for (int number = 0; number < count; ++number)
            made.push_back(makeRow(number, random));
    }
    return made;
}

// As a load fills a table: one batch, a row appended and written cell by cell at a time.
template<typename Table>
void fill(Table &table, const std::vector<QStringList> &records)
{
    table.beginUpdate();
    table.clearRows();
    int row = 0;
    for (const QStringList &record : records) {
        table.appendRows(1);
        for (int column = 0; column < record.size(); ++column) {
            if (!record[column].isEmpty())
                table.setCellText(column, row, record[column]);
        }
        ++row;
    }
    table.endUpdate();
}

// A shown grid over its model: the fill and the sorts pay for telling the view.
MeasurementGrid &sharedGrid()
{
    static MeasurementModel model(definitionOf(TableKind::Basic), benchSettings());
    static MeasurementGrid grid(model);
    if (!grid.isVisible()) {
        grid.resize(1200, 700);
        grid.show();
        QApplication::processEvents();
    }
    return grid;
}

void BM_Fill(benchmark::State &state)
{
    const std::vector<QStringList> &records = rows(int(state.range(0)));
    MeasurementGrid &grid = sharedGrid();
    for (auto _ : state) {
        fill(grid.tableModel(), records);
        benchmark::DoNotOptimize(grid.tableModel().rowCount());
    }

    grid.tableModel().clearRows();
    QApplication::processEvents();
    // The row store takes its chunks straight from the system, beside the allocator's heap.
    const auto inUse = [] { return mallinfo2().uordblks + LargeMemory::bytesHeld(); };
    const std::size_t before = inUse();
    fill(grid.tableModel(), records);
    QApplication::processEvents();
    const std::size_t held = inUse() - before;
    double textBytes = 0;
    for (const QStringList &record : records) {
        for (const QString &text : record)
            textBytes += double(text.size()) * 2;
    }
    const double goal = 3 * textBytes + 100.0 * double(records.size());
    state.counters["memoryBytes"] = double(held);
    state.counters["memoryPerRow"] = double(held) / double(records.size());
    state.counters["textBytesPerRow"] = textBytes / double(records.size());
    state.counters["memoryGoalUse"] = double(held) / goal;
}

// The model alone, without a view to tell.
void BM_FillModel(benchmark::State &state)
{
    const std::vector<QStringList> &records = rows(int(state.range(0)));
    MeasurementModel model(definitionOf(TableKind::Basic), benchSettings());
    for (auto _ : state) {
        fill(model, records);
        benchmark::DoNotOptimize(model.rowCount());
    }
}

// Sorts by one column, ascending, from file order each time: a click on "№" in between
// brings the file order back, and neither column is the sort column when it is clicked.
void sortBench(benchmark::State &state, int column)
{
    MeasurementGrid &grid = sharedGrid();
    fill(grid.tableModel(), rows(int(state.range(0))));
    grid.sortByHeader(0);
    for (auto _ : state) {
        grid.sortByHeader(column);
        state.PauseTiming();
        grid.sortByHeader(0);
        state.ResumeTiming();
    }
}

void BM_SortNumeric(benchmark::State &state) { sortBench(state, 11); }
void BM_SortDate(benchmark::State &state) { sortBench(state, 1); }
void BM_SortText(benchmark::State &state) { sortBench(state, 5); }

BENCHMARK(BM_Fill)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillModel)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNumeric)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortDate)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
