#include "chart/readingschart.h"

#include <QBarSeries>
#include <QChart>
#include <QLineSeries>
#include <QtTest>

using namespace Qt::StringLiterals;

// The chart widget under real pointer and wheel events, and the geometry of its two
// series on the one vertical scale.
class ReadingsChartTest : public QObject
{
    Q_OBJECT

private slots:
    void barsAndLineShareOneScale_data();
    void barsAndLineShareOneScale();
    void lineSpansPlotOnItsOwnAxis_data();
    void lineSpansPlotOnItsOwnAxis();
    void marksStayInsideView_data();
    void marksStayInsideView();
    void pointerOverLineHighlightsIt();
    void wheelDoesNotPan();

private:
    static void fill(ReadingsChart &chart, const QList<qreal> &readings, qreal level);
    static void showAndLayOut(ReadingsChart &chart);
    static QPoint viewPoint(ReadingsChart &chart, const QPointF &value, QAbstractSeries *series);
};

void ReadingsChartTest::fill(ReadingsChart &chart, const QList<qreal> &readings, qreal level)
{
    for (qreal reading : readings) {
        chart.addBar(reading);
        chart.addLevelPoint(level);
    }
}

void ReadingsChartTest::showAndLayOut(ReadingsChart &chart)
{
    chart.resize(824, 505);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    // The chart lays itself out from posted events.
    QCoreApplication::processEvents();
}

QPoint ReadingsChartTest::viewPoint(ReadingsChart &chart, const QPointF &value,
                                    QAbstractSeries *series)
{
    return chart.mapFromScene(chart.chart()->mapToPosition(value, series));
}

void ReadingsChartTest::barsAndLineShareOneScale_data()
{
    QTest::addColumn<QList<qreal>>("readings");
    QTest::addColumn<qreal>("level");

    QTest::newRow("line between bars") << QList<qreal>{12.5, -3, 0} << 10.2;
    QTest::newRow("line above every bar") << QList<qreal>{1, 2} << 50.0;
    QTest::newRow("bar far above line") << QList<qreal>{100, 4} << 5.0;
    QTest::newRow("all zero") << QList<qreal>{0, 0} << 0.0;
    QTest::newRow("top of the number range") << QList<qreal>{1e300, -5} << 1.7e308;
}

void ReadingsChartTest::barsAndLineShareOneScale()
{
    QFETCH(QList<qreal>, readings);
    QFETCH(qreal, level);

    // Qt warns of every range it cannot take.
    QTest::failOnWarning(QRegularExpression(u"range"_s));
    ReadingsChart chart{RegionalSettings{}};
    fill(chart, readings, level);
    showAndLayOut(chart);
    QChart *c = chart.chart();
    const QRectF plot = c->plotArea();

    // The same value lies at the same height for bars and line.
    for (qreal value : {0.0, level, 3.0}) {
        QCOMPARE(c->mapToPosition({0, value}, chart.Series1()).y(),
                 c->mapToPosition({0, value}, chart.Series2()).y());
    }
    // Bars stand on the bottom of the plot, and the highest bar and the line fit in it.
    QCOMPARE(c->mapToPosition({0, 0}, chart.Series1()).y(), plot.bottom());
    const qreal highest = std::max(level, std::abs(*std::max_element(
        readings.cbegin(), readings.cend(), [](qreal a, qreal b) { return std::abs(a) < std::abs(b); })));
    QVERIFY(c->mapToPosition({0, highest}, chart.Series1()).y() >= plot.top());
}

void ReadingsChartTest::lineSpansPlotOnItsOwnAxis_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("two") << 2;
    QTest::newRow("three") << 3;
    QTest::newRow("fifteen") << 15;
}

void ReadingsChartTest::lineSpansPlotOnItsOwnAxis()
{
    QFETCH(int, count);
    ReadingsChart chart{RegionalSettings{}};
    fill(chart, QList<qreal>(count, 4.0), 2.0);
    showAndLayOut(chart);
    QChart *c = chart.chart();
    const QRectF plot = c->plotArea();

    QCOMPARE(c->mapToPosition({0, 2}, chart.Series2()).x(), plot.left());
    QCOMPARE(c->mapToPosition({qreal(count - 1), 2}, chart.Series2()).x(), plot.right());
    // The bars keep their own axis: the first bar's centre sits inside the plot, off the edge.
    QVERIFY(c->mapToPosition({0, 2}, chart.Series1()).x() > plot.left());
}

void ReadingsChartTest::marksStayInsideView_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<qreal>("level");
    QTest::newRow("short level, marks at 0") << 3 << 3.0;
    QTest::newRow("long level, marks on both edges") << 11 << 1234567.125;
    QTest::newRow("negative long level") << 11 << -98765.4321;
}

void ReadingsChartTest::marksStayInsideView()
{
    QFETCH(int, count);
    QFETCH(qreal, level);
    ReadingsChart chart{RegionalSettings{}};
    fill(chart, QList<qreal>(count, 1.0), level);
    showAndLayOut(chart);

    const int halfMarkPx = QFontMetrics(chart.Series2()->pointLabelsFont())
                               .horizontalAdvance(chart.lineMarkText()) / 2;
    for (int index : chart.lineMarkIndexes()) {
        const int x = viewPoint(chart, {qreal(index), level}, chart.Series2()).x();
        QVERIFY2(x - halfMarkPx >= 0, qPrintable(QString::number(x - halfMarkPx)));
        QVERIFY2(x + halfMarkPx <= chart.width(), qPrintable(QString::number(x + halfMarkPx)));
    }
}

void ReadingsChartTest::pointerOverLineHighlightsIt()
{
    ReadingsChart chart{RegionalSettings{}};
    fill(chart, {12.5, 3, 1}, 10);
    showAndLayOut(chart);
    QCOMPARE(chart.lineColor(), QColor(255, 0, 0));

    QTest::mouseMove(chart.viewport(), viewPoint(chart, {1, 10}, chart.Series2()));
    QVERIFY(chart.isLineHighlighted());
    QVERIFY(chart.lineColor() != QColor(255, 0, 0));
    QCOMPARE(chart.linePenWidthPx(), 5);

    QTest::mouseMove(chart.viewport(), viewPoint(chart, {1, 1}, chart.Series1()));
    QVERIFY(!chart.isLineHighlighted());
    QCOMPARE(chart.lineColor(), QColor(255, 0, 0));

    // The next chart starts plain even when the pointer never left the old line.
    QTest::mouseMove(chart.viewport(), viewPoint(chart, {1, 10}, chart.Series2()));
    QVERIFY(chart.isLineHighlighted());
    chart.clear();
    fill(chart, {2, 4}, 3);
    QVERIFY(!chart.isLineHighlighted());
    QCOMPARE(chart.lineColor(), QColor(255, 0, 0));
}

void ReadingsChartTest::wheelDoesNotPan()
{
    ReadingsChart chart{RegionalSettings{}};
    fill(chart, {12.5, 3, 1}, 10);
    showAndLayOut(chart);
    const QPoint linePoint = viewPoint(chart, {1, 10}, chart.Series2());
    const QPoint barTop = viewPoint(chart, {1, 3}, chart.Series1());

    for (int delta : {120, -120, 480}) {
        QWheelEvent wheel(linePoint, chart.viewport()->mapToGlobal(linePoint), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QCoreApplication::sendEvent(chart.viewport(), &wheel);
        QCoreApplication::processEvents();
    }

    QCOMPARE(viewPoint(chart, {1, 10}, chart.Series2()), linePoint);
    QCOMPARE(viewPoint(chart, {1, 3}, chart.Series1()), barTop);
}

QTEST_MAIN(ReadingsChartTest)
#include "tst_readingschart.moc"
