#include "chart/Unit3.h"
#include "chart/readingschart.h"
#include "errorcapture.h"
#include "faketable.h"
#include "tables/chartselection.h"

#include <QChart>
#include <QLineSeries>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
const QString kCaptionStart = u"Диаграмма единичных значений R, измерение № "_s;

struct Columns
{
    int firstReading;
    int strength;
};

Columns columnsOf(int source)
{
    return source == 1 ? Columns{23, 17} : Columns{20, 14};
}

// The tests' source numbers: 1 the basic table, 2 the individual one, 0 none.
std::optional<TableKind> kindOf(int source)
{
    if (source == 1)
        return TableKind::Basic;
    if (source == 2)
        return TableKind::Individual;
    return std::nullopt;
}

} // namespace

class ChartWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fillsFromChosenRow_data();
    void fillsFromChosenRow();
    void stopsAtFirstBadNumber_data();
    void stopsAtFirstBadNumber();
    void secondShowReplacesFirst();
    void unknownSourceLeavesChartHidden_data();
    void unknownSourceLeavesChartHidden();
    void windowSetUp();
    void centredOverMainWindowOnEveryShow();
    void closesByCloseButtonOnly();

private:
    FakeTable &table(int source) { return source == 1 ? *m_basic : *m_individual; }
    void putRow(int source, int row, const QStringList &readings, const QString &strength,
                const QString &number);
    void showChart(int source, int row, int readingCount);

    std::unique_ptr<QWidget> m_mainWindow;
    // Decoys differ per table, so reading the other table's columns is caught too.
    std::unique_ptr<FakeTable> m_basic;
    std::unique_ptr<FakeTable> m_individual;
    ChartSelection m_selection;
    std::unique_ptr<TForm3> m_form;
    std::unique_ptr<ErrorCapture> m_errors;
};

void ChartWindowTest::init()
{
    m_mainWindow = std::make_unique<QWidget>();
    m_mainWindow->setGeometry(100, 80, 1000, 700);
    m_mainWindow->show();
    m_basic = std::make_unique<FakeTable>(38, 4, u"999"_s);
    m_individual = std::make_unique<FakeTable>(35, 4, u"777"_s);
    m_selection = ChartSelection{};
    m_errors = std::make_unique<ErrorCapture>();
    m_form = std::make_unique<TForm3>(*m_basic, *m_individual, m_selection, RegionalSettings{},
                                      m_mainWindow.get());
}

void ChartWindowTest::cleanup()
{
    m_form.reset();
    m_mainWindow.reset();
    m_errors.reset();
}

void ChartWindowTest::putRow(int source, int row, const QStringList &readings,
                             const QString &strength, const QString &number)
{
    const Columns columns = columnsOf(source);
    for (int i = 0; i < readings.size(); ++i)
        table(source).set(columns.firstReading + i, row, readings.at(i));
    table(source).set(columns.strength, row, strength);
    table(source).set(0, row, number);
}

void ChartWindowTest::showChart(int source, int row, int readingCount)
{
    m_form->hide();
    m_selection = ChartSelection{row, kindOf(source), readingCount};
    m_form->show();
}

void ChartWindowTest::fillsFromChosenRow_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("readings");
    QTest::addColumn<QString>("strength");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QList<qreal>>("heights");
    QTest::addColumn<QList<QColor>>("colours");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<qreal>("level");
    QTest::addColumn<QList<int>>("marks");
    QTest::addColumn<QString>("markText");

    QTest::newRow("decimal comma, negative drawn black")
        << 1 << 0 << QStringList{u"12,5"_s, u"-3"_s, u"0"_s} << u"10,2"_s << u"1"_s
        << QList<qreal>{12.5, 3, 0} << QList<QColor>{kBlue, kBlack, kBlue}
        << QStringList{u"12,5"_s, u"3"_s, u"0"_s} << 10.2 << QList<int>{0} << u"10,2"_s;

    QTest::newRow("individual table columns")
        << 2 << 1 << QStringList{u"4,75"_s, u"-0,5"_s} << u"8"_s << u"36"_s
        << QList<qreal>{4.75, 0.5} << QList<QColor>{kBlue, kBlack}
        << QStringList{u"4,75"_s, u"0,5"_s} << 8.0 << QList<int>{0} << u"8"_s;

    QStringList eleven;
    QList<qreal> elevenHeights;
    for (int i = 1; i <= 11; ++i) {
        eleven.append(QString::number(i));
        elevenHeights.append(i);
    }
    QTest::newRow("eleven readings mark points 0 and 10")
        << 1 << 3 << eleven << u"6"_s << u"105"_s << elevenHeights
        << QList<QColor>(11, kBlue) << eleven << 6.0 << QList<int>{0, 10} << u"6"_s;

    QStringList fifteen;
    QList<qreal> fifteenHeights;
    for (int i = 0; i < 15; ++i) {
        fifteen.append(QString::number(20 + i));
        fifteenHeights.append(20 + i);
    }
    QTest::newRow("fifteen readings still mark only 0 and 10")
        << 2 << 2 << fifteen << u"27,5"_s << u"7"_s << fifteenHeights
        << QList<QColor>(15, kBlue) << fifteen << 27.5 << QList<int>{0, 10} << u"27,5"_s;

    QTest::newRow("equal values keep one label each")
        << 1 << 2 << QStringList{u"3"_s, u"3"_s, u"-3"_s, u"3"_s} << u"3"_s << u"9"_s
        << QList<qreal>{3, 3, 3, 3} << QList<QColor>{kBlue, kBlue, kBlack, kBlue}
        << QStringList{u"3"_s, u"3"_s, u"3"_s, u"3"_s} << 3.0 << QList<int>{0} << u"3"_s;

    QTest::newRow("grouped thousands, three decimals")
        << 1 << 1 << QStringList{u"1234,5678"_s, u"-1000000"_s} << u"1500,25"_s << u"2"_s
        << QList<qreal>{1234.5678, 1000000} << QList<QColor>{kBlue, kBlack}
        << QStringList{u"1\u00a0234,568"_s, u"1\u00a0000\u00a0000"_s} << 1500.25
        << QList<int>{0} << u"1\u00a0500,25"_s;
}

void ChartWindowTest::fillsFromChosenRow()
{
    QFETCH(int, source);
    QFETCH(int, row);
    QFETCH(QStringList, readings);
    QFETCH(QString, strength);
    QFETCH(QString, number);
    QFETCH(QList<qreal>, heights);
    QFETCH(QList<QColor>, colours);
    QFETCH(QStringList, labels);
    QFETCH(qreal, level);
    QFETCH(QList<int>, marks);
    QFETCH(QString, markText);

    putRow(source, row, readings, strength, number);
    showChart(source, row, int(readings.size()));

    const ReadingsChart *chart = m_form->Chart1();
    QCOMPARE(m_errors->texts, QStringList());
    QVERIFY(m_form->isVisible());
    QVERIFY(chart->isVisible());
    QCOMPARE(m_form->windowTitle(), kCaptionStart + number);

    QCOMPARE(chart->barCount(), heights.size());
    QList<qreal> shownHeights;
    QList<QColor> shownColours;
    QStringList shownLabels;
    for (int i = 0; i < chart->barCount(); ++i) {
        shownHeights.append(chart->barHeight(i));
        shownColours.append(chart->barColor(i));
        shownLabels.append(chart->barLabel(i));
    }
    QCOMPARE(shownHeights, heights);
    QCOMPARE(shownColours, colours);
    QCOMPARE(shownLabels, labels);

    QList<QPointF> line;
    for (int i = 0; i < readings.size(); ++i)
        line.append(QPointF(i, level));
    QCOMPARE(chart->linePoints(), line);
    QCOMPARE(chart->lineColor(), QColor(255, 0, 0));
    QCOMPARE(chart->linePenWidthPx(), 5);
    QCOMPARE(chart->lineMarkIndexes(), marks);
    QCOMPARE(chart->lineMarkText(), markText);

    // One scale for bars and line: both fit on it, from the bars' base at 0.
    QCOMPARE(chart->scaleMin(), 0.0);
    QVERIFY(chart->scaleMax() >= level);
    QVERIFY(chart->scaleMax() >= *std::max_element(heights.cbegin(), heights.cend()));
}

void ChartWindowTest::stopsAtFirstBadNumber_data()
{
    QTest::addColumn<bool>("earlierChart");
    QTest::addColumn<QStringList>("readings");
    QTest::addColumn<QString>("strength");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QList<qreal>>("heights");
    QTest::addColumn<int>("linePoints");
    QTest::addColumn<QString>("caption");

    const QString fresh = u"Form3"_s;
    const QString earlier = kCaptionStart + u"500"_s;
    const QString current = kCaptionStart + u"21"_s;

    QTest::newRow("first reading with a decimal point")
        << false << QStringList{u"12.5"_s, u"3"_s} << u"10,2"_s
        << u"'12.5' is not a valid floating point value"_s << QList<qreal>{} << 0 << fresh;
    QTest::newRow("first reading fails after an earlier chart")
        << true << QStringList{u"12.5"_s, u"3"_s} << u"10,2"_s
        << u"'12.5' is not a valid floating point value"_s << QList<qreal>{} << 0 << earlier;
    QTest::newRow("empty third reading")
        << false << QStringList{u"1"_s, u"-2"_s, u""_s, u"4"_s} << u"10"_s
        << u"'' is not a valid floating point value"_s << QList<qreal>{1, 2} << 2 << current;
    QTest::newRow("blank reading in the middle")
        << true << QStringList{u"1"_s, u"     "_s, u"3"_s} << u"10"_s
        << u"'     ' is not a valid floating point value"_s << QList<qreal>{1} << 1 << current;
    QTest::newRow("strength not a number: first bar stays, no line")
        << false << QStringList{u"1"_s, u"2"_s} << u"R?"_s
        << u"'R?' is not a valid floating point value"_s << QList<qreal>{1} << 0 << fresh;
}

void ChartWindowTest::stopsAtFirstBadNumber()
{
    QFETCH(bool, earlierChart);
    QFETCH(QStringList, readings);
    QFETCH(QString, strength);
    QFETCH(QString, error);
    QFETCH(QList<qreal>, heights);
    QFETCH(int, linePoints);
    QFETCH(QString, caption);

    if (earlierChart) {
        putRow(1, 3, {u"8"_s, u"9"_s, u"-10"_s}, u"9"_s, u"500"_s);
        showChart(1, 3, 3);
        QCOMPARE(m_form->Chart1()->barCount(), 3);
    }
    putRow(2, 0, readings, strength, u"21"_s);
    showChart(2, 0, int(readings.size()));

    const ReadingsChart *chart = m_form->Chart1();
    QCOMPARE(m_errors->texts, QStringList{error});
    QVERIFY(m_form->isVisible());
    QList<qreal> shownHeights;
    for (int i = 0; i < chart->barCount(); ++i)
        shownHeights.append(chart->barHeight(i));
    QCOMPARE(shownHeights, heights);
    QCOMPARE(chart->linePoints().size(), linePoints);
    QCOMPARE(m_form->windowTitle(), caption);
    // The chart shows once a point is complete, bar and line.
    QCOMPARE(chart->isVisible(), linePoints > 0);
}

void ChartWindowTest::secondShowReplacesFirst()
{
    putRow(1, 0, {u"1"_s, u"-2"_s, u"3"_s, u"4"_s}, u"2,5"_s, u"11"_s);
    putRow(2, 2, {u"5"_s, u"6"_s}, u"5,5"_s, u"12"_s);

    showChart(1, 0, 4);
    QCOMPARE(m_form->Chart1()->barCount(), 4);
    QCOMPARE(m_form->Chart1()->barColor(1), kBlack);
    showChart(2, 2, 2);

    const ReadingsChart *chart = m_form->Chart1();
    QCOMPARE(m_errors->texts, QStringList());
    QCOMPARE(chart->barCount(), 2);
    QCOMPARE(chart->barHeight(0), 5.0);
    QCOMPARE(chart->barHeight(1), 6.0);
    // The black of the first chart's second bar must not stick to this one's.
    QCOMPARE(chart->barColor(1), kBlue);
    QCOMPARE(chart->barLabel(0), u"5"_s);
    QCOMPARE(chart->barLabel(1), u"6"_s);
    QCOMPARE(chart->linePoints(), (QList<QPointF>{{0, 5.5}, {1, 5.5}}));
    QCOMPARE(chart->lineMarkIndexes(), QList<int>{0});
    QCOMPARE(chart->lineMarkText(), u"5,5"_s);
    QCOMPARE(m_form->windowTitle(), kCaptionStart + u"12"_s);
}

void ChartWindowTest::unknownSourceLeavesChartHidden_data()
{
    QTest::addColumn<int>("source");
    QTest::newRow("none") << 0;
}

void ChartWindowTest::unknownSourceLeavesChartHidden()
{
    QFETCH(int, source);
    putRow(1, 1, {u"4"_s, u"5"_s}, u"4"_s, u"77"_s);
    showChart(1, 1, 2);
    QVERIFY(m_form->Chart1()->isVisible());

    showChart(source, 1, 2);

    QCOMPARE(m_errors->texts, QStringList());
    QVERIFY(m_form->isVisible());
    QVERIFY(!m_form->Chart1()->isVisible());
    QCOMPARE(m_form->Chart1()->barCount(), 0);
    QCOMPARE(m_form->Chart1()->linePoints().size(), 0);
    QCOMPARE(m_form->windowTitle(), kCaptionStart + u"77"_s);
}

void ChartWindowTest::windowSetUp()
{
    QCOMPARE(m_form->windowTitle(), u"Form3"_s);
    QCOMPARE(m_form->size(), QSize(824, 505));
    QVERIFY(m_form->windowFlags().testFlag(Qt::Tool));
    QVERIFY(m_form->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!m_form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!m_form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(m_form->font().family(), u"Tahoma"_s);
    QCOMPARE(m_form->font().pointSize(), 8);
    QCOMPARE(m_form->findChild<QChartView *>(u"Chart1"_s), m_form->Chart1());

    putRow(1, 0, {u"1"_s}, u"1"_s, u"3"_s);
    showChart(1, 0, 1);
    QCOMPARE(m_form->Chart1()->geometry(), m_form->rect());
    const QChart *chart = m_form->Chart1()->chart();
    QVERIFY(!chart->legend()->isVisible());
    QVERIFY(chart->title().isEmpty());
    QCOMPARE(chart->backgroundBrush().color(), QColor(Qt::white));
    QVERIFY(m_form->Chart1()->renderHints().testFlag(QPainter::Antialiasing));
    // The chart's own texts, the value labels and the marks, are in the window's font too.
    QCOMPARE(chart->axes(Qt::Horizontal).first()->labelsFont(), m_form->font());
    QCOMPARE(m_form->Chart1()->Series2()->pointLabelsFont(), m_form->font());

    // A size the user gave is kept for the next chart.
    m_form->resize(600, 400);
    showChart(1, 0, 1);
    QCOMPARE(m_form->size(), QSize(600, 400));
    QCOMPARE(m_form->Chart1()->geometry(), m_form->rect());
}

void ChartWindowTest::centredOverMainWindowOnEveryShow()
{
    putRow(1, 0, {u"1"_s}, u"1"_s, u"3"_s);
    const auto offCentre = [this] {
        return (m_form->frameGeometry().center() - m_mainWindow->frameGeometry().center())
            .manhattanLength();
    };

    showChart(1, 0, 1);
    QVERIFY2(offCentre() <= 2, qPrintable(QString::number(offCentre())));

    m_mainWindow->move(420, 300);
    showChart(1, 0, 1);
    QVERIFY2(offCentre() <= 2, qPrintable(QString::number(offCentre())));
}

void ChartWindowTest::closesByCloseButtonOnly()
{
    putRow(1, 0, {u"1"_s}, u"1"_s, u"3"_s);
    showChart(1, 0, 1);
    QTest::keyClick(m_form.get(), Qt::Key_Escape);
    QVERIFY(m_form->isVisible());
    QTest::keyClick(m_form.get(), Qt::Key_Return);
    QVERIFY(m_form->isVisible());

    // What the title bar's close button sends.
    QVERIFY(m_form->close());
    QVERIFY(!m_form->isVisible());
}

QTEST_MAIN(ChartWindowTest)
#include "tst_chartwindow.moc"
