#include "archive/archiveloader.h"
#include "archive/recordfill.h"
#include "archivefixtures.h"
#include "archivetestdoubles.h"
#include "platform/apperror.h"
#include "platform/fakesystem.h"
#include "tables/tabledefinition.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace fixtures;

Q_DECLARE_METATYPE(TableKind)

class TestArchiveLoader : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void loadsEachKind_data();
    void loadsEachKind();
    void twoLineArchive();
    void otherKindStaysUntouched();
    void rejectedFiles_data();
    void rejectedFiles();
    void rejectedFileWithNothingShown();
    void damagedRecords();
    void quotedFields();
    void damagedRecordsText_data();
    void damagedRecordsText();
    void fillWritesOneBatch();
    void failureHalfWayThroughFillingPassesOn();

private:
    QString write(const QString &name, const QByteArray &bytes);
    LoadResult load(const QString &fileName);

    QTemporaryDir m_dir;
    FakeSystem m_fakes;
    std::unique_ptr<RecordingProgress> m_progress;
};

void TestArchiveLoader::init()
{
    m_progress = std::make_unique<RecordingProgress>();
}

LoadResult TestArchiveLoader::load(const QString &fileName)
{
    return LoadArchive(fileName, *m_fakes.ansi, m_fakes.regional, *m_progress);
}

QString TestArchiveLoader::write(const QString &name, const QByteArray &bytes)
{
    const QString fileName = m_dir.filePath(name);
    if (!writeFile(fileName, bytes))
        qFatal("cannot write the fixture");
    return fileName;
}

void TestArchiveLoader::loadsEachKind_data()
{
    QTest::addColumn<TableKind>("kind");
    QTest::addColumn<int>("fixed");
    QTest::addColumn<int>("firstReading");
    QTest::addColumn<QString>("status");

    QTest::newRow("basic") << TableKind::Basic << 21 << 23
                           << u"Чтение основного архива! В архиве 3 измерений"_s;
    QTest::newRow("individual") << TableKind::Individual << 18 << 20
                                << u"Чтение индивидуального архива! В архиве 3 измерений"_s;
}

void TestArchiveLoader::loadsEachKind()
{
    QFETCH(TableKind, kind);
    QFETCH(int, fixed);
    QFETCH(int, firstReading);
    QFETCH(QString, status);
    const bool basic = kind == TableKind::Basic;
    const auto fixedOf = basic ? basicFixed : individualFixed;
    const QList<int> readingCounts{0, 7, 15};
    QList<QStringList> records;
    for (int n = 1; n <= 3; ++n)
        records.append(fixedOf(n) + readings(n, readingCounts[n - 1]));
    const QString text = archiveText(basic ? basicHeader() : individualHeader(), records);
    const QString fileName = write(u"archive.csv"_s, utf8WithMark(text));

    const LoadResult result = load(fileName);

    QCOMPARE(result.outcome, LoadResult::Outcome::Loaded);
    QCOMPARE(result.kind, kind);
    QCOMPARE(result.rowCount, 3);
    QVERIFY(result.damagedLines.isEmpty());
    QVERIFY(result.set);
    QCOMPARE(result.set->kind(), kind);
    const MeasurementModel &table = result.set->rows();
    QCOMPARE(table.definition().name, definitionOf(kind).name);
    QCOMPARE(table.rowCount(), 3);
    QCOMPARE(table.rowCount(QModelIndex()), 3); // announced: the batch is closed
    for (int row = 0; row < 3; ++row) {
        const QStringList &record = records[row];
        QCOMPARE(table.cellText(0, row), QString::number(row + 1));
        for (int k = 1; k <= fixed; ++k)
            QCOMPARE(table.cellText(k, row), record[k - 1]);
        QCOMPARE(table.cellText(fixed + 1, row), QString()); // the note column
        const int count = readingCounts[row];
        for (int j = 0; j < 15; ++j) {
            const QString expected = j < count ? record[fixed + j] : QString();
            QCOMPARE(table.cellText(firstReading + j, row), expected);
        }
    }
    QCOMPARE(table.cellText(firstReading + 2, 2), u"     "_s);
    QCOMPARE(table.cellText(firstReading + 4, 2), u"-3,5"_s);

    const ArchiveLines &lines = result.set->lines();
    QCOMPARE(lines.lines(), text.split(u"\r\n"_s).mid(0, 5));
    QCOMPARE(lines.encoding(), ArchiveEncoding::Utf8);
    QCOMPARE(m_progress->statusTexts, (QStringList{status, QString()}));
    QCOMPARE(m_progress->maximum, 3);
    QCOMPARE(m_progress->values, (QList<int>{2, 3, 4, 0}));
}

void TestArchiveLoader::twoLineArchive()
{
    const QString empty = write(u"empty.csv"_s, utf8WithMark(archiveText(basicHeader(), {})));

    const LoadResult result = load(empty);

    QCOMPARE(result.outcome, LoadResult::Outcome::Loaded);
    QCOMPARE(result.kind, TableKind::Basic);
    QCOMPARE(result.rowCount, 0);
    QCOMPARE(result.set->rows().rowCount(), 0);
    QCOMPARE(result.set->lines().size(), 2);
    QCOMPARE(m_progress->statusTexts,
             (QStringList{u"Чтение основного архива! В архиве 0 измерений"_s, QString()}));
    QCOMPARE(m_progress->values, QList<int>{0});
}

void TestArchiveLoader::otherKindStaysUntouched()
{
    // The kind follows the header alone, and a load reads nothing but its own file: two
    // loads give two independent sets.
    const QString individual = write(
            u"individual.csv"_s,
            utf8WithMark(archiveText(individualHeader(), {individualFixed(1), individualFixed(2)})));
    const QString basic =
            write(u"basic.csv"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(7)})));
    const LoadResult first = load(individual);
    const QList<QStringList> individualCells = cellTexts(first.set->rows());

    const LoadResult second = load(basic);

    QCOMPARE(first.kind, TableKind::Individual);
    QCOMPARE(second.kind, TableKind::Basic);
    QCOMPARE(cellTexts(first.set->rows()), individualCells);
    QCOMPARE(second.set->rows().cellText(3, 0), u"b7.3"_s);
    QCOMPARE(second.set->rows().columnCount(), 38);
    QCOMPARE(first.set->rows().columnCount(), 35);
}

void TestArchiveLoader::rejectedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes"); // written unless the row says "missing"
    QTest::addColumn<QString>("target");   // "file", "missing" or "folder"

    const QString record = basicFixed(1).join(u';');
    QTest::newRow("missing") << QByteArray() << u"missing"_s;
    QTest::newRow("folder") << QByteArray() << u"folder"_s;
    QTest::newRow("empty file") << QByteArray() << u"file"_s;
    QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << u"file"_s;
    QTest::newRow("empty header")
            << utf8WithMark(u"\r\nline\r\n"_s + record) << u"file"_s;
    QTest::newRow("short header")
            << utf8WithMark(u"Основной архив\r\nline\r\n"_s + record) << u"file"_s;
    QTest::newRow("kind only") << utf8WithMark(u"Индивид.\r\nline\r\n"_s) << u"file"_s;
    QTest::newRow("single header line")
            << utf8WithMark(basicHeader() + u"\r\n"_s) << u"file"_s;
    QTest::newRow("letter case") << utf8WithMark(u"основной архив v003\r\nx\r\n"_s + record)
                                 << u"file"_s;
    QTest::newRow("other version")
            << utf8WithMark(u"Основной архив v002\r\nx\r\n"_s + record) << u"file"_s;
    QTest::newRow("utf-8 without mark read as ansi")
            << (basicHeader() + u"\r\nx\r\n"_s + record).toUtf8() << u"file"_s;
    // Only the first mark is dropped: the second one starts the kind word.
    QTest::newRow("two utf-8 marks")
            << QByteArray("\xEF\xBB\xBF") + utf8WithMark(basicHeader() + u"\r\nx\r\n"_s + record)
            << u"file"_s;
    QTest::newRow("utf-16 mark, then U+FEFF")
            << QByteArray("\xFF\xFE") + utf16(u"\uFEFF"_s + basicHeader() + u"\r\nx\r\n"_s + record, true)
            << u"file"_s;
}

void TestArchiveLoader::rejectedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, target);

    QString fileName = m_dir.filePath(u"missing.csv"_s);
    if (target == u"file"_s)
        fileName = write(u"rejected.csv"_s, bytes);
    else if (target == u"folder"_s)
        fileName = m_dir.path();
    const LoadResult result = load(fileName);

    QCOMPARE(result.outcome, target == u"file"_s ? LoadResult::Outcome::NotAnArchive
                                                 : LoadResult::Outcome::ReadFailed);
    QVERIFY(!result.set);
    QVERIFY(!result.kind);
    QCOMPARE(m_progress->statusTexts, QStringList{QString()});
    QCOMPARE(m_progress->values, QList<int>{0});
    QCOMPARE(m_progress->maximum, -1);
}

void TestArchiveLoader::rejectedFileWithNothingShown()
{
    const QString fileName = write(u"rejected.csv"_s, utf8WithMark(u"Прочее x v003\r\nx\r\n"_s));

    const LoadResult result = load(fileName);

    QCOMPARE(result.outcome, LoadResult::Outcome::NotAnArchive);
    QVERIFY(!result.set);
    QVERIFY(result.damagedLines.isEmpty());
}

void TestArchiveLoader::damagedRecords()
{
    const QStringList shortRecord = basicFixed(2).mid(0, 10);
    const QStringList tooMany = basicFixed(4) + readings(4, 17);
    const QString text = archiveText(basicHeader(),
                                     {basicFixed(1), shortRecord, {}, tooMany, basicFixed(5)});
    const QString fileName = write(u"damaged.csv"_s, utf8WithMark(text));

    const LoadResult result = load(fileName);

    QCOMPARE(result.outcome, LoadResult::Outcome::Loaded);
    QCOMPARE(result.damagedLines, (QList<int>{4, 5, 6}));
    QCOMPARE(result.rowCount, 4);
    const MeasurementModel &table = result.set->rows();
    QCOMPARE(table.rowCount(), 4);
    QStringList numbers;
    for (int row = 0; row < table.rowCount(); ++row)
        numbers.append(table.cellText(0, row));
    QCOMPARE(numbers, (QStringList{u"1"_s, u"2"_s, u"4"_s, u"5"_s}));
    for (int k = 1; k <= 21; ++k)
        QCOMPARE(table.cellText(k, 1), k <= 10 ? shortRecord[k - 1] : QString());
    for (int j = 0; j < 15; ++j)
        QCOMPARE(table.cellText(23 + j, 2), tooMany[21 + j]);
    QCOMPARE(table.cellText(3, 3), u"b5.3"_s);
    const ArchiveLines &lines = result.set->lines();
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines.lines()[4], QString());
    QCOMPARE(lines.lines()[5], tooMany.join(u';'));
    QCOMPARE(m_progress->statusTexts.first(), u"Чтение основного архива! В архиве 4 измерений"_s);
    QCOMPARE(table.updateDepth(), 0);
}

void TestArchiveLoader::quotedFields()
{
    // Several fields of one record with doubled quotes, beside quoted and plain ones: each
    // value lands in its own cell, the archive lines keep the record as written.
    QStringList record = basicFixed(1) + readings(1, 4);
    record[2] = uR"("Общая ""А""")"_s;
    record[4] = uR"("x;y")"_s;
    record[7] = uR"("""")"_s;
    record[22] = uR"("""5"" и ""6""")"_s;
    const QString text = archiveText(basicHeader(), {record, basicFixed(2)});
    const QString fileName = write(u"quoted.csv"_s, utf8WithMark(text));

    const LoadResult result = load(fileName);

    QCOMPARE(result.outcome, LoadResult::Outcome::Loaded);
    QVERIFY(result.damagedLines.isEmpty());
    const MeasurementModel &table = result.set->rows();
    QCOMPARE(table.cellText(3, 0), uR"(Общая "А")"_s);
    QCOMPARE(table.cellText(5, 0), u"x;y"_s);
    QCOMPARE(table.cellText(8, 0), u"\""_s);
    QCOMPARE(table.cellText(4, 0), record[3]);
    QCOMPARE(table.cellText(23, 0), record[21]);
    QCOMPARE(table.cellText(24, 0), uR"("5" и "6")"_s);
    QCOMPARE(table.cellText(3, 1), basicFixed(2)[2]);
    QCOMPARE(result.set->lines().lines()[2], record.join(u';'));
}

void TestArchiveLoader::damagedRecordsText_data()
{
    QTest::addColumn<QList<int>>("lines");
    QTest::addColumn<QString>("text");

    QTest::newRow("one") << QList<int>{5} << u"Повреждённых записей в архиве: 1 (строка 5)."_s;
    QTest::newRow("five") << QList<int>{3, 4, 9, 12, 40}
                          << u"Повреждённых записей в архиве: 5 (строки 3, 4, 9, 12, 40)."_s;
    QTest::newRow("more than five")
            << QList<int>{3, 4, 5, 6, 7, 8, 9}
            << u"Повреждённых записей в архиве: 7 (строки 3, 4, 5, 6, 7 и другие)."_s;
}

void TestArchiveLoader::damagedRecordsText()
{
    QFETCH(QList<int>, lines);
    QFETCH(QString, text);
    QCOMPARE(::damagedRecordsText(lines), text);
}

void TestArchiveLoader::fillWritesOneBatch()
{
    // Rows are added at once and every cell is written inside the one batch, so a view of
    // the table is told of the rows once.
    const ArchiveLines lines(splitLines(archiveText(basicHeader(), {basicFixed(1), {}, basicFixed(3)})),
                             ArchiveEncoding::Utf8);
    RecordingTable table(38);
    NullProgress progress;

    const QList<int> damaged = fillRecords(table, lines, definitionOf(TableKind::Basic), progress);

    QCOMPARE(damaged, QList<int>{4});
    QCOMPARE(table.calls, (QStringList{u"begin"_s, u"append 2"_s, u"end"_s}));
    QVERIFY(!table.cellWrittenOutsideBatch);
    QCOMPARE(table.cellText(0, 1), u"3"_s);
}

void TestArchiveLoader::failureHalfWayThroughFillingPassesOn()
{
    // The table raises on the second record: the batch is closed and the error passes on.
    const ArchiveLines lines(splitLines(archiveText(basicHeader(),
                                                    {basicFixed(1), basicFixed(2), basicFixed(3)})),
                             ArchiveEncoding::Utf8);
    RecordingTable table(38);
    table.failAt = std::pair{5, 1};
    NullProgress progress;
    QVERIFY_THROWS_EXCEPTION(AppError,
                             fillRecords(table, lines, definitionOf(TableKind::Basic), progress));
    QCOMPARE(table.updateDepth, 0);

    // A whole load that fails while filling returns nothing and leaves the progress at rest.
    const QString fileName =
            write(u"three.csv"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(1), basicFixed(2), basicFixed(3)})));
    m_progress->failAtValue = 3;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, load(fileName));
    QCOMPARE(m_progress->statusTexts.last(), QString());
    QCOMPARE(m_progress->values, (QList<int>{2, 3, 0}));
}

QTEST_GUILESS_MAIN(TestArchiveLoader)
#include "tst_archiveloader.moc"
