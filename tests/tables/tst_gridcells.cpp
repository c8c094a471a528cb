#include "gridfixture.h"

#include "platform/apperror.h"
#include "tables/measurementmodel.h"

#include <QSignalSpy>

#include <array>
#include <vector>

Q_DECLARE_METATYPE(SortKind)

using namespace Qt::StringLiterals;

class GridCellsTest : public QObject
{
    Q_OBJECT

private slots:
    void dateCells_data();
    void dateCells();
    void newRowsAreEmptyWithZeroDates();
    void cellsOutsideTheTable_data();
    void cellsOutsideTheTable();
    void cellsAreNotEditable();
    void batchAnnouncesRowsOnceAtTheOutermostEnd();
    void batchOfCellWritesKeepsSelection();
    void columnsAreSetUpFromTheDefinition_data();
    void columnsAreSetUpFromTheDefinition();
    void positionsOfBothTables_data();
    void positionsOfBothTables();
};

void GridCellsTest::dateCells_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");

    QTest::newRow("date") << u"15.03.2019"_s << u"15.03.2019"_s;
    QTest::newRow("not a date") << u"abc"_s << u"30.12.1899"_s;
    QTest::newRow("empty") << QString() << u"30.12.1899"_s;
    QTest::newRow("midnight drops the time") << u"15.03.2019 0:00:00"_s << u"15.03.2019"_s;
    QTest::newRow("with time") << u"15.03.2019 14:05:09"_s << u"15.03.2019 14:05:09"_s;
    QTest::newRow("one second past midnight") << u"01.01.2000 0:00:01"_s << u"01.01.2000 0:00:01"_s;
    QTest::newRow("invalid day") << u"31.02.2019"_s << u"30.12.1899"_s;
}

void GridCellsTest::dateCells()
{
    QFETCH(QString, written);
    QFETCH(QString, read);
    for (const TableDefinition *definition : {&definitionOf(TableKind::Basic), &definitionOf(TableKind::Individual)}) {
        MeasurementModel rows(*definition, GridFixture::dayMonthYear());
        MeasurementGrid grid(rows);
        grid.tableModel().appendRows(2);
        grid.tableModel().setCellText(1, 1, u"01.01.2001"_s);
        grid.tableModel().setCellText(1, 1, written);
        QCOMPARE(grid.tableModel().cellText(1, 1), read);
        // The time column holds text as written.
        grid.tableModel().setCellText(2, 1, written);
        QCOMPARE(grid.tableModel().cellText(2, 1), written);
        // A whole row written at once reads the same.
        const std::array<QStringView, 3> row{u"7", written, written};
        grid.tableModel().setRowTexts(0, row);
        QCOMPARE(grid.tableModel().cellText(0, 0), u"7"_s);
        QCOMPARE(grid.tableModel().cellText(1, 0), read);
        QCOMPARE(grid.tableModel().cellText(2, 0), written);
    }
}

void GridCellsTest::newRowsAreEmptyWithZeroDates()
{
    MeasurementModel rows(definitionOf(TableKind::Basic), GridFixture::dayMonthYear());
    MeasurementGrid grid(rows);
    grid.tableModel().appendRows(0);
    grid.tableModel().appendRows(-3);
    QCOMPARE(grid.tableModel().rowCount(), 0);
    grid.tableModel().appendRows(2);
    QCOMPARE(grid.tableModel().rowCount(), 2);
    for (int column = 0; column < grid.tableModel().columnCount(); ++column)
        QCOMPARE(grid.tableModel().cellText(column, 1), column == 1 ? u"30.12.1899"_s : QString());
}

void GridCellsTest::cellsOutsideTheTable_data()
{
    QTest::addColumn<bool>("basic");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("message");

    QTest::newRow("column past basic") << true << 38 << 0 << u"Cell (38, 0) out of bounds."_s;
    QTest::newRow("column past individual") << false << 35 << 2 << u"Cell (35, 2) out of bounds."_s;
    QTest::newRow("negative column") << true << -1 << 1 << u"Cell (-1, 1) out of bounds."_s;
    QTest::newRow("row past end") << true << 4 << 3 << u"Cell (4, 3) out of bounds."_s;
    QTest::newRow("negative row") << false << 0 << -1 << u"Cell (0, -1) out of bounds."_s;
    QTest::newRow("date column row past end") << true << 1 << 3 << u"Cell (1, 3) out of bounds."_s;
}

void GridCellsTest::cellsOutsideTheTable()
{
    QFETCH(bool, basic);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, message);

    MeasurementModel rows(definitionOf(basic ? TableKind::Basic : TableKind::Individual),
                          GridFixture::dayMonthYear());
    MeasurementGrid grid(rows);
    grid.tableModel().appendRows(3);
    grid.tableModel().setCellText(0, 0, u"kept"_s);
    enum class Access { Read, WriteCell, WriteRow };
    for (Access access : {Access::Read, Access::WriteCell, Access::WriteRow}) {
        // A row write reaches the column as its last cell; there is no negative one.
        if (access == Access::WriteRow && column < 0)
            continue;
        const std::vector<QStringView> texts(std::size_t(qMax(column + 1, 0)), u"1");
        try {
            switch (access) {
            case Access::Read:
                grid.tableModel().cellText(column, row);
                break;
            case Access::WriteCell:
                grid.tableModel().setCellText(column, row, u"1"_s);
                break;
            case Access::WriteRow:
                grid.tableModel().setRowTexts(row, texts);
                break;
            }
            QFAIL("no error raised");
        } catch (const AppError &error) {
            QCOMPARE(error.userText(), message);
        }
    }
    QCOMPARE(grid.tableModel().rowCount(), 3);
    QCOMPARE(grid.tableModel().cellText(0, 0), u"kept"_s);
    QCOMPARE(grid.tableModel().cellText(1, 0), u"30.12.1899"_s);
}

void GridCellsTest::cellsAreNotEditable()
{
    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.numberedRows(2);
    const QModelIndex index = fixture.grid->model()->index(1, 0);
    QVERIFY(!(fixture.grid->model()->flags(index) & Qt::ItemIsEditable));
    QCOMPARE(fixture.grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    fixture.doubleClickRow(1);
    QTest::keyClick(fixture.grid.get(), Qt::Key_F2);
    QCOMPARE(fixture.grid->indexWidget(index), nullptr);
    QCOMPARE(fixture.model->cellText(0, 1), u"2"_s);
}

void GridCellsTest::batchAnnouncesRowsOnceAtTheOutermostEnd()
{
    GridFixture fixture;
    QAbstractItemModel *model = fixture.grid->model();
    QSignalSpy resets(model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changes(model, &QAbstractItemModel::dataChanged);

    fixture.model->beginUpdate();
    fixture.model->beginUpdate();
    fixture.model->clearRows();
    fixture.numberedRows(4);
    fixture.model->endUpdate();
    // Inner end: the table holds the rows, the view has not been told of them.
    QCOMPARE(fixture.model->rowCount(), 4);
    QCOMPARE(model->rowCount(), 0);
    QCOMPARE(resets.count() + inserts.count() + changes.count(), 0);

    fixture.model->endUpdate();
    QCOMPARE(model->rowCount(), 4);
    QCOMPARE(resets.count(), 1);
    QCOMPARE(inserts.count(), 0);
    QCOMPARE(model->data(model->index(3, 0), Qt::DisplayRole).toString(), u"4"_s);

    // An unmatched end changes nothing.
    fixture.model->endUpdate();
    QCOMPARE(resets.count(), 1);

    // Outside a batch rows and cells are announced at once.
    fixture.model->appendRows(2);
    QCOMPARE(inserts.count(), 1);
    QCOMPARE(model->rowCount(), 6);
    fixture.model->setCellText(0, 5, u"6"_s);
    QCOMPARE(changes.count(), 1);
}

void GridCellsTest::batchOfCellWritesKeepsSelection()
{
    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.numberedRows(4);
    fixture.playClicks(u"1;S2"_s);
    fixture.model->beginUpdate();
    fixture.model->setCellText(5, 2, u"x"_s);
    fixture.model->endUpdate();
    QCOMPARE(fixture.grid->selectedCount(), 2);
    QCOMPARE(fixture.grid->currentRow(), 2);
    QCOMPARE(fixture.model->cellText(5, 2), u"x"_s);
}

void GridCellsTest::columnsAreSetUpFromTheDefinition_data()
{
    QTest::addColumn<bool>("basic");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("widthPx");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("highlight");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<SortKind>("sort");

    const int centre = int(Qt::AlignHCenter | Qt::AlignVCenter);
    const int left = int(Qt::AlignLeft | Qt::AlignVCenter);
    QTest::newRow("basic number") << true << 0 << u"№"_s << 30 << true << true << centre << SortKind::Numeric;
    QTest::newRow("basic date") << true << 1 << u"Дата"_s << 80 << true << true << centre << SortKind::Date;
    QTest::newRow("basic works") << true << 3 << u"Зав-сть"_s << 50 << true << false << centre << SortKind::Alphabetic;
    QTest::newRow("basic Kc") << true << 7 << u"Кс"_s << 40 << true << true << centre << SortKind::Numeric;
    QTest::newRow("basic P") << true << 10 << u"P"_s << 80 << true << false << centre << SortKind::Alphabetic;
    QTest::newRow("basic velocity") << true << 11 << u"V, м/с"_s << 60 << true << true << centre << SortKind::Numeric;
    QTest::newRow("basic strength") << true << 17 << u"R, МПа"_s << 80 << true << true << centre << SortKind::Numeric;
    QTest::newRow("basic W correction") << true << 19 << u"Коррекция по W"_s << 85 << true << false << centre << SortKind::Alphabetic;
    QTest::newRow("basic modulus") << true << 21 << u"E, Гпа"_s << 80 << true << true << centre << SortKind::Numeric;
    QTest::newRow("basic note") << true << 22 << u"Примечание"_s << 80 << false << false << centre << SortKind::Alphabetic;
    QTest::newRow("basic reading 1") << true << 23 << QString() << 80 << false << true << centre << SortKind::Numeric;
    QTest::newRow("basic reading 15") << true << 37 << QString() << 80 << false << false << left << SortKind::Alphabetic;
    QTest::newRow("individual velocity") << false << 8 << u"V, м/с"_s << 60 << true << true << centre << SortKind::Numeric;
    QTest::newRow("individual strength") << false << 14 << u"R, МПа"_s << 80 << true << true << centre << SortKind::Numeric;
    QTest::newRow("individual modulus") << false << 18 << u"E, Гпа"_s << 80 << true << true << centre << SortKind::Numeric;
    QTest::newRow("individual note") << false << 19 << u"Примечание"_s << 80 << false << false << centre << SortKind::Alphabetic;
    QTest::newRow("individual reading 14") << false << 33 << QString() << 80 << false << true << centre << SortKind::Numeric;
    QTest::newRow("individual reading 15") << false << 34 << QString() << 80 << false << false << left << SortKind::Alphabetic;
}

void GridCellsTest::columnsAreSetUpFromTheDefinition()
{
    QFETCH(bool, basic);
    QFETCH(int, column);
    QFETCH(QString, header);
    QFETCH(int, widthPx);
    QFETCH(bool, shown);
    QFETCH(bool, highlight);
    QFETCH(int, alignment);
    QFETCH(SortKind, sort);

    MeasurementModel rows(definitionOf(basic ? TableKind::Basic : TableKind::Individual),
                          GridFixture::dayMonthYear());
    MeasurementGrid grid(rows);
    grid.tableModel().appendRows(1);
    QAbstractItemModel *model = grid.model();
    QCOMPARE(model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), header);
    QCOMPARE(grid.columnWidthPx(column), widthPx);
    QCOMPARE(grid.isColumnHidden(column), !shown);
    if (shown)
        QCOMPARE(grid.horizontalHeader()->sectionSize(column), widthPx);
    const QVariant background = model->headerData(column, Qt::Horizontal, Qt::BackgroundRole);
    QCOMPARE(background.isValid(), highlight);
    if (highlight) {
        QCOMPARE(background.value<QBrush>().color(), grid.palette().color(QPalette::Active, QPalette::Highlight));
        QCOMPARE(model->headerData(column, Qt::Horizontal, Qt::ForegroundRole).value<QBrush>().color(),
                 grid.palette().color(QPalette::Active, QPalette::HighlightedText));
    }
    QCOMPARE(model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::Alignment(Qt::AlignCenter));
    QCOMPARE(int(model->data(model->index(0, column), Qt::TextAlignmentRole).value<Qt::Alignment>()),
             alignment);
    QVERIFY(grid.definition().columns[column].sort == sort);
    QCOMPARE(grid.objectName(), basic ? u"NextGrid62"_s : u"NextGrid61"_s);
}

void GridCellsTest::positionsOfBothTables_data()
{
    QTest::addColumn<bool>("basic");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("fixedFields");
    QTest::addColumn<int>("strength");
    QTest::addColumn<int>("note");
    QTest::addColumn<int>("firstReading");
    QTest::addColumn<int>("lastShown");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("status");

    QTest::newRow("basic") << true << 38 << 21 << 17 << 22 << 23 << 21 << u"Основной"_s
                           << u"Чтение основного архива! В архиве "_s;
    QTest::newRow("individual") << false << 35 << 18 << 14 << 19 << 20 << 18
                                << u"Индивидуальный"_s
                                << u"Чтение индивидуального архива! В архиве "_s;
}

void GridCellsTest::positionsOfBothTables()
{
    QFETCH(bool, basic);
    QFETCH(int, columns);
    QFETCH(int, fixedFields);
    QFETCH(int, strength);
    QFETCH(int, note);
    QFETCH(int, firstReading);
    QFETCH(int, lastShown);
    QFETCH(QString, tab);
    QFETCH(QString, status);

    const TableKind kind = basic ? TableKind::Basic : TableKind::Individual;
    const TableDefinition &definition = definitionOf(kind);
    QCOMPARE(definition.kind, kind);
    QCOMPARE(definition.name, basic ? u"NextGrid62"_s : u"NextGrid61"_s);
    QCOMPARE(definition.tabCaption, tab);
    QCOMPARE(definition.loadStatusPrefix, status);
    QCOMPARE(definition.columns[definition.rowNumberColumn].header, u"№"_s);
    QCOMPARE(definition.columns[definition.timeColumn].header, u"Время"_s);
    QCOMPARE(definition.columnCount(), columns);
    QCOMPARE(definition.fixedFieldCount, fixedFields);
    QCOMPARE(definition.strengthColumn, strength);
    QCOMPARE(definition.columns[strength].header, u"R, МПа"_s);
    QCOMPARE(definition.noteColumn, note);
    QCOMPARE(definition.firstReadingColumn, firstReading);
    QCOMPARE(columns - firstReading, TableDefinition::readingColumnCount);
    QCOMPARE(TableDefinition::readingColumnCount, 15);
    QCOMPARE(definition.columns[definition.dateColumn].kind, CellKind::Date);
    QCOMPARE(definition.columns[2].kind, CellKind::Time);
    QCOMPARE(definition.deletesOnDeleteKey, basic);
    for (int column = 0; column < columns; ++column)
        QCOMPARE(definition.columns[column].shown, column <= lastShown);
    QCOMPARE(definition.columns[lastShown].header, u"E, Гпа"_s);
}

QTEST_MAIN(GridCellsTest)
#include "tst_gridcells.moc"
