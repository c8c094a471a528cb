#include "tests/report/reportfixture.h"

#include "preview/reportprinting.h"

#include <QPrinter>
#include <QProcess>
#include <QPageRanges>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pageText(const QString &pdf, int page)
{
    return run(u"pdftotext"_s, {u"-layout"_s, u"-f"_s, QString::number(page), u"-l"_s, QString::number(page),
                                u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s});
}

// The word's box on the page in points, from pdftotext's bounding-box listing.
QRectF wordBox(const QString &pdf, const QString &word)
{
    const QString html = run(u"pdftotext"_s, {u"-bbox"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, pdf, u"-"_s});
    const QRegularExpression re(u"<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">"_s
                                + QRegularExpression::escape(word) + u"</word>"_s);
    const QRegularExpressionMatch m = re.match(html);
    if (!m.hasMatch())
        return QRectF();
    return QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
}

// Prints through a PDF printer into file; ranges like "2-3" select pages.
bool printToPdf(const PreparedReport &report, const QString &file, const QString &ranges = QString())
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    if (!ranges.isEmpty()) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setPageRanges(QPageRanges::fromString(ranges));
    }
    return printReport(printer, report);
}

} // namespace

class TestReportPrinting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printsEveryPageLandscape();
    void textSitsInItsMemo_data();
    void textSitsInItsMemo();
    void pageRange();

private:
    QTemporaryDir m_dir;
};

void TestReportPrinting::initTestCase()
{
    QVERIFY(m_dir.isValid());
    if (QStandardPaths::findExecutable(u"pdfinfo"_s).isEmpty())
        QSKIP("poppler-utils are not installed");
}

void TestReportPrinting::printsEveryPageLandscape()
{
    const BuiltReport built(basicTable(35), false);
    const QString file = m_dir.filePath(u"all.pdf"_s);
    QVERIFY(printToPdf(built.report, file));

    const QString info = run(u"pdfinfo"_s, {file});
    QVERIFY2(info.contains(QRegularExpression(u"Pages:\\s+2\\n"_s)), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(u"Page size:\\s+84[12][.\\d]* x 595[.\\d]* pts \\(A4\\)"_s)),
             qPrintable(info));

    const QString page1 = pageText(file, 1);
    for (const QString &expected : {u"ЛИРАС-Д7"_s, u"09.12.2026"_s, u"Дата"_s, u"Материал"_s, u"Коррекция"_s,
                                    u"по W"_s, u"r0c0"_s, u"r33c21"_s}) {
        QVERIFY2(page1.contains(expected), qPrintable(expected));
    }
    QVERIFY(!page1.contains(u"r34c0"_s));
    QVERIFY(!page1.contains(u"4120"_s)); // the readings memo is hidden

    const QString page2 = pageText(file, 2);
    QVERIFY(page2.contains(u"r34c0"_s));
    QVERIFY(!page2.contains(u"Дата"_s));
    QVERIFY(!page2.contains(u"ЛИРАС"_s));
}

void TestReportPrinting::textSitsInItsMemo_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<double>("leftMm");
    QTest::addColumn<double>("rightMm");
    QTest::addColumn<double>("topMm");
    QTest::addColumn<double>("bottomMm");

    // Paper positions: the 10 mm margins plus the memo's place in the report.
    QTest::newRow("first number") << u"r0c0"_s << 10.0 << 20.0 << 28.0 << 33.0;
    QTest::newRow("material of row 2") << u"r1c6"_s << 106.0 << 126.0 << 33.0 << 38.0;
    QTest::newRow("E of the last row") << u"r33c21"_s << 274.0 << 286.0 << 193.0 << 198.0;
    QTest::newRow("header V") << u"м/с"_s << 137.0 << 149.0 << 19.0 << 28.0;
    QTest::newRow("date, right aligned") << u"09.12.2026"_s << 261.0 << 287.0 << 10.0 << 18.0;
}

void TestReportPrinting::textSitsInItsMemo()
{
    QFETCH(QString, word);
    QFETCH(double, leftMm);
    QFETCH(double, rightMm);
    QFETCH(double, topMm);
    QFETCH(double, bottomMm);

    const BuiltReport built(basicTable(35), false);
    const QString file = m_dir.filePath(u"boxes.pdf"_s);
    QVERIFY(printToPdf(built.report, file));

    const double ptPerMm = 72 / 25.4;
    const QRectF box = wordBox(file, word);
    QVERIFY2(!box.isNull(), qPrintable(word));
    QVERIFY2(box.left() >= leftMm * ptPerMm && box.right() <= rightMm * ptPerMm,
             qPrintable(u"%1..%2"_s.arg(box.left()).arg(box.right())));
    QVERIFY2(box.top() >= topMm * ptPerMm && box.bottom() <= bottomMm * ptPerMm,
             qPrintable(u"%1..%2"_s.arg(box.top()).arg(box.bottom())));
}

void TestReportPrinting::pageRange()
{
    const BuiltReport built(basicTable(80), false);
    const QString file = m_dir.filePath(u"range.pdf"_s);
    QVERIFY(printToPdf(built.report, file, u"2-3"_s));

    QVERIFY(run(u"pdfinfo"_s, {file}).contains(QRegularExpression(u"Pages:\\s+2\\n"_s)));
    QVERIFY(pageText(file, 1).contains(u"r34c0"_s));
    QVERIFY(pageText(file, 2).contains(u"r79c0"_s));
    QVERIFY(!pageText(file, 1).contains(u"ЛИРАС"_s));
}

QTEST_MAIN(TestReportPrinting)
#include "tst_reportprinting.moc"
