#include "gridfixture.h"

#include <QHeaderView>

using namespace Qt::StringLiterals;

namespace {

// Column indexes of the basic table used below.
constexpr int kNumber = 0;
constexpr int kDate = 1;
constexpr int kWorks = 3;       // "Зав-сть", alphabetic
constexpr int kVelocity = 11;   // "V, м/с", numeric
constexpr int kFirstReading = 23;

void fillColumn(MeasurementGrid &grid, int column, const QStringList &texts)
{
    for (int row = 0; row < texts.size(); ++row)
        grid.tableModel().setCellText(column, row, texts[row]);
}

} // namespace

class GridSortingTest : public QObject
{
    Q_OBJECT

private slots:
    void sortKinds_data();
    void sortKinds();
    void equalKeysKeepTheirOrder();
    void directionsAreKeptPerColumn_data();
    void directionsAreKeptPerColumn();
    void rowsAndSelectionFollowTheirMeasurements();
    void loadKeepsSortColumnAndDirection();
    void movedColumnIsStillAddressedByItsIndex();
};

void GridSortingTest::sortKinds_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("ascending");

    QTest::newRow("numeric, non-number as 0") << kVelocity << QStringList{u"1000"_s, u"950"_s, u"x"_s}
                                              << QStringList{u"x"_s, u"950"_s, u"1000"_s};
    QTest::newRow("numeric, decimal comma")
        << kVelocity << QStringList{u"10"_s, u"2,5"_s, u"2,25"_s, u"-3"_s}
        << QStringList{u"-3"_s, u"2,25"_s, u"2,5"_s, u"10"_s};
    QTest::newRow("numeric, point is no separator here")
        << kVelocity << QStringList{u"1.5"_s, u"-1"_s, u"0,5"_s}
        << QStringList{u"-1"_s, u"1.5"_s, u"0,5"_s};
    QTest::newRow("alphabetic, 10 before 9") << kWorks << QStringList{u"9"_s, u"10"_s}
                                             << QStringList{u"10"_s, u"9"_s};
    QTest::newRow("alphabetic, ordinal case-sensitive")
        << kWorks << QStringList{u"б"_s, u"a"_s, u"Б"_s, u"B"_s, u"z"_s}
        << QStringList{u"B"_s, u"a"_s, u"z"_s, u"Б"_s, u"б"_s};
    QTest::newRow("date with time and zero date")
        << kDate << QStringList{u"15.03.2019"_s, u"01.02.2019 10:00:00"_s, u"abc"_s, u"01.02.2019"_s}
        << QStringList{u"30.12.1899"_s, u"01.02.2019"_s, u"01.02.2019 10:00:00"_s, u"15.03.2019"_s};
    QTest::newRow("date across years")
        << kDate << QStringList{u"02.01.2020"_s, u"31.12.2019"_s, u"01.01.2019"_s}
        << QStringList{u"01.01.2019"_s, u"31.12.2019"_s, u"02.01.2020"_s};
}

void GridSortingTest::sortKinds()
{
    QFETCH(int, column);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, ascending);

    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.model->appendRows(int(texts.size()));
    fillColumn(*fixture.grid, column, texts);

    fixture.clickHeader(column);
    QCOMPARE(fixture.grid->sortColumn(), column);
    QCOMPARE(fixture.column(column), ascending);
    QCOMPARE(fixture.grid->horizontalHeader()->sortIndicatorSection(), column);
    QCOMPARE(fixture.grid->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);

    fixture.clickHeader(column);
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    QCOMPARE(fixture.column(column), descending);
    QCOMPARE(fixture.grid->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
}

void GridSortingTest::equalKeysKeepTheirOrder()
{
    // Enough rows that an unstable sort would visibly mix equal keys.
    GridFixture fixture;
    const int rows = 300;
    fixture.numberedRows(rows);
    for (int row = 0; row < rows; ++row)
        fixture.model->setCellText(kVelocity, row, QString::number(row % 3));

    for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        fixture.grid->sortByHeader(kVelocity);
        QCOMPARE(fixture.grid->sortDirection(kVelocity), order);
        // Within a key, the rows keep the order they had before this sort.
        const QStringList numbers = fixture.column(kNumber);
        const QStringList keys = fixture.column(kVelocity);
        for (int row = 1; row < rows; ++row) {
            if (keys[row] == keys[row - 1] && order == Qt::AscendingOrder)
                QVERIFY2(numbers[row].toInt() > numbers[row - 1].toInt(), qPrintable(numbers[row]));
        }
        if (order == Qt::DescendingOrder) {
            // The ascending pass left each key's rows in file order; descending keeps that.
            QCOMPARE(keys.first(), u"2"_s);
            QCOMPARE(numbers.first(), u"3"_s);
            QCOMPARE(numbers.at(1), u"6"_s);
            QCOMPARE(numbers.last(), u"298"_s);
        }
    }
}

void GridSortingTest::directionsAreKeptPerColumn_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QStringList>("numbers");

    // Rows "1".."4" with velocities 30, 10, 40, 20.
    QTest::newRow("velocity ascending") << QList<int>{kVelocity}
                                        << QStringList{u"2"_s, u"4"_s, u"1"_s, u"3"_s};
    QTest::newRow("number brings back file order")
        << QList<int>{kVelocity, kNumber} << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s};
    QTest::newRow("second click on number descends")
        << QList<int>{kVelocity, kNumber, kNumber} << QStringList{u"4"_s, u"3"_s, u"2"_s, u"1"_s};
    QTest::newRow("velocity keeps ascending")
        << QList<int>{kVelocity, kNumber, kNumber, kVelocity}
        << QStringList{u"2"_s, u"4"_s, u"1"_s, u"3"_s};
    QTest::newRow("number keeps descending")
        << QList<int>{kVelocity, kNumber, kNumber, kVelocity, kNumber}
        << QStringList{u"4"_s, u"3"_s, u"2"_s, u"1"_s};
    QTest::newRow("velocity flips on its own column")
        << QList<int>{kVelocity, kVelocity} << QStringList{u"3"_s, u"1"_s, u"4"_s, u"2"_s};
}

void GridSortingTest::directionsAreKeptPerColumn()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, numbers);

    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.numberedRows(4);
    fillColumn(*fixture.grid, kVelocity, {u"30"_s, u"10"_s, u"40"_s, u"20"_s});
    for (int column : clicks)
        fixture.clickHeader(column);
    QCOMPARE(fixture.column(kNumber), numbers);
    QCOMPARE(fixture.grid->sortColumn(), clicks.last());
}

void GridSortingTest::rowsAndSelectionFollowTheirMeasurements()
{
    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.numberedRows(5);
    fillColumn(*fixture.grid, kVelocity, {u"50"_s, u"40"_s, u"30"_s, u"20"_s, u"10"_s});
    fillColumn(*fixture.grid, kFirstReading, {u"r1"_s, u"r2"_s, u"r3"_s, u"r4"_s, u"r5"_s});
    fixture.playClicks(u"0;C3"_s); // rows "1" and "4"; "4" current

    fixture.clickHeader(kVelocity);
    QCOMPARE(fixture.column(kNumber), (QStringList{u"5"_s, u"4"_s, u"3"_s, u"2"_s, u"1"_s}));
    // Hidden columns travel with their row.
    QCOMPARE(fixture.column(kFirstReading), (QStringList{u"r5"_s, u"r4"_s, u"r3"_s, u"r2"_s, u"r1"_s}));
    QCOMPARE(fixture.model->cellText(kNumber, fixture.grid->currentRow()), u"4"_s);
    QStringList selectedNumbers;
    for (int row : fixture.grid->selectedRows())
        selectedNumbers.append(fixture.model->cellText(kNumber, row));
    QCOMPARE(selectedNumbers, (QStringList{u"4"_s, u"1"_s}));

    // The anchor moved too: Shift+click from it selects from "4" to the clicked row.
    fixture.playClicks(u"S3"_s);
    selectedNumbers.clear();
    for (int row : fixture.grid->selectedRows())
        selectedNumbers.append(fixture.model->cellText(kNumber, row));
    QCOMPARE(selectedNumbers, (QStringList{u"4"_s, u"3"_s, u"2"_s}));
}

void GridSortingTest::loadKeepsSortColumnAndDirection()
{
    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.numberedRows(3);
    fillColumn(*fixture.grid, kVelocity, {u"3"_s, u"1"_s, u"2"_s});
    fixture.clickHeader(kVelocity);

    // A new load: cleared and appended in file order, not sorted again.
    fixture.model->beginUpdate();
    fixture.model->clearRows();
    fixture.numberedRows(3);
    fillColumn(*fixture.grid, kVelocity, {u"1"_s, u"3"_s, u"2"_s});
    fixture.model->endUpdate();
    QCOMPARE(fixture.column(kVelocity), (QStringList{u"1"_s, u"3"_s, u"2"_s}));
    QCOMPARE(fixture.grid->sortColumn(), kVelocity);
    QCOMPARE(fixture.grid->horizontalHeader()->sortIndicatorSection(), kVelocity);

    fixture.clickHeader(kVelocity);
    QCOMPARE(fixture.column(kVelocity), (QStringList{u"3"_s, u"2"_s, u"1"_s}));
}

void GridSortingTest::movedColumnIsStillAddressedByItsIndex()
{
    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.numberedRows(3);
    fillColumn(*fixture.grid, kVelocity, {u"20"_s, u"30"_s, u"10"_s});
    QHeaderView *header = fixture.grid->horizontalHeader();
    header->moveSection(header->visualIndex(kVelocity), 0);
    QCOMPARE(header->logicalIndex(0), kVelocity);

    QCOMPARE(fixture.model->cellText(kVelocity, 1), u"30"_s);
    fixture.clickHeader(kVelocity);
    QCOMPARE(fixture.grid->sortColumn(), kVelocity);
    QCOMPARE(fixture.column(kNumber), (QStringList{u"3"_s, u"1"_s, u"2"_s}));
    // A click on the first place on screen now is a click on the moved column.
    QCOMPARE(header->logicalIndexAt(2), kVelocity);
}

QTEST_MAIN(GridSortingTest)
#include "tst_gridsorting.moc"
