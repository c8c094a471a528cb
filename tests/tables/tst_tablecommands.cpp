#include "gridfixture.h"

#include "tables/chartselection.h"
#include "tables/tablecommands.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

int shownWidthSum(const MeasurementGrid &grid)
{
    int sum = 0;
    for (int column = 0; column < grid.tableModel().columnCount(); ++column) {
        if (!grid.isColumnHidden(column))
            sum += grid.horizontalHeader()->sectionSize(column);
    }
    return sum;
}

// What a load does to the columns: fill mode for all shown columns but the last.
void putIntoFillMode(MeasurementGrid &grid)
{
    const int last = grid.definition().fixedFieldCount;
    for (int column = 0; column < last; ++column)
        grid.setFillMode(column, true);
}

} // namespace

class TableCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void alignWidth_data();
    void alignWidth();
    void alignFixedColumnsOfTheIndividualTable();
    void alignFillColumnsStillFillTheTable();
    void fillColumnsFollowTableAndUserResizes();
    void deleteSelectedRows_data();
    void deleteSelectedRows();
    void deleteKey_data();
    void deleteKey();
    void pickChartRow_data();
    void pickChartRow();
    void pickWithoutCurrentRowKeepsSource();
    void doubleClickPicksTheClickedRowAfterSorting();
};

void TableCommandsTest::alignWidth_data()
{
    QTest::addColumn<int>("outerWidthPx");
    QTest::addColumn<int>("widthPx");

    QTest::newRow("1040") << 1040 << 50;
    QTest::newRow("1936 maximised") << 1936 << 94;
    QTest::newRow("truncates down") << 1059 << 50;
    QTest::newRow("exactly 40") << 40 << 0;
    QTest::newRow("truncates toward zero") << 30 << 0;
    QTest::newRow("negative") << 0 << -2;
}

void TableCommandsTest::alignWidth()
{
    QFETCH(int, outerWidthPx);
    QFETCH(int, widthPx);
    QCOMPARE(::alignWidth(outerWidthPx), widthPx);
}

void TableCommandsTest::alignFixedColumnsOfTheIndividualTable()
{
    GridFixture individual(definitionOf(TableKind::Individual));
    GridFixture basic;
    for (int widthPx : {50, 3}) {
        alignColumns(*individual.grid, widthPx);
        for (int column = 0; column <= 20; ++column)
            QCOMPARE(individual.grid->columnWidthPx(column), std::max(widthPx, 8));
        // Hidden columns 19 and 20 take the width and stay hidden.
        QVERIFY(individual.grid->isColumnHidden(19));
        QVERIFY(individual.grid->isColumnHidden(20));
        QCOMPARE(individual.grid->columnWidthPx(21), 80);
        QCOMPARE(individual.grid->horizontalHeader()->sectionSize(18), std::max(widthPx, 8));
    }
    QCOMPARE(basic.grid->columnWidthPx(0), 30);
    QCOMPARE(basic.grid->columnWidthPx(3), 50);
}

void TableCommandsTest::alignFillColumnsStillFillTheTable()
{
    GridFixture fixture;
    QVERIFY(fixture.exposed());
    putIntoFillMode(*fixture.grid);
    alignColumns(*fixture.grid, ::alignWidth(1040));

    const int client = fixture.grid->viewport()->width();
    QCOMPARE(shownWidthSum(*fixture.grid), client);
    QCOMPARE(fixture.grid->columnWidthPx(21), 80);
    // Each fill column asked for 50 px, more than the free width allows for 21 of them: the
    // ones set first give way to the ones set later, and none collapses or exceeds 50.
    for (int column = 0; column <= 20; ++column) {
        const int widthPx = fixture.grid->columnWidthPx(column);
        QVERIFY2(widthPx >= 30 && widthPx <= 51, qPrintable(QString::number(widthPx)));
    }
}

void TableCommandsTest::fillColumnsFollowTableAndUserResizes()
{
    GridFixture fixture;
    fixture.grid->resize(1900, 500);
    QVERIFY(fixture.exposed());
    fixture.numberedRows(3);
    putIntoFillMode(*fixture.grid);
    for (int column = 0; column <= 20; ++column)
        QVERIFY(fixture.grid->isFillMode(column));
    QVERIFY(!fixture.grid->isFillMode(21));
    QCOMPARE(shownWidthSum(*fixture.grid), fixture.grid->viewport()->width());

    const int before3 = fixture.grid->columnWidthPx(3);
    const int before4 = fixture.grid->columnWidthPx(4);
    fixture.grid->resize(2400, 500);
    QTRY_COMPARE(shownWidthSum(*fixture.grid), fixture.grid->viewport()->width());
    QVERIFY(fixture.grid->columnWidthPx(3) > before3);
    // Shares hold: the ratio of two columns stays (within rounding).
    QVERIFY(std::abs(double(fixture.grid->columnWidthPx(3)) / fixture.grid->columnWidthPx(4)
                     - double(before3) / before4) < 0.05);
    QCOMPARE(fixture.grid->columnWidthPx(21), 80);

    // The user drags the right edge of column 5: it keeps the width, its right neighbours pay.
    QHeaderView *header = fixture.grid->horizontalHeader();
    const int requested = fixture.grid->columnWidthPx(5) + 40;
    const int before0 = fixture.grid->columnWidthPx(0);
    header->resizeSection(5, requested);
    QCOMPARE(fixture.grid->columnWidthPx(5), requested);
    QCOMPARE(header->sectionSize(5), requested);
    QCOMPARE(fixture.grid->columnWidthPx(0), before0);
    QCOMPARE(shownWidthSum(*fixture.grid), fixture.grid->viewport()->width());

    // A fixed column dragged below the minimum stops at 8 px.
    header->resizeSection(21, 2);
    QCOMPARE(header->sectionSize(21), 8);
    QCOMPARE(shownWidthSum(*fixture.grid), fixture.grid->viewport()->width());
}

void TableCommandsTest::deleteSelectedRows_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<QString>("current"); // the number of the current row's measurement

    // Rows numbered "1" to "8" at indexes 0 to 7.
    QTest::newRow("top-down block") << u"3;S5"_s
                                    << QStringList{u"1"_s, u"2"_s, u"3"_s, u"7"_s, u"8"_s} << QString();
    QTest::newRow("bottom-up block") << u"5;S3"_s
                                     << QStringList{u"1"_s, u"2"_s, u"3"_s, u"7"_s, u"8"_s} << QString();
    QTest::newRow("bottom-up block to the top") << u"2;S0"_s
                                                << QStringList{u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s}
                                                << QString();
    QTest::newRow("ctrl selection") << u"1;C4;C6"_s
                                    << QStringList{u"1"_s, u"3"_s, u"4"_s, u"6"_s, u"8"_s} << QString();
    QTest::newRow("ctrl selection below current") << u"6;C1;C0"_s
                                                  << QStringList{u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"8"_s}
                                                  << QString();
    QTest::newRow("current row deselected survives")
        << u"1;C4;C4"_s << QStringList{u"1"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s} << u"5"_s;
    QTest::newRow("nothing selected") << u"2;C2"_s
                                      << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s,
                                                     u"7"_s, u"8"_s}
                                      << u"3"_s;
    QTest::newRow("nothing clicked") << QString()
                                     << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s,
                                                    u"7"_s, u"8"_s}
                                     << QString();
}

void TableCommandsTest::deleteSelectedRows()
{
    QFETCH(QString, clicks);
    QFETCH(QStringList, remaining);
    QFETCH(QString, current);

    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.numberedRows(8);
    fixture.playClicks(clicks);
    ::deleteSelectedRows(*fixture.grid);

    QCOMPARE(fixture.column(0), remaining);
    QCOMPARE(fixture.grid->selectedCount(), 0);
    if (current.isEmpty())
        QCOMPARE(fixture.grid->currentRow(), -1);
    else
        QCOMPARE(fixture.model->cellText(0, fixture.grid->currentRow()), current);
}

void TableCommandsTest::deleteKey_data()
{
    QTest::addColumn<bool>("basic");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QStringList>("remaining");

    const QStringList all{u"1"_s, u"2"_s, u"3"_s, u"4"_s};
    QTest::newRow("basic") << true << int(Qt::NoModifier) << QStringList{u"1"_s, u"4"_s};
    QTest::newRow("basic with shift") << true << int(Qt::ShiftModifier) << QStringList{u"1"_s, u"4"_s};
    QTest::newRow("basic with ctrl") << true << int(Qt::ControlModifier) << QStringList{u"1"_s, u"4"_s};
    QTest::newRow("individual") << false << int(Qt::NoModifier) << all;
    QTest::newRow("individual with ctrl") << false << int(Qt::ControlModifier) << all;
}

void TableCommandsTest::deleteKey()
{
    QFETCH(bool, basic);
    QFETCH(int, modifiers);
    QFETCH(QStringList, remaining);

    GridFixture fixture(basic ? definitionOf(TableKind::Basic) : definitionOf(TableKind::Individual));
    QVERIFY(fixture.exposed());
    fixture.numberedRows(4);
    // Wired as the main window wires its tables.
    MeasurementGrid *grid = fixture.grid.get();
    connect(grid, &MeasurementGrid::deleteKeyPressed, grid, [grid] { ::deleteSelectedRows(*grid); });
    fixture.playClicks(u"1;S2"_s);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(fixture.column(0), remaining);
}

void TableCommandsTest::pickChartRow_data()
{
    QTest::addColumn<QStringList>("readings");
    QTest::addColumn<int>("count");

    const QString blank = u"     "_s;
    QStringList allBlank;
    QStringList sevenThenBlank;
    QStringList empty;
    QStringList scattered;
    QStringList nearlyBlank;
    for (int i = 0; i < 15; ++i) {
        allBlank.append(blank);
        sevenThenBlank.append(i < 7 ? QString::number(4000 + i) : blank);
        empty.append(QString());
        scattered.append(i % 5 == 0 ? u"1"_s : blank);
        nearlyBlank.append(i == 0 ? u"    "_s : i == 1 ? u"      "_s : i == 2 ? u"\u00a0    "_s : blank);
    }
    QTest::newRow("all blank") << allBlank << 0;
    QTest::newRow("7 readings then 8 blank") << sevenThenBlank << 7;
    QTest::newRow("15 empty strings") << empty << 15;
    QTest::newRow("readings among blanks") << scattered << 3;
    QTest::newRow("four, six blanks or no-break space count") << nearlyBlank << 3;
}

void TableCommandsTest::pickChartRow()
{
    QFETCH(QStringList, readings);
    QFETCH(int, count);

    for (const TableDefinition *definition : {&definitionOf(TableKind::Basic), &definitionOf(TableKind::Individual)}) {
        GridFixture fixture(*definition);
        QVERIFY(fixture.exposed());
        fixture.numberedRows(3);
        for (int j = 0; j < 15; ++j)
            fixture.model->setCellText(definition->firstReadingColumn + j, 1, readings[j]);
        // The note column just before the readings holds text that must not be counted.
        fixture.model->setCellText(definition->noteColumn, 1, u"note"_s);
        fixture.playClicks(u"1"_s);

        ChartSelection selection{7, std::nullopt, 99};
        const bool show = ::pickChartRow(*fixture.model, definition->kind,
                                         fixture.grid->currentRow(), selection);
        QCOMPARE(selection.ReadingCount, count);
        QCOMPARE(selection.ChartRow, 1);
        QVERIFY(selection.ChartSource == definition->kind);
        QCOMPARE(show, count > 0);
    }
}

void TableCommandsTest::pickWithoutCurrentRowKeepsSource()
{
    GridFixture fixture;
    fixture.numberedRows(2);
    ChartSelection selection{1, TableKind::Individual, 5};
    QVERIFY(!::pickChartRow(*fixture.model, TableKind::Basic, fixture.grid->currentRow(),
                            selection));
    QCOMPARE(selection.ChartRow, -1);
    QVERIFY(selection.ChartSource == TableKind::Individual);
    QCOMPARE(selection.ReadingCount, 0);
}

void TableCommandsTest::doubleClickPicksTheClickedRowAfterSorting()
{
    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.numberedRows(3);
    const QStringList velocities{u"30"_s, u"10"_s, u"20"_s};
    for (int row = 0; row < 3; ++row) {
        fixture.model->setCellText(11, row, velocities[row]);
        for (int j = 0; j < 15; ++j)
            fixture.model->setCellText(23 + j, row, j <= row ? u"1"_s : u"     "_s);
    }
    fixture.clickHeader(11);

    ChartSelection selection;
    int shown = 0;
    MeasurementGrid *grid = fixture.grid.get();
    connect(grid, &MeasurementGrid::tableDoubleClicked, grid, [&] {
        if (::pickChartRow(grid->tableModel(), TableKind::Basic, grid->currentRow(), selection))
            ++shown;
    });
    fixture.doubleClickRow(0); // "2": velocity 10, two readings
    QCOMPARE(selection.ChartRow, 0);
    QCOMPARE(grid->tableModel().cellText(0, selection.ChartRow), u"2"_s);
    QCOMPARE(selection.ReadingCount, 2);
    QCOMPARE(shown, 1);
}

QTEST_MAIN(TableCommandsTest)
#include "tst_tablecommands.moc"
