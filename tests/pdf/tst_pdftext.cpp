#include "tests/report/reportfixture.h"
#include "tst_pdfsupport.h"

#include "pdf/pdfwriter.h"
#include "platform/progress.h"
#include "report/textlayout.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace pdftest;

namespace {

// Table column 5 is printed by Memo6 ("Тип изделия"), 20 mm wide.
constexpr int kWideColumn = 5;

// The words the printed page shows in the box: its laid-out lines, split at spaces.
QStringList expectedWords(const PreparedBox &box)
{
    QStringList words;
    for (const textlayout::Line &line : textlayout::layoutBox(box))
        words << line.text.split(u' ', Qt::SkipEmptyParts);
    return words;
}

// The memo's name with the words, so that a mismatch says which cell it is.
QString described(const PreparedBox &box, const QStringList &words)
{
    return box.style->name + u": "_s + words.join(u" | "_s);
}

const PreparedBox *findBox(const PreparedPage &page, QStringView memo, int nth)
{
    for (const PreparedBox &box : page.boxes) {
        if (box.style->name == memo && nth-- == 0)
            return &box;
    }
    return nullptr;
}

} // namespace

class TestPdfText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyTextInItsCell_data();
    void everyTextInItsCell();
    void valuesExtractedExactly_data();
    void valuesExtractedExactly();
    void moreDistinctCharactersThanOneEncodingHolds();
    void anyTextGivesAValidFile_data();
    void anyTextGivesAValidFile();

private:
    QString write(const PreparedReport &report, const QString &name);
    QTemporaryDir m_dir;
};

void TestPdfText::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestPdfText::write(const PreparedReport &report, const QString &name)
{
    const QString fileName = m_dir.filePath(name);
    NullProgress progress;
    return writePdf(fileName, report, progress) ? fileName : QString();
}

void TestPdfText::everyTextInItsCell_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("title only") << 0;
    QTest::newRow("two pages") << 35;
}

void TestPdfText::everyTextInItsCell()
{
    PDF_REQUIRE_TOOL("pdftotext");
    QFETCH(int, rows);
    // Values that fit their cells: a wrapped line is clipped on the page, yet readers still
    // extract it, below the cell.
    FakeCellSource table(kBasicColumns);
    for (int r = 0; r < rows; ++r) {
        table.addRow(QString());
        for (int c = 0; c < kBasicColumns; ++c)
            table.setCell(c, r, QString::number(r * 100 + c));
        table.setCell(kWideColumn, r, u"Бетон %1"_s.arg(r));
    }
    const BuiltReport built(table, false);
    const QString fileName = write(built.report, u"cells%1.pdf"_s.arg(rows));
    QVERIFY(!fileName.isEmpty());

    const QList<PageWords> pages = extractWords(fileName);
    QCOMPARE(pages.size(), qsizetype(built.report.pages.size()));
    int boxesWithText = 0;
    qsizetype wordsInBoxes = 0;
    qsizetype wordsOnPages = 0;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        for (const PreparedBox &box : built.report.pages[std::size_t(p)].boxes) {
            const QStringList expected = expectedWords(box);
            QCOMPARE(described(box, wordsIn(pages[p], paperRectPt(box))), described(box, expected));
            boxesWithText += !expected.isEmpty();
            wordsInBoxes += expected.size();
        }
        wordsOnPages += pages[p].size();
    }
    // Nothing outside the cells: every word on the pages belongs to one of them.
    QCOMPARE(wordsOnPages, wordsInBoxes);
    // Title (2); with records the header (19) and 19 printed cells per row.
    QCOMPARE(boxesWithText, rows == 0 ? 2 : 21 + 19 * rows);
}

void TestPdfText::valuesExtractedExactly_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("Cyrillic") << u"Щебень Ёё"_s;
    QTest::newRow("Windows-1251 extras") << u"№ ‰ € «»"_s;
    QTest::newRow("Greek, beyond 1251") << u"Ωμέγα ½"_s;
    QTest::newRow("Latin extended") << u"ąčšž Łőß"_s;
    QTest::newRow("outside the BMP") << u"𝔸𝔹 😀"_s;
    QTest::newRow("CJK without glyphs") << u"漢字"_s;
    QTest::newRow("string delimiters") << u"(a)\\b )("_s;
    QTest::newRow("ASCII punctuation") << u"~`!@#$%^"_s;
}

void TestPdfText::valuesExtractedExactly()
{
    PDF_REQUIRE_TOOL("pdftotext");
    QFETCH(QString, value);
    FakeCellSource table = basicTable(2);
    table.setCell(kWideColumn, 1, value);
    const BuiltReport built(table, false);
    const PreparedBox *box = findBox(built.report.pages.front(), u"Memo6", 1);
    QVERIFY(box);
    QCOMPARE(box->text, value);
    QCOMPARE(textlayout::layoutBox(*box).size(), std::size_t(1)); // fits on one line

    const QString fileName = write(built.report, QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_') + u".pdf"_s);
    QVERIFY(!fileName.isEmpty());
    const QList<PageWords> pages = extractWords(fileName);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(wordsIn(pages.front(), paperRectPt(*box)), value.split(u' ', Qt::SkipEmptyParts));
}

void TestPdfText::moreDistinctCharactersThanOneEncodingHolds()
{
    PDF_REQUIRE_TOOL("pdftotext");
    PDF_REQUIRE_TOOL("pdffonts");
    PDF_REQUIRE_TOOL("qpdf");
    // 600 distinct characters in the regular face: Cyrillic, Greek, Latin extended, CJK
    // and a few outside the BMP, three to a wide cell.
    QList<char32_t> characters;
    for (char32_t cp = 0x0400; cp < 0x0500; ++cp)
        characters << cp;
    for (char32_t cp = 0x0391; cp < 0x03CA; ++cp) {
        if (cp != 0x03A2)
            characters << cp;
    }
    for (char32_t cp = 0x0100; cp < 0x0180; ++cp)
        characters << cp;
    for (char32_t cp = 0x4E00; characters.size() < 590; ++cp)
        characters << cp;
    for (char32_t cp = 0x1D400; characters.size() < 600; ++cp)
        characters << cp;

    const QList<int> wideColumns{4, 5, 6, 19}; // Memo5, Memo6, Memo7, Memo17: 20 mm each
    FakeCellSource table(kBasicColumns);
    int next = 0;
    while (next < characters.size()) {
        table.addRow(u"r"_s);
        for (const int column : wideColumns) {
            QString cell;
            for (int i = 0; i < 3 && next < characters.size(); ++i, ++next)
                cell += QString::fromUcs4(&characters[next], 1);
            table.setCell(column, table.rowCount() - 1, cell);
        }
    }
    const BuiltReport built(table, false);
    const QString fileName = write(built.report, u"many.pdf"_s);
    QVERIFY(!fileName.isEmpty());

    const QList<PageWords> pages = extractWords(fileName);
    QCOMPARE(pages.size(), qsizetype(built.report.pages.size()));
    QString extracted;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        for (const PreparedBox &box : built.report.pages[std::size_t(p)].boxes) {
            const QStringList expected = expectedWords(box);
            QCOMPARE(described(box, wordsIn(pages[p], paperRectPt(box))), described(box, expected));
            if (box.style->name == u"Memo5" || box.style->name == u"Memo6" || box.style->name == u"Memo7"
                || box.style->name == u"Memo17")
                extracted += expected.join(QString());
        }
    }
    QCOMPARE(extracted.toUcs4().size(), characters.size());

    QCOMPARE(runTool(u"qpdf"_s, {u"--check"_s, fileName}).exitCode, 0);
    // The regular face needed further encodings of the same font.
    const QString fonts = toolText(u"pdffonts"_s, {fileName});
    QVERIFY2(fonts.count(u"\nArial "_s) >= 3, qPrintable(fonts));
}

void TestPdfText::anyTextGivesAValidFile_data()
{
    // One value per row of the wide column.
    QTest::addColumn<QStringList>("values");

    QString controls;
    for (char16_t c = 0; c < 0x20; ++c) {
        if (c != u'\n') // a stored line break, not a character of the line
            controls += QChar(c);
    }
    QStringList c1Controls;
    for (char16_t c = 0x7F; c < 0xA0; c += 4)
        c1Controls << QString(QChar(c)) + QChar(c + 1) + QChar(c + 2) + QChar(c + 3);
    // The regular face's first encoding has 160 codes beside ASCII: the character after
    // them opens a further encoding of its own.
    QStringList fullThenNul;
    for (char16_t c = 0x4E00; c < 0x4E00 + 160; c += 4)
        fullThenNul << QString(QChar(c)) + QChar(c + 1) + QChar(c + 2) + QChar(c + 3);
    fullThenNul << QString(QChar(0));
    QStringList nulAmongMany;
    for (char16_t c = 0x4E00; c < 0x4E00 + 300; c += 3)
        nulAmongMany << QString(QChar(0)) + QChar(c) + QChar(c + 1) + QChar(c + 2);

    QTest::newRow("NUL alone") << QStringList{QString(QChar(0))};
    QTest::newRow("NUL within text") << QStringList{u"a"_s + QChar(0) + u"б"_s};
    QTest::newRow("NUL first in a further encoding") << fullThenNul;
    QTest::newRow("NUL among 300 distinct characters") << nulAmongMany;
    QTest::newRow("every control character") << QStringList{controls};
    QTest::newRow("DEL and C1 controls") << c1Controls;
    QTest::newRow("unpaired surrogates")
        << QStringList{QString(QChar(0xD800)) + u"a"_s, u"b"_s + QChar(0xDC00), QString(QChar(0xDFFF)) + QChar(0xD800)};
    QTest::newRow("noncharacters") << QStringList{u"\uFFFE\uFFFF\uFFFD"_s};
    QTest::newRow("beyond 1251") << QStringList{u"Ωß漢\U0001F600"_s, u"ąčšž"_s};
}

// Whatever a cell holds, the file is well-formed, and every character shown has a code with
// a width, a glyph name and its Unicode value: read back through the fonts' own tables, each
// cell gives its text, an unpaired surrogate as U+FFFD.
void TestPdfText::anyTextGivesAValidFile()
{
    PDF_REQUIRE_TOOL("qpdf");
    QFETCH(QStringList, values);
    FakeCellSource table(kBasicColumns);
    for (const QString &value : values) {
        table.addRow(u"r"_s);
        table.setCell(kWideColumn, table.rowCount() - 1, value);
    }
    const BuiltReport built(table, false);
    const QString fileName = write(built.report, QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_') + u".pdf"_s);
    QVERIFY(!fileName.isEmpty());

    const ToolResult check = runTool(u"qpdf"_s, {u"--check"_s, fileName});
    QVERIFY2(check.exitCode == 0 && !check.out.contains("WARNING") && check.err.isEmpty(),
             (check.out + check.err).constData());
    const ShownText shown = readShownText(fileName);
    QVERIFY2(shown.faults.isEmpty(), qPrintable(shown.faults.join(u"; "_s)));
    int cells = 0;
    for (const PreparedPage &page : built.report.pages) {
        for (const PreparedBox &box : page.boxes) {
            if (box.style->name != u"Memo6" || box.text.isEmpty())
                continue;
            QString expected;
            for (const textlayout::Line &line : textlayout::layoutBox(box))
                expected += line.text;
            for (qsizetype i = 0; i < expected.size(); ++i) {
                const bool paired = expected[i].isHighSurrogate() && i + 1 < expected.size()
                                    && expected[i + 1].isLowSurrogate();
                if (paired)
                    ++i;
                else if (expected[i].isSurrogate())
                    expected[i] = QChar::ReplacementCharacter;
            }
            QVERIFY2(shown.blocks.contains(expected), box.text.toUtf8().toHex(' ').constData());
            ++cells;
        }
    }
    QCOMPARE(cells, values.size());
}

QTEST_GUILESS_MAIN(TestPdfText)
#include "tst_pdftext.moc"
