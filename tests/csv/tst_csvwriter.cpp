#include "tst_csvexample.h"

#include "csv/csvwriter.h"
#include "platform/codepages.h"
#include "platform/progress.h"
#include "report/reportbuilder.h"
#include "report/reportlayout.h"
#include "report/reportpreparation.h"
#include "report/reportrows.h"
#include "report/userdataset.h"
#include "report/valueresolver.h"
#include "tests/support/writefaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using namespace csvexample;

constexpr double kMm = 3.77953;

// A filler row whose fields print without wrapping or quoting.
Fields fillerRow(int n)
{
    Fields fields;
    for (int f = 0; f < 19; ++f)
        fields << QString::number(n * 100 + f);
    fields << QString();
    return fields;
}

// Pages laid out by hand from the report's geometry, so the writer is checked apart from
// the builder: memo lefts and widths in millimetres, the stored pixel values where the
// millimetres are rounded.
class HandReport
{
public:
    explicit HandReport(const std::vector<Fields> &rows, const QString &date)
    {
        PreparedPage first;
        first.boxes.push_back(box(m_titleModel, 226 * kMm, 0, 25 * kMm, 8 * kMm, u"ЛИРАС-Д7"_s));
        first.boxes.push_back(box(m_titleDate, 251 * kMm, 0, 26 * kMm, 8 * kMm, date));
        if (!rows.empty())
            addHeader(first, 9 * kMm);
        double topPx = 18 * kMm;
        int onPage = 0;
        int pageCapacity = 34;
        PreparedPage *page = &first;
        report.pages.push_back(std::move(first));
        page = &report.pages.back();
        for (const Fields &row : rows) {
            if (onPage == pageCapacity) {
                report.pages.emplace_back();
                page = &report.pages.back();
                topPx = 0;
                onPage = 0;
                pageCapacity = 38;
            }
            addDataLine(*page, topPx, row);
            topPx += 5 * kMm;
            ++onPage;
        }
    }

    PreparedReport report;

private:
    struct Column
    {
        double headerLeftPx;
        double dataLeftPx;
        double widthPx;
        QString header;
    };

    static std::vector<Column> columns()
    {
        const double mm[][2] = {{0, 10},   {10, 21},  {31, 13},  {44, 12},  {56, 20},  {76, 20},  {96, 20},
                                {116, 11}, {127, 12}, {139, 12}, {151, 13}, {164, 15}, {179, 15}, {194, 14},
                                {208, 15}, {223, 11}, {234, 20}, {254, 10}, {264, 12}};
        const QString headers[] = {u"№"_s,      u"Дата"_s,    u"Время"_s,   u"Инд. зав-сть"_s, u"Вид прозвуч."_s,
                                   u"Тип изделия"_s, u"Материал"_s, u"Кс"_s, u"V, м/с"_s, u"T, мкс"_s,
                                   u"L, мм"_s,  u"Т0, мкс"_s, u"Т1, мкс"_s, u"h, мм"_s, u"R, МПа"_s,
                                   u"A, дБ"_s,  u"Коррекция\nпо W"_s, u"W, %"_s, u"E, ГПа"_s};
        std::vector<Column> result;
        for (int c = 0; c < 19; ++c)
            result.push_back({mm[c][0] * kMm, mm[c][0] * kMm, mm[c][1] * kMm, headers[c]});
        result[17].headerLeftPx = 959.78015;
        result[17].dataLeftPx = 960.00062;
        result[18].headerLeftPx = 997.57545;
        result[18].dataLeftPx = 997.79592;
        return result;
    }

    static PreparedBox box(const MemoStyle &style, double leftPx, double topPx, double widthPx, double heightPx,
                           const QString &text)
    {
        return PreparedBox{&style, leftPx, topPx, widthPx, heightPx, text};
    }

    void addHeader(PreparedPage &page, double topPx) const
    {
        const std::vector<Column> cols = columns();
        for (const Column &c : cols)
            page.boxes.push_back(box(m_header, c.headerLeftPx, topPx, c.widthPx, 9 * kMm, c.header));
    }

    void addDataLine(PreparedPage &page, double topPx, const Fields &row) const
    {
        const std::vector<Column> cols = columns();
        for (int c = 0; c < 19; ++c)
            page.boxes.push_back(box(m_data, cols[c].dataLeftPx, topPx, cols[c].widthPx, 5 * kMm, row[c]));
        page.boxes.push_back(box(m_data, 1042.98485, topPx, 10 * kMm, 5 * kMm, row[19]));
    }

    MemoStyle m_titleModel{u"Memo38"_s, ReportFont::SegoeUiBold, 13, HAlign::Right, VAlign::Center, false};
    MemoStyle m_titleDate{u"Memo40"_s, ReportFont::ArialRegular, 13, HAlign::Right, VAlign::Center, false};
    MemoStyle m_header{u"Memo20"_s, ReportFont::ArialBold, 13, HAlign::Center, VAlign::Top, true};
    MemoStyle m_data{u"Memo1"_s, ReportFont::ArialRegular, 13, HAlign::Center, VAlign::Top, true};
};

// The same rows built by the report builder from a basic table, as the CSV command does.
class BuiltReport
{
public:
    BuiltReport(const std::vector<Fields> &rows, const QString &date)
    {
        const FakeCellSource table = csvexample::table(rows, Table::Basic);
        prepareReport(m_layout, m_dataSet, date, true, table.rowCount());
        m_rows = ReportRows::capture(table, TableKind::Basic, true);
        const ValueResolver resolver(m_rows, m_dataSet);
        ReportBuilder builder(m_layout, m_dataSet, resolver, report);
        builder.start();
        while (!builder.step(1000)) {
        }
    }

    PreparedReport report;

private:
    ReportLayout m_layout;
    UserDataSet m_dataSet;
    ReportRows m_rows;
};

enum class Source { Hand, Builder };

// Builds the report from the rows, writes it and returns the file's bytes.
class Export
{
public:
    Export(Source source, const std::vector<Fields> &rows, const QString &date = kDate)
    {
        if (source == Source::Hand)
            m_hand = std::make_unique<HandReport>(rows, date);
        else
            m_built = std::make_unique<BuiltReport>(rows, date);
    }

    const PreparedReport &report() const { return m_hand ? m_hand->report : m_built->report; }

private:
    std::unique_ptr<HandReport> m_hand;
    std::unique_ptr<BuiltReport> m_built;
};

QList<QByteArray> linesOf(const QByteArray &file)
{
    QList<QByteArray> lines = file.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines)
        line.chop(1); // the CR
    return lines;
}

class RecordingProgress final : public Progress
{
public:
    void setMaximum(int maximum) override { maxima.push_back(maximum); }
    void setValue(int value) override { values.push_back(value); }
    std::vector<int> maxima;
    std::vector<int> values;
};

} // namespace

Q_DECLARE_METATYPE(Source)

class TestCsvWriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void writesTheReport_data();
    void writesTheReport();
    void workedExampleBytes_data();
    void workedExampleBytes();
    void reportsProgressPerPage();
    void failsWithoutPartialFile();
    void keepsTheOldFileWhenWritingFails();
    void replacesALongerFileWhole();
    void onlyCoordinateDifferencesMatter();

private:
    void addSources();
    QString path(const QString &name) const { return m_dir.filePath(name); }

    std::unique_ptr<AnsiCodePage> m_ansi;
    QTemporaryDir m_dir;
};

void TestCsvWriter::initTestCase()
{
    m_ansi = makeCodePage(1251);
    QVERIFY(m_ansi);
    QVERIFY(m_dir.isValid());
}

void TestCsvWriter::addSources()
{
    QTest::addColumn<Source>("source");
    QTest::newRow("hand-laid pages") << Source::Hand;
    QTest::newRow("report builder") << Source::Builder;
}

namespace {

// A first-page data line: an empty field after Cell19, after Cell20 and after the readings.
QString firstPageLine(const Fields &f)
{
    return (f.mid(0, 16) + QStringList{QString(), f[16], QString(), f[17], f[18], f[19], QString()}).join(u';');
}

QString laterPageLine(const Fields &f)
{
    return f.join(u';');
}

} // namespace

void TestCsvWriter::writesTheReport_data()
{
    QTest::addColumn<Source>("source");
    QTest::addColumn<std::vector<Fields>>("rows");
    QTest::addColumn<QStringList>("expected");

    std::vector<Fields> fillers;
    QStringList fillerLines;
    for (int n = 1; n <= 34; ++n) {
        fillers.push_back(fillerRow(n));
        fillerLines << firstPageLine(fillers.back());
    }
    const QStringList firstPageTop{kTitleLine, QString(), kHeaderLine};

    for (const auto &[name, source] : {std::pair{"hand", Source::Hand}, std::pair{"builder", Source::Builder}}) {
        QTest::addRow("%s: worked example", name)
            << source << std::vector<Fields>{row1(), row2()}
            << firstPageTop + QStringList{kRow1FirstPage, kRow2FirstPage};

        QTest::addRow("%s: empty active table gives the title alone", name)
            << source << std::vector<Fields>{} << QStringList{kTitleOnlyLine};

        std::vector<Fields> rows35 = fillers;
        rows35.push_back(fillerRow(35));
        QTest::addRow("%s: 35th row in the later-page form", name)
            << source << rows35 << firstPageTop + fillerLines + QStringList{laterPageLine(rows35.back())};

        std::vector<Fields> rows36 = fillers;
        rows36.push_back(row1());
        rows36.push_back(row2());
        QTest::addRow("%s: the example rows on page 2", name)
            << source << rows36 << firstPageTop + fillerLines + QStringList{kRow1LaterPage, kRow2LaterPage};
    }
}

void TestCsvWriter::writesTheReport()
{
    QFETCH(Source, source);
    QFETCH(std::vector<Fields>, rows);
    QFETCH(QStringList, expected);

    const Export build(source, rows);
    NullProgress progress;
    const QString fileName = path(u"report.csv"_s);
    QVERIFY(writeCsv(fileName, build.report(), *m_ansi, progress));
    const QByteArray file = readAll(fileName);
    const QByteArray expectedFile = fileOf(expected, *m_ansi);
    // Line by line first, so a failure names the line.
    const QList<QByteArray> lines = linesOf(file);
    const QList<QByteArray> expectedLines = linesOf(expectedFile);
    for (qsizetype i = 0; i < std::min(lines.size(), expectedLines.size()); ++i)
        QCOMPARE(m_ansi->decode(lines[i]), m_ansi->decode(expectedLines[i]));
    QCOMPARE(lines.size(), expectedLines.size());
    QCOMPARE(file, expectedFile);
}

void TestCsvWriter::workedExampleBytes_data()
{
    addSources();
}

void TestCsvWriter::workedExampleBytes()
{
    QFETCH(Source, source);
    const Export build(source, {row1(), row2()});
    NullProgress progress;
    const QString fileName = path(u"example.csv"_s);
    QVERIFY(writeCsv(fileName, build.report(), *m_ansi, progress));
    const QByteArray file = readAll(fileName);

    QCOMPARE(file.size(), 402);
    const QByteArray firstLine = QByteArray::fromHex("CBC8D0C0D12DC4373B3B30392E31322E323032363B3B3B0D0A");
    QCOMPARE(file.first(firstLine.size()), firstLine);
    QCOMPARE(file.sliced(firstLine.size(), 2), QByteArray("\r\n"));
    QCOMPARE(file.at(firstLine.size() + 2), '\xB9'); // "№" opens the header line
    QVERIFY(file.endsWith(";37,6;;\r\n"));
}

void TestCsvWriter::reportsProgressPerPage()
{
    std::vector<Fields> rows;
    for (int n = 1; n <= 80; ++n)
        rows.push_back(fillerRow(n));
    const Export build(Source::Hand, rows); // 34 + 38 + 8 lines
    QCOMPARE(build.report().pages.size(), std::size_t(3));
    RecordingProgress progress;
    QVERIFY(writeCsv(path(u"progress.csv"_s), build.report(), *m_ansi, progress));
    QCOMPARE(progress.maxima, (std::vector<int>{3}));
    QCOMPARE(progress.values, (std::vector<int>{1, 2, 3}));
}

void TestCsvWriter::failsWithoutPartialFile()
{
    const QString plain = path(u"plain-file"_s);
    QVERIFY(writeFile(plain, "not a folder"));
    const QString fileName = plain + u"/report.csv"_s;
    const Export build(Source::Hand, {row1()});
    NullProgress progress;
    QVERIFY(!writeCsv(fileName, build.report(), *m_ansi, progress));
    QVERIFY(!QFile::exists(fileName));
    QCOMPARE(readAll(plain), QByteArray("not a folder"));
}

void TestCsvWriter::keepsTheOldFileWhenWritingFails()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fileName = dir.filePath(u"report.csv"_s);
    const QByteArray old = "old;file;content\r\n";
    QVERIFY(writeFile(fileName, old));
    const Export build(Source::Hand, {row1(), row2()}); // 402 bytes
    NullProgress progress;
    bool written = true;
    {
        const FileSizeLimit limit(100);
        QVERIFY(limit.isActive());
        written = writeCsv(fileName, build.report(), *m_ansi, progress);
    }
    QVERIFY(!written);
    QCOMPARE(readAll(fileName), old);
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"report.csv"_s});
}

void TestCsvWriter::replacesALongerFileWhole()
{
    const QString fileName = path(u"replaced.csv"_s);
    QVERIFY(writeFile(fileName, QByteArray(10000, 'x')));
    const Export build(Source::Hand, {});
    NullProgress progress;
    QVERIFY(writeCsv(fileName, build.report(), *m_ansi, progress));
    QCOMPARE(readAll(fileName), fileOf({kTitleOnlyLine}, *m_ansi));
}

void TestCsvWriter::onlyCoordinateDifferencesMatter()
{
    // Positions from the paper's corner instead of the printable area's give the same file.
    const Export build(Source::Hand, {row1(), row2()});
    PreparedReport shifted = build.report();
    for (PreparedPage &page : shifted.pages) {
        for (PreparedBox &box : page.boxes) {
            box.leftPx += 10 * kMm;
            box.topPx += 10 * kMm;
        }
    }
    NullProgress progress;
    const QString fileName = path(u"shifted.csv"_s);
    QVERIFY(writeCsv(fileName, shifted, *m_ansi, progress));
    QCOMPARE(readAll(fileName), workedExample(*m_ansi));
}

QTEST_APPLESS_MAIN(TestCsvWriter)
#include "tst_csvwriter.moc"
