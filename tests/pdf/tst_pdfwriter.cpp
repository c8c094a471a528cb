#include "tests/report/reportfixture.h"
#include "tst_pdfsupport.h"

#include "pdf/pdfwriter.h"
#include "platform/progress.h"
#include "report/fontmetrics.h"
#include "tests/support/writefaults.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace pdftest;

namespace {

QByteArray readAll(const QString &fileName)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile f(fileName);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

class RecordingProgress final : public Progress
{
public:
    int maximum = -1;
    QList<int> values;
    void setMaximum(int m) override { maximum = m; }
    void setValue(int v) override { values.append(v); }
};

} // namespace

class TestPdfWriter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void headerMarksBinaryFile();
    void pagesAndPaperSize_data();
    void pagesAndPaperSize();
    void reportWithoutPagesGivesOneBlankPage();
    void documentInformation();
    void catalogAndTrailer();
    void fontsReferencedByNameNotEmbedded();
    void crossReferenceOffsetsPointAtObjects();
    void replacesAnExistingFile();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void progressCountsPages();

private:
    QString writeRows(int rows);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPdfWriter::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestPdfWriter::writeRows(int rows)
{
    const BuiltReport built(basicTable(rows), false);
    const QString fileName = m_dir->filePath(u"rows%1.pdf"_s.arg(rows));
    NullProgress progress;
    if (!writePdf(fileName, built.report, progress))
        return QString();
    return fileName;
}

void TestPdfWriter::headerMarksBinaryFile()
{
    const QString fileName = writeRows(1);
    QVERIFY(!fileName.isEmpty());
    const QByteArray bytes = readAll(fileName);
    QVERIFY(bytes.startsWith("%PDF-1.7\n%"));
    const QByteArray comment = bytes.mid(10, bytes.indexOf('\n', 10) - 10);
    QCOMPARE(comment.size(), 4);
    for (const char c : comment)
        QVERIFY2(static_cast<unsigned char>(c) > 127, comment.toHex().constData());
    QVERIFY(bytes.endsWith("%%EOF\n"));
}

void TestPdfWriter::pagesAndPaperSize_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("lastRowOfPage1");

    QTest::newRow("no rows: title only") << 0 << 1 << QString();
    QTest::newRow("one row") << 1 << 1 << u"r0c0"_s;
    QTest::newRow("34 rows fill page 1") << 34 << 1 << u"r33c0"_s;
    QTest::newRow("35th row starts page 2") << 35 << 2 << u"r33c0"_s;
    QTest::newRow("72 rows fill page 2") << 72 << 2 << u"r33c0"_s;
    QTest::newRow("73rd row starts page 3") << 73 << 3 << u"r33c0"_s;
}

void TestPdfWriter::pagesAndPaperSize()
{
    PDF_REQUIRE_TOOL("qpdf");
    PDF_REQUIRE_TOOL("pdfinfo");
    PDF_REQUIRE_TOOL("pdftotext");
    QFETCH(int, rows);
    QFETCH(int, pages);
    QFETCH(QString, lastRowOfPage1);

    const QString fileName = writeRows(rows);
    QVERIFY(!fileName.isEmpty());

    const ToolResult check = runTool(u"qpdf"_s, {u"--check"_s, fileName});
    QCOMPARE(check.exitCode, 0);
    QVERIFY2(check.out.contains("No syntax or stream encoding errors found"), check.out.constData());

    QCOMPARE(pdfinfoField(fileName, u"Pages"_s), QString::number(pages));
    for (int page = 1; page <= pages; ++page) {
        const QStringList range{u"-f"_s, QString::number(page), u"-l"_s, QString::number(page)};
        QCOMPARE(pdfinfoField(fileName, u"Page %1 size"_s.arg(page, 4), range),
                 u"841.89 x 595.28 pts (A4)"_s);
    }

    // Page for page: the rows of each report page on that PDF page, none elsewhere.
    const QList<PageWords> words = extractWords(fileName);
    QCOMPARE(words.size(), pages);
    auto pageHas = [&](int page, const QString &text) {
        return std::any_of(words[page].begin(), words[page].end(),
                           [&](const Word &w) { return w.text == text; });
    };
    QVERIFY(pageHas(0, u"ЛИРАС-Д7"_s));
    if (!lastRowOfPage1.isEmpty()) {
        QVERIFY(pageHas(0, u"r0c0"_s));
        QVERIFY(pageHas(0, lastRowOfPage1));
    }
    for (int page = 1; page < pages; ++page) {
        const int first = 34 + 38 * (page - 1);
        QVERIFY(pageHas(page, u"r%1c0"_s.arg(first)));
        QVERIFY(!pageHas(page, u"Дата"_s));
        QVERIFY(!pageHas(page - 1, u"r%1c0"_s.arg(first)));
    }
}

void TestPdfWriter::reportWithoutPagesGivesOneBlankPage()
{
    PDF_REQUIRE_TOOL("qpdf");
    PDF_REQUIRE_TOOL("pdfinfo");
    const QString fileName = m_dir->filePath(u"empty.pdf"_s);
    NullProgress progress;
    QVERIFY(writePdf(fileName, PreparedReport{}, progress));
    QCOMPARE(runTool(u"qpdf"_s, {u"--check"_s, fileName}).exitCode, 0);
    QCOMPARE(pdfinfoField(fileName, u"Pages"_s), u"1"_s);
}

void TestPdfWriter::documentInformation()
{
    PDF_REQUIRE_TOOL("qpdf");
    PDF_REQUIRE_TOOL("pdfinfo");
    // The date has whole seconds: widen the window to them.
    const QDateTime before = QDateTime::currentDateTime().addMSecs(-1000);
    const QString fileName = writeRows(3);
    const QDateTime after = QDateTime::currentDateTime().addMSecs(1000);
    QVERIFY(!fileName.isEmpty());

    const QJsonObject objects = qpdfObjects(fileName);
    const QString infoRef = objects.value(u"trailer").toObject().value(u"value").toObject()
                                .value(u"/Info").toString();
    const QJsonObject info = objectValue(objects, infoRef);
    QCOMPARE(info.value(u"/Title").toString(), u"u:"_s);
    QCOMPARE(info.value(u"/Author").toString(), u"u:Nordvekt"_s);
    QCOMPARE(info.value(u"/Subject").toString(), u"u:PDF export"_s);
    QCOMPARE(info.value(u"/Keywords").toString(), u"u:"_s);
    QCOMPARE(info.value(u"/Creator").toString(), u"u:"_s);
    QCOMPARE(info.value(u"/Producer").toString(), u"u:"_s);

    const QString created = info.value(u"/CreationDate").toString();
    QCOMPARE(info.value(u"/ModDate").toString(), created);
    // "D:" and yyyymmddhhnnss, local time, no zone.
    QVERIFY2(QRegularExpression(u"^u:D:\\d{14}$"_s).match(created).hasMatch(), qPrintable(created));
    const QDateTime stamp = QDateTime::fromString(created.mid(4), u"yyyyMMddHHmmss"_s);
    QVERIFY(stamp.isValid());
    QVERIFY2(stamp >= before && stamp <= after, qPrintable(created));

    QCOMPARE(pdfinfoField(fileName, u"Encrypted"_s), u"no"_s);
    QCOMPARE(pdfinfoField(fileName, u"PDF version"_s), u"1.7"_s);
}

void TestPdfWriter::catalogAndTrailer()
{
    PDF_REQUIRE_TOOL("qpdf");
    const QString fileName = writeRows(40);
    QVERIFY(!fileName.isEmpty());
    const QJsonObject objects = qpdfObjects(fileName);
    const QJsonObject trailer = objects.value(u"trailer").toObject().value(u"value").toObject();

    QVERIFY(!trailer.contains(u"/Encrypt"));
    const QJsonArray id = trailer.value(u"/ID").toArray();
    QCOMPARE(id.size(), 2);
    QVERIFY(!id.at(0).toString().isEmpty());

    // Every object of the file is counted in /Size, and nothing more.
    int highest = 0;
    for (auto it = objects.begin(); it != objects.end(); ++it) {
        if (it.key().startsWith(u"obj:"))
            highest = std::max(highest, it.key().mid(4).section(u' ', 0, 0).toInt());
    }
    QCOMPARE(trailer.value(u"/Size").toInt(), highest + 1);

    const QJsonObject catalog = objectValue(objects, trailer.value(u"/Root").toString());
    QCOMPARE(catalog.value(u"/Type").toString(), u"/Catalog"_s);
    QCOMPARE(catalog.value(u"/PageMode").toString(), u"/UseNone"_s);
    QVERIFY(!catalog.contains(u"/Outlines"));
    const QJsonObject preferences = catalog.value(u"/ViewerPreferences").toObject();
    QCOMPARE(preferences.keys(), QStringList{u"/PrintScaling"_s});
    QCOMPARE(preferences.value(u"/PrintScaling").toString(), u"/None"_s);

    const QJsonObject pages = objectValue(objects, catalog.value(u"/Pages").toString());
    QCOMPARE(pages.value(u"/Count").toInt(), 2);
    QCOMPARE(pages.value(u"/Kids").toArray().size(), 2);
    for (const QJsonValue kid : pages.value(u"/Kids").toArray()) {
        const QJsonObject page = objectValue(objects, kid.toString());
        QCOMPARE(page.value(u"/Type").toString(), u"/Page"_s);
        const QJsonObject contents = objects.value(u"obj:"_s + page.value(u"/Contents").toString())
                                         .toObject().value(u"stream").toObject()
                                         .value(u"dict").toObject();
        QCOMPARE(contents.value(u"/Filter").toString(), u"/FlateDecode"_s);
    }
}

void TestPdfWriter::fontsReferencedByNameNotEmbedded()
{
    PDF_REQUIRE_TOOL("pdffonts");
    PDF_REQUIRE_TOOL("qpdf");
    const QString fileName = writeRows(2);
    QVERIFY(!fileName.isEmpty());

    // name, type, encoding, emb, sub, uni, object number
    QStringList names;
    const QStringList lines = toolText(u"pdffonts"_s, {fileName}).split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines.mid(2)) {
        const QStringList f = line.split(u' ', Qt::SkipEmptyParts);
        QVERIFY2(f.size() >= 7, qPrintable(line));
        names << f[0];
        QCOMPARE(f[1], u"TrueType"_s);
        QCOMPARE(f[f.size() - 5], u"no"_s); // not embedded
        QCOMPARE(f[f.size() - 3], u"yes"_s); // has a ToUnicode map
    }
    names.sort();
    QCOMPARE(names, (QStringList{u"Arial"_s, u"Arial,Bold"_s, u"SegoeUI,Bold"_s}));

    const QJsonObject objects = qpdfObjects(fileName);
    int checkedWidths = 0;
    for (auto it = objects.begin(); it != objects.end(); ++it) {
        const QJsonObject font = it.value().toObject().value(u"value").toObject();
        if (font.value(u"/Type").toString() != u"/Font")
            continue;
        QCOMPARE(font.value(u"/Subtype").toString(), u"/TrueType"_s);
        const QJsonObject encoding = font.value(u"/Encoding").toObject();
        QCOMPARE(encoding.value(u"/BaseEncoding").toString(), u"/WinAnsiEncoding"_s);

        const QJsonObject descriptor = objectValue(objects, font.value(u"/FontDescriptor").toString());
        QCOMPARE(descriptor.value(u"/Type").toString(), u"/FontDescriptor"_s);
        for (const char16_t *key : {u"/Flags", u"/FontBBox", u"/ItalicAngle", u"/Ascent", u"/Descent",
                                    u"/CapHeight", u"/StemV"})
            QVERIFY2(descriptor.contains(QStringView(key)), qPrintable(QString::fromUtf16(key)));
        for (const char16_t *key : {u"/FontFile", u"/FontFile2", u"/FontFile3"})
            QVERIFY(!descriptor.contains(QStringView(key)));

        const int first = font.value(u"/FirstChar").toInt();
        const int last = font.value(u"/LastChar").toInt();
        const QJsonArray widths = font.value(u"/Widths").toArray();
        QCOMPARE(widths.size(), last - first + 1);

        // The regular face shows the data cells "r0c1" …: ASCII at its own code, its width
        // from the face's metrics in thousandths of the em.
        if (font.value(u"/BaseFont").toString() == u"/Arial") {
            const fontmetrics::FontFace &face = fontmetrics::face(ReportFont::ArialRegular);
            for (const char16_t ch : {u'r', u'c', u'0', u'1'}) {
                QVERIFY(ch >= first && ch <= last);
                const double expected = fontmetrics::advanceUnits(face, ch) * 1000.0 / face.unitsPerEm;
                QCOMPARE(widths.at(ch - first).toInt(), int(std::lround(expected)));
                ++checkedWidths;
            }
        }
        // "Дата" in the header: Cyrillic named by its glyph list names.
        if (font.value(u"/BaseFont").toString() == u"/Arial,Bold") {
            const QJsonArray differences = encoding.value(u"/Differences").toArray();
            QVERIFY(differences.contains(u"/afii10021"_s)); // Д
            QVERIFY(differences.contains(u"/afii10065"_s)); // а
        }
    }
    QCOMPARE(checkedWidths, 4);
}

void TestPdfWriter::crossReferenceOffsetsPointAtObjects()
{
    PDF_REQUIRE_TOOL("qpdf");
    const QString fileName = writeRows(80);
    QVERIFY(!fileName.isEmpty());
    const QByteArray bytes = readAll(fileName);

    const qsizetype startxref = bytes.lastIndexOf("startxref\n");
    QVERIFY(startxref > 0);
    const qsizetype numberEnd = bytes.indexOf('\n', startxref + 10);
    const qsizetype xref = bytes.mid(startxref + 10, numberEnd - startxref - 10).toLongLong();
    QVERIFY(bytes.mid(xref).startsWith("xref\n0 "));

    const qsizetype countStart = xref + 7;
    const qsizetype countEnd = bytes.indexOf('\n', countStart);
    const int count = bytes.mid(countStart, countEnd - countStart).toInt();
    const qsizetype entries = countEnd + 1;
    QVERIFY(bytes.mid(entries, 20) == "0000000000 65535 f \n");
    for (int number = 1; number < count; ++number) {
        const QByteArray entry = bytes.mid(entries + 20 * number, 20);
        QVERIFY2(entry.size() == 20 && entry.endsWith(" 00000 n \n"), entry.constData());
        const qsizetype offset = entry.left(10).toLongLong();
        const QByteArray head = QByteArray::number(number) + " 0 obj";
        QVERIFY2(bytes.mid(offset, head.size()) == head, head.constData());
        QVERIFY(offset == 0 || bytes.at(offset - 1) == '\n');
    }
    const QByteArray trailer = bytes.mid(entries + 20 * count);
    QVERIFY(trailer.startsWith("trailer\n<< /Size " + QByteArray::number(count) + ' '));

    // qpdf rebuilds a broken table silently but warns about it.
    const ToolResult check = runTool(u"qpdf"_s, {u"--check"_s, fileName});
    QCOMPARE(check.exitCode, 0);
    QVERIFY2(!check.out.contains("WARNING") && !check.err.contains("WARNING"), check.err.constData());
}

void TestPdfWriter::replacesAnExistingFile()
{
    PDF_REQUIRE_TOOL("pdfinfo");
    const QString fileName = m_dir->filePath(u"rows40.pdf"_s);
    QVERIFY(writeFile(fileName, "old contents"));
    QCOMPARE(writeRows(40), fileName);
    QVERIFY(readAll(fileName).startsWith("%PDF-1.7"));
    QCOMPARE(pdfinfoField(fileName, u"Pages"_s), u"2"_s);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{u"rows40.pdf"_s});
}

void TestPdfWriter::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("target");   // relative to the test folder
    QTest::addColumn<QString>("oldFile");  // made before the write, must stay as it was
    QTest::addColumn<qint64>("sizeLimit"); // bytes a file may grow to, 0 for no limit

    QTest::newRow("parent is a regular file") << u"plain/report.pdf"_s << u"plain"_s << qint64(0);
    QTest::newRow("target is a folder") << u"folder"_s << QString() << qint64(0);
    QTest::newRow("disk fills part way") << u"report.pdf"_s << u"report.pdf"_s << qint64(20000);
}

void TestPdfWriter::failedWriteKeepsOldFile()
{
    QFETCH(QString, target);
    QFETCH(QString, oldFile);
    QFETCH(qint64, sizeLimit);

    QDir dir(m_dir->path());
    QVERIFY(dir.mkdir(u"folder"_s));
    const QByteArray oldBytes = "the old file, whole";
    if (!oldFile.isEmpty())
        QVERIFY(writeFile(dir.filePath(oldFile), oldBytes));
    const QStringList before = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    const BuiltReport built(basicTable(300), false);
    NullProgress progress;
    bool written = true;
    if (sizeLimit > 0) {
        const FileSizeLimit limit(sizeLimit);
        QVERIFY(limit.isActive());
        written = writePdf(dir.filePath(target), built.report, progress);
    } else {
        written = writePdf(dir.filePath(target), built.report, progress);
    }

    QVERIFY(!written);
    if (!oldFile.isEmpty())
        QCOMPARE(readAll(dir.filePath(oldFile)), oldBytes);
    // No partial file and no temporary file left behind.
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    QVERIFY(QDir(dir.filePath(u"folder"_s)).isEmpty());
}

void TestPdfWriter::progressCountsPages()
{
    const BuiltReport built(basicTable(120), false); // 34 + 38 + 38 + 10: four pages
    QCOMPARE(built.report.pages.size(), std::size_t(4));
    RecordingProgress progress;
    QVERIFY(writePdf(m_dir->filePath(u"p.pdf"_s), built.report, progress));
    QCOMPARE(progress.maximum, 4);
    QCOMPARE(progress.values, (QList<int>{1, 2, 3, 4}));
}

QTEST_GUILESS_MAIN(TestPdfWriter)
#include "tst_pdfwriter.moc"
