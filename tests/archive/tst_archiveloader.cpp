#include "archive/archiveloader.h"
#include "archivefixtures.h"
#include "archivetestdoubles.h"
#include "platform/apperror.h"
#include "platform/ui/fakeplatform.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace fixtures;

Q_DECLARE_METATYPE(ArchiveKind)

namespace {

// The texts of all cells of a table, row by row, to compare a table before and after.
QList<QStringList> cells(const RecordingTable &table)
{
    QList<QStringList> rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < table.columnCount(); ++column)
            texts.append(table.cellText(column, row));
        rows.append(texts);
    }
    return rows;
}

} // namespace

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
    void tableFailureLeavesNoHalfFilledTable();

private:
    QString write(const QString &name, const QByteArray &bytes);

    QTemporaryDir m_dir;
    FakePlatform m_fakes;
    std::unique_ptr<RecordingHost> m_host;
};

void TestArchiveLoader::init()
{
    m_host = std::make_unique<RecordingHost>();
    m_fakes.dialogs.shown.clear();
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
    QTest::addColumn<ArchiveKind>("kind");
    QTest::addColumn<int>("fixed");
    QTest::addColumn<int>("firstReading");
    QTest::addColumn<QString>("status");

    QTest::newRow("basic") << ArchiveKind::Basic << 21 << 23
                           << u"Чтение основного архива! В архиве 3 измерений"_s;
    QTest::newRow("individual") << ArchiveKind::Individual << 18 << 20
                                << u"Чтение индивидуального архива! В архиве 3 измерений"_s;
}

void TestArchiveLoader::loadsEachKind()
{
    QFETCH(ArchiveKind, kind);
    QFETCH(int, fixed);
    QFETCH(int, firstReading);
    QFETCH(QString, status);
    const bool basic = kind == ArchiveKind::Basic;
    const auto fixedOf = basic ? basicFixed : individualFixed;
    const QList<int> readingCounts{0, 7, 15};
    QList<QStringList> records;
    for (int n = 1; n <= 3; ++n)
        records.append(fixedOf(n) + readings(n, readingCounts[n - 1]));
    const QString text = archiveText(basic ? basicHeader() : individualHeader(), records);
    const QString fileName = write(u"archive.csv"_s, utf8WithMark(text));

    const LoadResult result = LoadArchive(fileName, *m_host, m_fakes.platform());

    QCOMPARE(result.outcome, LoadResult::Outcome::Loaded);
    QCOMPARE(result.kind, kind);
    QCOMPARE(result.rowCount, 3);
    QVERIFY(result.damagedLines.isEmpty());
    RecordingTable &table = m_host->recordingTable(kind);
    QCOMPARE(table.rowCount(), 3);
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

    QStringList calls{u"clear"_s, u"begin"_s, u"append 3"_s};
    for (int column = 0; column < fixed; ++column)
        calls.append(u"fill %1"_s.arg(column));
    calls.append(u"end"_s);
    QCOMPARE(table.calls, calls);
    QVERIFY(!table.cellWrittenOutsideBatch);

    const ArchiveLines &lines = m_host->archiveLines(kind);
    QCOMPARE(lines.lines(), text.split(u"\r\n"_s).mid(0, 5));
    QCOMPARE(lines.encoding(), ArchiveEncoding::Utf8);
    QCOMPARE(m_host->isTabVisible(kind), true);
    QCOMPARE(m_host->activePage, basic ? 0 : 1);
    QCOMPARE(m_host->statusTexts, (QStringList{status, QString()}));
    QCOMPARE(m_host->progressBar.maximum, 3);
    QCOMPARE(m_host->progressBar.values, (QList<int>{2, 3, 4, 0}));
    QCOMPARE(m_host->alignedPages, QList<int>{basic ? 0 : 1});
    QVERIFY(m_host->dataCommandsEnabled);
    QVERIFY(m_fakes.dialogs.shown.isEmpty());

    // The other kind is not touched.
    const ArchiveKind other = basic ? ArchiveKind::Individual : ArchiveKind::Basic;
    QVERIFY(m_host->recordingTable(other).calls.isEmpty());
    QVERIFY(m_host->archiveLines(other).isEmpty());
    QVERIFY(!m_host->isTabVisible(other));
}

void TestArchiveLoader::twoLineArchive()
{
    const QString full = write(u"full.csv"_s,
                               utf8WithMark(archiveText(basicHeader(), {basicFixed(1)})));
    LoadArchive(full, *m_host, m_fakes.platform());
    m_host->basicTable.calls.clear();
    m_host->statusTexts.clear();

    const QString empty = write(u"empty.csv"_s, utf8WithMark(archiveText(basicHeader(), {})));
    const LoadResult result = LoadArchive(empty, *m_host, m_fakes.platform());

    QCOMPARE(result.outcome, LoadResult::Outcome::Loaded);
    QCOMPARE(m_host->basicTable.rowCount(), 0);
    QCOMPARE(m_host->basicTable.calls,
             (QStringList{u"clear"_s, u"begin"_s, u"append 0"_s, u"end"_s}));
    QCOMPARE(m_host->statusTexts,
             (QStringList{u"Чтение основного архива! В архиве 0 измерений"_s, QString()}));
    QCOMPARE(m_host->List_b.size(), 2);
    QVERIFY(m_host->basicTabVisible);
    QCOMPARE(m_host->activePage, 0);
    QVERIFY(m_host->dataCommandsEnabled);
}

void TestArchiveLoader::otherKindStaysUntouched()
{
    const QString individual = write(
            u"individual.csv"_s,
            utf8WithMark(archiveText(individualHeader(), {individualFixed(1), individualFixed(2)})));
    const QString basic =
            write(u"basic.csv"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(7)})));
    LoadArchive(individual, *m_host, m_fakes.platform());
    const QList<QStringList> individualCells = cells(m_host->individualTable);
    const ArchiveLines individualLines = m_host->List_ind;
    m_host->individualTable.calls.clear();

    LoadArchive(basic, *m_host, m_fakes.platform());

    QVERIFY(m_host->individualTable.calls.isEmpty());
    QCOMPARE(cells(m_host->individualTable), individualCells);
    QCOMPARE(m_host->List_ind, individualLines);
    QVERIFY(m_host->individualTabVisible);
    QVERIFY(m_host->basicTabVisible);
    QCOMPARE(m_host->activePage, 0);
    QCOMPARE(m_host->basicTable.cellText(3, 0), u"b7.3"_s);
    QCOMPARE(m_host->alignedPages, (QList<int>{1, 0}));
}

void TestArchiveLoader::rejectedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes"); // written unless the row says "missing"
    QTest::addColumn<QString>("target");   // "file", "missing" or "folder"
    QTest::addColumn<QString>("message");

    const QString notArchive = u"Файл не является архивом!"_s;
    const QString unreadable = u"Ошибка чтения файла!"_s;
    const QString record = basicFixed(1).join(u';');
    QTest::newRow("missing") << QByteArray() << u"missing"_s << unreadable;
    QTest::newRow("folder") << QByteArray() << u"folder"_s << unreadable;
    QTest::newRow("empty file") << QByteArray() << u"file"_s << notArchive;
    QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << u"file"_s << notArchive;
    QTest::newRow("empty header")
            << utf8WithMark(u"\r\nline\r\n"_s + record) << u"file"_s << notArchive;
    QTest::newRow("short header")
            << utf8WithMark(u"Основной архив\r\nline\r\n"_s + record) << u"file"_s << notArchive;
    QTest::newRow("kind only") << utf8WithMark(u"Индивид.\r\nline\r\n"_s) << u"file"_s
                               << notArchive;
    QTest::newRow("single header line")
            << utf8WithMark(basicHeader() + u"\r\n"_s) << u"file"_s << notArchive;
    QTest::newRow("letter case") << utf8WithMark(u"основной архив v003\r\nx\r\n"_s + record)
                                 << u"file"_s << notArchive;
    QTest::newRow("other version")
            << utf8WithMark(u"Основной архив v002\r\nx\r\n"_s + record) << u"file"_s << notArchive;
    QTest::newRow("utf-8 without mark read as ansi")
            << (basicHeader() + u"\r\nx\r\n"_s + record).toUtf8() << u"file"_s << notArchive;
    // Only the first mark is dropped: the second one starts the kind word.
    QTest::newRow("two utf-8 marks")
            << QByteArray("\xEF\xBB\xBF") + utf8WithMark(basicHeader() + u"\r\nx\r\n"_s + record)
            << u"file"_s << notArchive;
    QTest::newRow("utf-16 mark, then U+FEFF")
            << QByteArray("\xFF\xFE") + utf16(u"\uFEFF"_s + basicHeader() + u"\r\nx\r\n"_s + record, true)
            << u"file"_s << notArchive;
}

void TestArchiveLoader::rejectedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, target);
    QFETCH(QString, message);
    const QString shown =
            write(u"shown.csv"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(1)})));
    LoadArchive(shown, *m_host, m_fakes.platform());
    const QList<QStringList> before = cells(m_host->basicTable);
    const ArchiveLines linesBefore = m_host->List_b;
    m_host->basicTable.calls.clear();
    m_fakes.dialogs.shown.clear();

    QString fileName = m_dir.filePath(u"missing.csv"_s);
    if (target == u"file"_s)
        fileName = write(u"rejected.csv"_s, bytes);
    else if (target == u"folder"_s)
        fileName = m_dir.path();
    const LoadResult result = LoadArchive(fileName, *m_host, m_fakes.platform());

    QCOMPARE(result.outcome, target == u"file"_s ? LoadResult::Outcome::NotAnArchive
                                                 : LoadResult::Outcome::ReadFailed);
    QCOMPARE(m_fakes.dialogs.messages(), QStringList{message});
    QVERIFY(m_host->basicTable.calls.isEmpty());
    QVERIFY(m_host->individualTable.calls.isEmpty());
    QCOMPARE(cells(m_host->basicTable), before);
    QCOMPARE(m_host->List_b, linesBefore);
    QVERIFY(m_host->List_ind.isEmpty());
    QVERIFY(m_host->basicTabVisible);
    QVERIFY(!m_host->individualTabVisible);
    QCOMPARE(m_host->activePage, 0);
    QVERIFY(m_host->dataCommandsEnabled);
    QCOMPARE(m_host->statusTexts.last(), QString());
    QCOMPARE(m_host->progressBar.values.last(), 0);
}

void TestArchiveLoader::rejectedFileWithNothingShown()
{
    const QString fileName = write(u"rejected.csv"_s, utf8WithMark(u"Прочее x v003\r\nx\r\n"_s));

    const LoadResult result = LoadArchive(fileName, *m_host, m_fakes.platform());

    QCOMPARE(result.outcome, LoadResult::Outcome::NotAnArchive);
    QCOMPARE(m_fakes.dialogs.messages(), QStringList{u"Файл не является архивом!"_s});
    QVERIFY(!m_host->basicTabVisible);
    QVERIFY(!m_host->individualTabVisible);
    QVERIFY(!m_host->dataCommandsEnabled);
}

void TestArchiveLoader::damagedRecords()
{
    const QStringList shortRecord = basicFixed(2).mid(0, 10);
    const QStringList tooMany = basicFixed(4) + readings(4, 17);
    const QString text = archiveText(basicHeader(),
                                     {basicFixed(1), shortRecord, {}, tooMany, basicFixed(5)});
    const QString fileName = write(u"damaged.csv"_s, utf8WithMark(text));

    const LoadResult result = LoadArchive(fileName, *m_host, m_fakes.platform());

    QCOMPARE(result.outcome, LoadResult::Outcome::Loaded);
    QCOMPARE(result.damagedLines, (QList<int>{4, 5, 6}));
    const RecordingTable &table = m_host->basicTable;
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
    QCOMPARE(m_host->List_b.size(), 7);
    QCOMPARE(m_host->List_b.lines()[4], QString());
    QCOMPARE(m_host->List_b.lines()[5], tooMany.join(u';'));
    QCOMPARE(m_host->statusTexts.first(), u"Чтение основного архива! В архиве 4 измерений"_s);
    QCOMPARE(m_fakes.dialogs.messages(),
             QStringList{u"Повреждённых записей в архиве: 3 (строки 4, 5, 6)."_s});
    QVERIFY(m_host->basicTabVisible);
    QCOMPARE(table.updateDepth, 0);
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

    const LoadResult result = LoadArchive(fileName, *m_host, m_fakes.platform());

    QCOMPARE(result.outcome, LoadResult::Outcome::Loaded);
    QVERIFY(result.damagedLines.isEmpty());
    const RecordingTable &table = m_host->basicTable;
    QCOMPARE(table.cellText(3, 0), uR"(Общая "А")"_s);
    QCOMPARE(table.cellText(5, 0), u"x;y"_s);
    QCOMPARE(table.cellText(8, 0), u"\""_s);
    QCOMPARE(table.cellText(4, 0), record[3]);
    QCOMPARE(table.cellText(23, 0), record[21]);
    QCOMPARE(table.cellText(24, 0), uR"("5" и "6")"_s);
    QCOMPARE(table.cellText(3, 1), basicFixed(2)[2]);
    QCOMPARE(m_host->List_b.lines()[2], record.join(u';'));
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

void TestArchiveLoader::tableFailureLeavesNoHalfFilledTable()
{
    const QString first =
            write(u"first.csv"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(1)})));
    LoadArchive(first, *m_host, m_fakes.platform());
    const ArchiveLines linesBefore = m_host->List_b;
    const QString second = write(
            u"second.csv"_s,
            utf8WithMark(archiveText(basicHeader(), {basicFixed(1), basicFixed(2), basicFixed(3)})));
    m_host->basicTable.failAt = std::pair{5, 1};

    QVERIFY_THROWS_EXCEPTION(AppError, LoadArchive(second, *m_host, m_fakes.platform()));

    QCOMPARE(m_host->basicTable.rowCount(), 0);
    QCOMPARE(m_host->basicTable.updateDepth, 0);
    QCOMPARE(m_host->List_b, linesBefore);
    QCOMPARE(m_host->statusTexts.last(), QString());
    QCOMPARE(m_host->progressBar.values.last(), 0);
}

QTEST_GUILESS_MAIN(TestArchiveLoader)
#include "tst_archiveloader.moc"
