#include "chart/Unit3.h"
#include "chart/readingschart.h"
#include "errorcapture.h"
#include "tables/chartselection.h"
#include "tables/measurementgrid.h"
#include "tables/measurementmodel.h"
#include "tables/tabledefinition.h"

#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

// The chart opened the way the main window opens it: a real double-click on a row of a real
// table picks the row, and the window fills itself from that table when it shows.
class ChartDoubleClickTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void doubleClickChartsClickedRow_data();
    void doubleClickChartsClickedRow();

private:
    struct Measurement
    {
        QString number;
        QString strength;
        QStringList readings; // the rest of the 15 reading cells hold the blank reading
    };
    static void load(MeasurementGrid &grid, const QList<Measurement> &rows);
    void doubleClickRow(MeasurementGrid &grid, int row);

    std::unique_ptr<MeasurementModel> m_basicRows;
    std::unique_ptr<MeasurementModel> m_individualRows;
    std::unique_ptr<MeasurementGrid> m_basic;
    std::unique_ptr<MeasurementGrid> m_individual;
    std::unique_ptr<QWidget> m_mainWindow;
    ChartSelection m_selection;
    std::unique_ptr<TForm3> m_form;
    std::unique_ptr<ErrorCapture> m_errors;
};

void ChartDoubleClickTest::init()
{
    const RegionalSettings regional;
    m_basicRows = std::make_unique<MeasurementModel>(definitionOf(TableKind::Basic), regional);
    m_individualRows =
            std::make_unique<MeasurementModel>(definitionOf(TableKind::Individual), regional);
    m_basic = std::make_unique<MeasurementGrid>(*m_basicRows);
    m_individual = std::make_unique<MeasurementGrid>(*m_individualRows);
    m_mainWindow = std::make_unique<QWidget>();
    m_selection = ChartSelection{};
    m_form = std::make_unique<TForm3>(*m_basicRows, *m_individualRows, m_selection, regional,
                                      m_mainWindow.get());
    m_errors = std::make_unique<ErrorCapture>();

    for (MeasurementGrid *grid : {m_basic.get(), m_individual.get()}) {
        connect(grid, &MeasurementGrid::tableDoubleClicked, grid, [this, grid] {
            if (pickChartRow(grid->tableModel(), grid->definition().kind, grid->currentRow(),
                             m_selection))
                m_form->show();
        });
        grid->resize(900, 400);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid));
    }
}

void ChartDoubleClickTest::cleanup()
{
    m_form.reset();
    m_mainWindow.reset();
    m_basic.reset();
    m_individual.reset();
    m_basicRows.reset();
    m_individualRows.reset();
    m_errors.reset();
}

void ChartDoubleClickTest::load(MeasurementGrid &grid, const QList<Measurement> &rows)
{
    const TableDefinition &definition = grid.definition();
    grid.tableModel().appendRows(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        const Measurement &m = rows.at(row);
        grid.tableModel().setCellText(0, row, m.number);
        grid.tableModel().setCellText(definition.strengthColumn, row, m.strength);
        for (int i = 0; i < 15; ++i) {
            grid.tableModel().setCellText(definition.firstReadingColumn + i, row,
                             i < m.readings.size() ? m.readings.at(i) : u"     "_s);
        }
    }
}

void ChartDoubleClickTest::doubleClickRow(MeasurementGrid &grid, int row)
{
    const QPoint at = grid.visualRect(grid.model()->index(row, 0)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
}

void ChartDoubleClickTest::doubleClickChartsClickedRow_data()
{
    QTest::addColumn<bool>("individual");
    QTest::addColumn<bool>("sortByStrength");
    QTest::addColumn<int>("clickedRow");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QList<qreal>>("heights");
    QTest::addColumn<qreal>("level");

    QTest::newRow("basic table, second row")
        << false << false << 1 << true << u"2"_s << QList<qreal>{5.5, 3} << 10.0;
    QTest::newRow("basic table sorted by R: first row is measurement 2")
        << false << true << 0 << true << u"2"_s << QList<qreal>{5.5, 3} << 10.0;
    QTest::newRow("individual table, third row")
        << true << false << 2 << true << u"3"_s << QList<qreal>{7, 8, 9} << 20.0;
    QTest::newRow("row without readings opens nothing")
        << false << false << 2 << false << QString() << QList<qreal>{} << 0.0;
}

void ChartDoubleClickTest::doubleClickChartsClickedRow()
{
    QFETCH(bool, individual);
    QFETCH(bool, sortByStrength);
    QFETCH(int, clickedRow);
    QFETCH(bool, opens);
    QFETCH(QString, number);
    QFETCH(QList<qreal>, heights);
    QFETCH(qreal, level);

    // The same measurements in both tables apart from the third's readings, which the
    // basic table lacks.
    load(*m_basic, {{u"1"_s, u"30"_s, {u"1"_s}},
                    {u"2"_s, u"10"_s, {u"5,5"_s, u"-3"_s}},
                    {u"3"_s, u"20"_s, {}}});
    load(*m_individual, {{u"1"_s, u"30"_s, {u"1"_s}},
                         {u"2"_s, u"10"_s, {u"5,5"_s, u"-3"_s}},
                         {u"3"_s, u"20"_s, {u"7"_s, u"8"_s, u"9"_s}}});
    MeasurementGrid &grid = individual ? *m_individual : *m_basic;
    if (sortByStrength)
        grid.sortByHeader(grid.definition().strengthColumn);

    doubleClickRow(grid, clickedRow);

    QCOMPARE(m_errors->texts, QStringList());
    QCOMPARE(m_form->isVisible(), opens);
    if (!opens) {
        QCOMPARE(m_form->windowTitle(), u"Form3"_s);
        return;
    }
    const ReadingsChart *chart = m_form->Chart1();
    QVERIFY(chart->isVisible());
    QCOMPARE(m_form->windowTitle(), u"Диаграмма единичных значений R, измерение № "_s + number);
    QList<qreal> shownHeights;
    for (int i = 0; i < chart->barCount(); ++i)
        shownHeights.append(chart->barHeight(i));
    QCOMPARE(shownHeights, heights);
    QCOMPARE(chart->linePoints().size(), heights.size());
    QCOMPARE(chart->linePoints().first().y(), level);
}

QTEST_MAIN(ChartDoubleClickTest)
#include "tst_chartdoubleclick.moc"
