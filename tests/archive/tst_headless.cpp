// The archive core with no window of any kind: the example instrument disk found, both
// archives loaded into measurement sets, their cells read and their lines saved back.
#include "archive/archivefields.h"
#include "archive/archiveloader.h"
#include "archive/drivediscovery.h"
#include "archive/loadprogress.h"
#include "archivefixtures.h"
#include "platform/codepages.h"
#include "platform/driveroots.h"
#include "platform/regionalsettings.h"
#include "tables/tabledefinition.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace fixtures;

Q_DECLARE_METATYPE(TableKind)

namespace {

class ListedDrives final : public DriveRoots
{
public:
    QStringList rootList;
    QStringList roots() const override { return rootList; }
};

} // namespace

class TestHeadless : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void examplesLoadIntoTheirSets_data();
    void examplesLoadIntoTheirSets();
    void unparsableDateIsZeroDate_data();
    void unparsableDateIsZeroDate();

private:
    static QString examplesRoot();
    LoadResult load(const QString &fileName);

    QTemporaryDir m_dir;
    std::unique_ptr<AnsiCodePage> m_ansi;
    RegionalSettings m_regional; // day.month.year, decimal comma
    NullLoadProgress m_progress;
    QStringList m_found;
};

QString TestHeadless::examplesRoot()
{
    return qEnvironmentVariable("LIRAS_SOURCE_DIR") + u"/examples/instrument/"_s;
}

LoadResult TestHeadless::load(const QString &fileName)
{
    return LoadArchive(fileName, *m_ansi, m_regional, m_progress);
}

void TestHeadless::initTestCase()
{
    QVERIFY(!QCoreApplication::instance()->inherits("QGuiApplication"));
    m_ansi = makeCodePage(1251);
    QVERIFY(m_ansi);
    // An empty drive first: the instrument is the second drive.
    ListedDrives drives;
    drives.rootList = {m_dir.path() + u'/', examplesRoot()};
    m_found = findInstrumentArchives(drives);
    QCOMPARE(m_found, (QStringList{examplesRoot() + basicArchivePath(),
                                   examplesRoot() + individualArchivePath()}));
}

void TestHeadless::examplesLoadIntoTheirSets_data()
{
    QTest::addColumn<TableKind>("kind");
    QTest::addColumn<ArchiveEncoding>("encoding");
    QTest::newRow("basic") << TableKind::Basic << ArchiveEncoding::Ansi;
    QTest::newRow("individual") << TableKind::Individual << ArchiveEncoding::Utf8;
}

void TestHeadless::examplesLoadIntoTheirSets()
{
    QFETCH(TableKind, kind);
    QFETCH(ArchiveEncoding, encoding);
    const QString fileName = m_found[kind == TableKind::Basic ? 0 : 1];

    const LoadResult result = load(fileName);

    QCOMPARE(result.outcome, LoadResult::Outcome::Loaded);
    QCOMPARE(result.kind, kind);
    QVERIFY(result.damagedLines.isEmpty()); // no damaged record in the examples
    const MeasurementModel &table = result.set->rows();
    const TableDefinition &definition = table.definition();
    QCOMPARE(definition.kind, kind);
    const int fixed = definition.fixedFieldCount;
    const ArchiveLines &archive = result.set->lines();
    QCOMPARE(archive.encoding(), encoding);
    QCOMPARE(table.rowCount(), archive.size() - 2);
    QCOMPARE(result.rowCount, table.rowCount());
    QVERIFY(table.rowCount() >= 40);

    QSet<qsizetype> readingCounts;
    bool blankReading = false;
    bool negativeReading = false;
    for (int row = 0; row < table.rowCount(); ++row) {
        const QStringList fields = splitFields(archive.line(row + 2), u';');
        QCOMPARE(table.cellText(0, row), QString::number(row + 1));
        for (int k = 1; k <= fixed; ++k)
            QCOMPARE(table.cellText(k, row), fields[k - 1]);
        QCOMPARE(table.cellText(definition.noteColumn, row), QString());
        const QStringList readings = fields.mid(fixed);
        for (int j = 0; j < 15; ++j) {
            const QString cell = table.cellText(definition.firstReadingColumn + j, row);
            QCOMPARE(cell, j < readings.size() ? readings[j] : QString());
            blankReading = blankReading || (j < readings.size() && cell == u"     "_s);
            negativeReading = negativeReading || cell.startsWith(u'-');
        }
        readingCounts.insert(std::count_if(readings.cbegin(), readings.cend(),
                                           [](const QString &r) { return r != u"     "_s; }));
    }
    // The examples show every case a user meets on the instrument: none, seven or all
    // fifteen readings taken.
    QVERIFY(readingCounts.contains(0));
    QVERIFY(readingCounts.contains(7));
    QVERIFY(readingCounts.contains(15));
    QVERIFY(blankReading);
    QVERIFY(negativeReading);

    // Saved back, the lines give the file byte for byte.
    const QString copy = m_dir.filePath(u"copy.csv"_s);
    QVERIFY(writeArchiveFile(archive, copy, *m_ansi));
    QCOMPARE(readFile(copy), readFile(fileName));
}

void TestHeadless::unparsableDateIsZeroDate_data()
{
    QTest::addColumn<QByteArray>("firstRecord"); // the bytes of its line in UTF-8

    QStringList letters = basicFixed(1);
    letters[0] = u"abc"_s;
    QTest::newRow("letters") << letters.join(u';').toUtf8();
    // Only the file's first mark is dropped: one at the start of a line is text in the date.
    QTest::newRow("byte-order mark before the date")
            << QByteArray("\xEF\xBB\xBF") + basicFixed(1).join(u';').toUtf8();
}

void TestHeadless::unparsableDateIsZeroDate()
{
    QFETCH(QByteArray, firstRecord);
    const QString fileName = m_dir.filePath(u"dates.csv"_s);
    QVERIFY(writeFile(fileName, utf8WithMark(archiveText(basicHeader(), {})) + firstRecord + "\r\n"
                                        + basicFixed(2).join(u';').toUtf8() + "\r\n"));

    const LoadResult result = load(fileName);

    const MeasurementModel &table = result.set->rows();
    QCOMPARE(table.cellText(1, 0), u"30.12.1899"_s);
    QCOMPARE(table.cellText(1, 1), u"15.03.2019"_s);
}

QTEST_GUILESS_MAIN(TestHeadless)
#include "tst_headless.moc"
