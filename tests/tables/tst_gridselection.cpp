#include "gridfixture.h"

#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

class GridSelectionTest : public QObject
{
    Q_OBJECT

private slots:
    void emptyTableHasNoCurrentRow();
    void mouseRules_data();
    void mouseRules();
    void clearingForgetsCurrentRowAndSelection();
    void appendingSelectsNothing();
    void doubleClickReportsCurrentRow();
    void tabLeavesTheTable();
    void shiftArrowExtendsFromAnchor();
    void typedTextMovesNothing_data();
    void typedTextMovesNothing();
};

void GridSelectionTest::emptyTableHasNoCurrentRow()
{
    GridFixture fixture;
    QCOMPARE(fixture.grid->currentRow(), -1);
    QCOMPARE(fixture.grid->selectedCount(), 0);
    QCOMPARE(fixture.model->rowCount(), 0);
}

void GridSelectionTest::mouseRules_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("current");

    QTest::newRow("plain click") << u"2"_s << QList<int>{2} << 2;
    QTest::newRow("plain click replaces") << u"2;4"_s << QList<int>{4} << 4;
    QTest::newRow("ctrl adds") << u"2;C4"_s << QList<int>{2, 4} << 4;
    QTest::newRow("ctrl toggles off, stays current") << u"2;C4;C2"_s << QList<int>{4} << 2;
    QTest::newRow("ctrl on lone row empties") << u"2;C2"_s << QList<int>{} << 2;
    QTest::newRow("shift downwards") << u"3;S5"_s << QList<int>{3, 4, 5} << 5;
    QTest::newRow("shift upwards") << u"5;S3"_s << QList<int>{3, 4, 5} << 3;
    QTest::newRow("shift again from same anchor") << u"3;S5;S1"_s << QList<int>{1, 2, 3} << 1;
    QTest::newRow("shift drops rows outside range") << u"1;C7;S9"_s << QList<int>{7, 8, 9} << 9;
    QTest::newRow("ctrl shift keeps rows outside") << u"1;C7;CS9"_s << QList<int>{1, 7, 8, 9} << 9;
    QTest::newRow("ctrl sets the anchor") << u"2;C6;S4"_s << QList<int>{4, 5, 6} << 4;
    QTest::newRow("shift without anchor") << u"S3"_s << QList<int>{3} << 3;
    QTest::newRow("click below rows changes nothing") << u"2;C5;B"_s << QList<int>{2, 5} << 5;
}

void GridSelectionTest::mouseRules()
{
    QFETCH(QString, clicks);
    QFETCH(QList<int>, selected);
    QFETCH(int, current);

    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.numberedRows(10);
    fixture.playClicks(clicks);

    const std::vector<int> rows = fixture.grid->selectedRows();
    QCOMPARE(QList<int>(rows.begin(), rows.end()), selected);
    QCOMPARE(fixture.grid->selectedCount(), selected.size());
    QCOMPARE(fixture.grid->currentRow(), current);
    // Selected rows are drawn in the highlight colours, the others in the view's own.
    const QAbstractItemModel *model = fixture.grid->model();
    const QColor highlight = fixture.grid->palette().color(QPalette::Active, QPalette::Highlight);
    const QImage drawn = fixture.grid->viewport()->grab().toImage();
    for (int row = 0; row < 10; ++row) {
        const QRect cell = fixture.grid->visualRect(model->index(row, 4));
        const QColor background = drawn.pixelColor(cell.left() + 2, cell.center().y());
        QCOMPARE(background == highlight, selected.contains(row));
    }
    // The focus frame sits on the current row.
    QCOMPARE(fixture.grid->currentIndex().row(), current);
}

void GridSelectionTest::clearingForgetsCurrentRowAndSelection()
{
    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.numberedRows(6);
    fixture.playClicks(u"1;S4"_s);
    QCOMPARE(fixture.grid->selectedCount(), 4);

    fixture.model->clearRows();
    QCOMPARE(fixture.grid->currentRow(), -1);
    QCOMPARE(fixture.grid->selectedCount(), 0);
    // A later load starts from nothing: a Shift+click has no anchor left from before.
    fixture.numberedRows(6);
    QCOMPARE(fixture.grid->currentRow(), -1);
    fixture.playClicks(u"S3"_s);
    const std::vector<int> rows = fixture.grid->selectedRows();
    QCOMPARE(QList<int>(rows.begin(), rows.end()), QList<int>{3});
}

void GridSelectionTest::appendingSelectsNothing()
{
    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.numberedRows(3);
    fixture.playClicks(u"1"_s);
    fixture.model->beginUpdate();
    fixture.model->appendRows(4);
    fixture.model->endUpdate();
    QCOMPARE(fixture.model->rowCount(), 7);
    QCOMPARE(fixture.grid->currentRow(), 1);
    const std::vector<int> rows = fixture.grid->selectedRows();
    QCOMPARE(QList<int>(rows.begin(), rows.end()), QList<int>{1});
}

void GridSelectionTest::doubleClickReportsCurrentRow()
{
    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.numberedRows(5);
    QSignalSpy spy(fixture.grid.get(), &MeasurementGrid::tableDoubleClicked);

    // Below the rows with no current row: the notification comes, no row is current.
    fixture.doubleClickAt(fixture.belowRows());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(fixture.grid->currentRow(), -1);

    fixture.doubleClickRow(3);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(fixture.grid->currentRow(), 3);

    // Below the rows again: the current row stays the one of the last click.
    fixture.doubleClickAt(fixture.belowRows());
    QCOMPARE(spy.count(), 3);
    QCOMPARE(fixture.grid->currentRow(), 3);
}

void GridSelectionTest::tabLeavesTheTable()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    MeasurementModel rows(definitionOf(TableKind::Basic), GridFixture::dayMonthYear());
    auto *grid = new MeasurementGrid(rows);
    auto *next = new QLineEdit;
    layout->addWidget(grid);
    layout->addWidget(next);
    grid->tableModel().appendRows(3);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    grid->setFocus(Qt::OtherFocusReason);
    QVERIFY(grid->hasFocus());
    // Focus alone makes no row current.
    QCOMPARE(grid->currentRow(), -1);
    QTest::keyClick(grid, Qt::Key_Tab);
    QVERIFY(next->hasFocus());
}

void GridSelectionTest::shiftArrowExtendsFromAnchor()
{
    GridFixture fixture;
    QVERIFY(fixture.exposed());
    fixture.numberedRows(8);
    fixture.playClicks(u"2"_s);
    QTest::keyClick(fixture.grid.get(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(fixture.grid.get(), Qt::Key_Down, Qt::ShiftModifier);
    std::vector<int> rows = fixture.grid->selectedRows();
    QCOMPARE(QList<int>(rows.begin(), rows.end()), (QList<int>{2, 3, 4}));
    QCOMPARE(fixture.grid->currentRow(), 4);

    QTest::keyClick(fixture.grid.get(), Qt::Key_Up);
    rows = fixture.grid->selectedRows();
    QCOMPARE(QList<int>(rows.begin(), rows.end()), QList<int>{3});
    QCOMPARE(fixture.grid->currentRow(), 3);
}

void GridSelectionTest::typedTextMovesNothing_data()
{
    QTest::addColumn<QList<int>>("clickedRows"); // a click, then Shift+clicks
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");

    // Rows numbered "1" to "8"; column 3 holds "a" to "h". A search would go to the row whose
    // text in the clicked column starts with what was typed.
    QTest::newRow("digit, no current row") << QList<int>{} << 0 << u"5"_s;
    QTest::newRow("digit after a click") << QList<int>{1} << 0 << u"6"_s;
    QTest::newRow("letters after a click") << QList<int>{1} << 3 << u"ce"_s;
    QTest::newRow("letter after a selection") << QList<int>{2, 4} << 3 << u"g"_s;
}

void GridSelectionTest::typedTextMovesNothing()
{
    QFETCH(QList<int>, clickedRows);
    QFETCH(int, column);
    QFETCH(QString, typed);

    GridFixture fixture;
    QVERIFY(fixture.exposed());
    MeasurementGrid &grid = *fixture.grid;
    fixture.numberedRows(8);
    for (int row = 0; row < 8; ++row)
        grid.tableModel().setCellText(3, row, QString(QChar(u'a' + row)));
    grid.setFocus(Qt::OtherFocusReason);
    Qt::KeyboardModifiers modifiers;
    for (int row : clickedRows) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers,
                          grid.visualRect(grid.model()->index(row, column)).center());
        modifiers = Qt::ShiftModifier;
    }
    const int current = grid.currentRow();
    const std::vector<int> selected = grid.selectedRows();
    const QModelIndex frame = grid.currentIndex();

    for (const QChar c : typed)
        QTest::keyClick(&grid, c.toLatin1());
    QCOMPARE(grid.currentRow(), current);
    QVERIFY(grid.selectedRows() == selected);
    // The focus frame is drawn at the view's current index: it stays too.
    QCOMPARE(grid.currentIndex(), frame);
}

QTEST_MAIN(GridSelectionTest)
#include "tst_gridselection.moc"
