#include "csv/csvpagegrid.h"

#include <QTest>

#include <vector>

using Edges = std::vector<double>;

class TestCsvPageGrid : public QObject
{
    Q_OBJECT

private slots:
    void mergesNearEdges_data();
    void mergesNearEdges();
    void spansCells_data();
    void spansCells();
    void placesBoxesOnTheGrid();
    void leavesOutBoxesWithoutFiniteGeometry();
};

void TestCsvPageGrid::mergesNearEdges_data()
{
    QTest::addColumn<Edges>("edges");
    QTest::addColumn<Edges>("expected");

    QTest::newRow("empty") << Edges{} << Edges{};
    QTest::newRow("one edge") << Edges{3} << Edges{3};
    QTest::newRow("far apart stay") << Edges{0, 37.7953, 117.16543} << Edges{0, 37.7953, 117.16543};
    QTest::newRow("pair keeps the larger") << Edges{959.78015, 960.00062} << Edges{960.00062};
    QTest::newRow("run collapses to its largest")
        << Edges{997.79592, 1042.92981, 1042.98485, 1043.15028, 1046.92981}
        << Edges{997.79592, 1043.15028, 1046.92981};
    QTest::newRow("chain wider than half a pixel still collapses")
        << Edges{0, 0.4, 0.8, 1.2, 1.6} << Edges{1.6};
    QTest::newRow("exactly half a pixel apart both stay") << Edges{10.25, 10.75} << Edges{10.25, 10.75};
    QTest::newRow("just under half a pixel merges") << Edges{10.25, 10.74} << Edges{10.74};
    QTest::newRow("several runs") << Edges{0, 0.3, 5, 5.25, 5.5, 9} << Edges{0.3, 5.5, 9};
}

void TestCsvPageGrid::mergesNearEdges()
{
    QFETCH(Edges, edges);
    QFETCH(Edges, expected);
    csv::mergeNearEdges(edges);
    QCOMPARE(edges, expected);
}

void TestCsvPageGrid::spansCells_data()
{
    QTest::addColumn<Edges>("edges");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");

    const Edges tens{0, 10, 20, 30};
    QTest::newRow("one cell") << tens << 10.0 << 10.0 << 1 << 1;
    QTest::newRow("two cells") << tens << 0.0 << 20.0 << 0 << 2;
    QTest::newRow("end just past an edge takes the next cell") << tens << 0.0 << 10.2 << 0 << 2;
    QTest::newRow("never past the last edge") << tens << 10.0 << 500.0 << 1 << 2;
    QTest::newRow("no extent") << tens << 20.0 << 0.0 << 2 << 0;
    QTest::newRow("negative extent") << tens << 20.0 << -5.0 << 2 << 0;
    QTest::newRow("start merged into a larger edge")
        << Edges{960.00062, 997.79592} << 959.78015 << 37.7953 << 0 << 1;
    QTest::newRow("end merged into a larger edge")
        << Edges{997.79592, 1043.15028} << 997.57545 << 45.35436 << 0 << 1;
}

void TestCsvPageGrid::spansCells()
{
    QFETCH(Edges, edges);
    QFETCH(double, start);
    QFETCH(double, size);
    QFETCH(int, first);
    QFETCH(int, count);
    const csv::GridSpan span = csv::gridSpan(edges, start, size);
    QCOMPARE(span.first, first);
    QCOMPARE(span.count, count);
}

namespace {

PreparedBox box(double leftPx, double topPx, double widthPx, double heightPx)
{
    PreparedBox b;
    b.leftPx = leftPx;
    b.topPx = topPx;
    b.widthPx = widthPx;
    b.heightPx = heightPx;
    return b;
}

// The box index of every cell, row by row.
std::vector<std::vector<int>> cellsOf(const csv::PageGrid &grid)
{
    std::vector<std::vector<int>> rows;
    for (std::size_t y = 0; y < grid.yEdges().size(); ++y) {
        rows.emplace_back();
        for (std::size_t x = 0; x < grid.xEdges().size(); ++x)
            rows.back().push_back(grid.boxAt(int(x), int(y)));
    }
    return rows;
}

constexpr int no = csv::PageGrid::kNoBox;

} // namespace

void TestCsvPageGrid::placesBoxesOnTheGrid()
{
    PreparedPage page;
    page.boxes = {
        box(0, 0, 20, 10),    // 0
        box(20, 0, 10, 10),   // 1
        box(0, 10.3, 30, 5),  // 2: its top absorbs the bottom edge of the boxes above
        box(20, 0, 10, 10),   // 3: over box 1, written later, so it owns the cell
        box(30, 15.3, 0, 0),  // 4: no extent, no cell, yet its edges count
    };
    const csv::PageGrid grid(page);
    QCOMPARE(grid.xEdges(), (Edges{0, 20, 30}));
    QCOMPARE(grid.yEdges(), (Edges{0, 10.3, 15.3}));
    const std::vector<std::vector<int>> expected{{0, 3, no}, {2, 2, no}, {no, no, no}};
    QCOMPARE(cellsOf(grid), expected);
}

void TestCsvPageGrid::leavesOutBoxesWithoutFiniteGeometry()
{
    PreparedPage page;
    page.boxes = {box(qQNaN(), 0, 10, 10), box(0, 0, 10, qInf()), box(0, 0, 10, 10)};
    const csv::PageGrid grid(page);
    QCOMPARE(grid.xEdges(), (Edges{0, 10}));
    QCOMPARE(grid.yEdges(), (Edges{0, 10}));
    const std::vector<std::vector<int>> expected{{2, no}, {no, no}};
    QCOMPARE(cellsOf(grid), expected);
}

QTEST_APPLESS_MAIN(TestCsvPageGrid)
#include "tst_csvpagegrid.moc"
