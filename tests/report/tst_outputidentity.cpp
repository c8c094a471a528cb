// The exact bytes of larger PDF and CSV files, pinned by their SHA-256: a change of the
// writers' speed must not change one byte of what they write. The table mixes what the
// writers treat specially: Cyrillic, wrapped and multi-line texts, quotes and separators,
// characters beyond the first 256 codes of a font, a surrogate pair, empty cells.

#include "reportfixture.h"

#include "platform/codepages.h"
#include "platform/progress.h"
#include "csv/csvwriter.h"
#include "pdf/pdfwriter.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Row r of a basic table whose cells change the way measurements do, with now and then
// a text that needs more than one line or a character the other rows lack.
FakeCellSource variedTable(int rows)
{
    static const QString words[] = {u"Сквозное"_s, u"Поверхностное"_s, u"Балка; \"К-1\""_s,
                                    u"Плита перекрытия на отметке +12,600 в осях А-Г/1-4"_s,
                                    u"Колонна\nвторая строка"_s, u"µs ° ± № ∑"_s, QString()};
    FakeCellSource table(kBasicColumns);
    for (int r = 0; r < rows; ++r) {
        QList<std::pair<int, QString>> cells;
        cells.append({0, QString::number(r + 1)});
        cells.append({1, u"%1.%2.2019"_s.arg(1 + r % 28, 2, 10, QChar(u'0')).arg(1 + r % 12, 2, 10, QChar(u'0'))});
        cells.append({2, u"%1:%2:00"_s.arg(8 + r % 10).arg(r % 60, 2, 10, QChar(u'0'))});
        cells.append({4, words[r % 7]});
        cells.append({5, words[(r / 7) % 7]});
        // One new character every few rows runs the fonts past their 256 codes.
        cells.append({6, u"Тяжелый бетон "_s + QChar(char16_t(0x4E00 + r / 3))});
        if (r % 97 == 0)
            cells.append({7, u"\U0001F600"_s});
        for (int c = 11; c <= 21; ++c)
            cells.append({c, u"%1,%2"_s.arg(10 + (r * 7 + c * 13) % 4000).arg((r + c) % 10)});
        for (int i = 0; i < 15; ++i)
            cells.append({23 + i, i < 1 + r % 15 ? QString::number(4000 + (r * 31 + i * 17) % 900) : QString()});
        table.addRow(QString(), cells);
    }
    return table;
}

QByteArray contents(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The PDF's dates and its ID come from the clock and the file name; they are set to fixed
// values of the same length, so that every offset stays as written.
QByteArray withoutDatesAndId(QByteArray pdf)
{
    static const QRegularExpression date(u"D:[0-9]{14}"_s);
    static const QRegularExpression id(u"/ID \\[<[0-9A-F]{32}> <[0-9A-F]{32}>\\]"_s);
    QString text = QString::fromLatin1(pdf);
    text.replace(date, u"D:20261209120000"_s);
    text.replace(id, u"/ID [<%1> <%1>]"_s.arg(QString(32, u'0')));
    return text.toLatin1();
}

QByteArray sha256Hex(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

} // namespace

class TestOutputIdentity : public QObject
{
    Q_OBJECT

private slots:
    void pdfBytes_data();
    void pdfBytes();
    void csvBytes_data();
    void csvBytes();

private:
    QTemporaryDir m_dir;
};

void TestOutputIdentity::pdfBytes_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QByteArray>("sha256");
    QTest::newRow("one page") << 20 << qint64(12997) << QByteArray("a412d1b9334307be1247e49274797c45fbb46c40b3bef90307d67288bf8b70c8");
    QTest::newRow("2k rows") << 2000 << qint64(697407) << QByteArray("2ae7829c28b09163ad3f25daee5be05378738d42ff5a8808bd253499b8fe93db");
}

void TestOutputIdentity::pdfBytes()
{
    QFETCH(int, rows);
    QFETCH(qint64, size);
    QFETCH(QByteArray, sha256);
    const BuiltReport build(variedTable(rows), false);
    const QString fileName = m_dir.filePath(u"identity.pdf"_s);
    NullProgress progress;
    QVERIFY(writePdf(fileName, build.report, progress));
    const QByteArray bytes = withoutDatesAndId(contents(fileName));
    QCOMPARE(bytes.size(), size);
    QCOMPARE(sha256Hex(bytes), sha256);
}

void TestOutputIdentity::csvBytes_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("showReadings");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QByteArray>("sha256");
    QTest::newRow("one page, readings") << 20 << true << qint64(3953) << QByteArray("54a04f4b821bb560111c936972d57e0ef8de5fa09f98d260cf7a4809bb67a7d2");
    QTest::newRow("2k rows, readings") << 2000 << true << qint64(407893) << QByteArray("dcd74b7a924412b77b566dfedbd3380bfc464f84e26f8cf3c3d783b94a13df14");
    QTest::newRow("2k rows, no readings") << 2000 << false << qint64(307959) << QByteArray("3ce1faf23f7e777ed934d05cb0600f6c70b4f6f75503d350df5a8e5a180ee42a");
}

void TestOutputIdentity::csvBytes()
{
    QFETCH(int, rows);
    QFETCH(bool, showReadings);
    QFETCH(qint64, size);
    QFETCH(QByteArray, sha256);
    const BuiltReport build(variedTable(rows), showReadings);
    const QString fileName = m_dir.filePath(u"identity.csv"_s);
    const std::unique_ptr<AnsiCodePage> ansi = makeCodePage(1251);
    NullProgress progress;
    QVERIFY(writeCsv(fileName, build.report, *ansi, progress));
    const QByteArray bytes = contents(fileName);
    QCOMPARE(bytes.size(), size);
    QCOMPARE(sha256Hex(bytes), sha256);
}

QTEST_GUILESS_MAIN(TestOutputIdentity)
#include "tst_outputidentity.moc"
