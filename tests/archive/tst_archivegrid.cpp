#include "archive/archivefields.h"
#include "archive/archiveloader.h"
#include "archive/drivediscovery.h"
#include "archive/filecommands.h"
#include "archivefixtures.h"
#include "gridhost.h"
#include "platform/ui/fakeplatform.h"
#include "tables/tabledefinition.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace fixtures;

Q_DECLARE_METATYPE(ArchiveKind)

// Loading into the real grids: the example instrument disk end to end, and what the grid
// itself does with the loaded texts.
class TestArchiveGrid : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void examplesLoadIntoTheirGrids_data();
    void examplesLoadIntoTheirGrids();
    void examplesSaveBackUnchanged();
    void unparsableDateIsZeroDate_data();
    void unparsableDateIsZeroDate();

private:
    QString examplesRoot() const;

    QTemporaryDir m_dir;
    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<GridHost> m_host;
};

QString TestArchiveGrid::examplesRoot() const
{
    return qEnvironmentVariable("LIRAS_SOURCE_DIR") + u"/examples/instrument/"_s;
}

void TestArchiveGrid::init()
{
    m_fakes = std::make_unique<FakePlatform>();
    m_host = std::make_unique<GridHost>(m_fakes->regional);
    // An empty drive first: the instrument is the second drive.
    m_fakes->drives.rootList = {m_dir.path() + u'/', examplesRoot()};
    QCOMPARE(openInstrumentArchives(*m_host, m_fakes->platform()), 2);
}

void TestArchiveGrid::examplesLoadIntoTheirGrids_data()
{
    QTest::addColumn<ArchiveKind>("kind");
    QTest::addColumn<ArchiveEncoding>("encoding");
    QTest::newRow("basic") << ArchiveKind::Basic << ArchiveEncoding::Ansi;
    QTest::newRow("individual") << ArchiveKind::Individual << ArchiveEncoding::Utf8;
}

void TestArchiveGrid::examplesLoadIntoTheirGrids()
{
    QFETCH(ArchiveKind, kind);
    QFETCH(ArchiveEncoding, encoding);
    QVERIFY(m_fakes->dialogs.shown.isEmpty()); // no damaged record in the examples
    QCOMPARE(m_host->activePageIndex(), 1);
    QVERIFY(m_host->isTabVisible(kind));

    const MeasurementGrid &grid = m_host->grid(kind);
    const TableDefinition &definition = grid.definition();
    const int fixed = definition.fixedFieldCount;
    const ArchiveLines &archive = m_host->archiveLines(kind);
    QCOMPARE(archive.encoding(), encoding);
    QCOMPARE(grid.rowCount(), archive.size() - 2);
    QVERIFY(grid.rowCount() >= 40);
    for (int column = 0; column < definition.columnCount(); ++column)
        QCOMPARE(grid.isFillMode(column), column < fixed);

    QSet<qsizetype> readingCounts;
    bool blankReading = false;
    bool negativeReading = false;
    for (int row = 0; row < grid.rowCount(); ++row) {
        const QStringList fields = splitFields(archive.line(row + 2), u';');
        QCOMPARE(grid.cellText(0, row), QString::number(row + 1));
        for (int k = 1; k <= fixed; ++k)
            QCOMPARE(grid.cellText(k, row), fields[k - 1]);
        QCOMPARE(grid.cellText(definition.noteColumn, row), QString());
        const QStringList readings = fields.mid(fixed);
        for (int j = 0; j < 15; ++j) {
            const QString cell = grid.cellText(definition.firstReadingColumn + j, row);
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
}

void TestArchiveGrid::examplesSaveBackUnchanged()
{
    ArchiveFileCommands commands(*m_host, m_fakes->platform());
    const QString individual = m_dir.filePath(u"individual.csv"_s);
    const QString basic = m_dir.filePath(u"basic.csv"_s);
    m_fakes->dialogs.fileAnswers.enqueue(individual);
    m_fakes->dialogs.fileAnswers.enqueue(basic);

    commands.saveAs();
    m_host->setActivePage(ArchiveKind::Basic);
    commands.saveAs();

    QCOMPARE(readFile(individual),
             readFile(examplesRoot() + u"ARCHIVE/archive_individual.csv"_s));
    QCOMPARE(readFile(basic), readFile(examplesRoot() + u"ARCHIVE/archive_basic.csv"_s));
}

void TestArchiveGrid::unparsableDateIsZeroDate_data()
{
    QTest::addColumn<QByteArray>("firstRecord"); // the bytes of its line in UTF-8

    QStringList letters = basicFixed(1);
    letters[0] = u"abc"_s;
    QTest::newRow("letters") << letters.join(u';').toUtf8();
    // Only the file's first mark is dropped: one at the start of a line is text in the date.
    QTest::newRow("byte-order mark before the date")
            << QByteArray("\xEF\xBB\xBF") + basicFixed(1).join(u';').toUtf8();
}

void TestArchiveGrid::unparsableDateIsZeroDate()
{
    QFETCH(QByteArray, firstRecord);
    const QString fileName = m_dir.filePath(u"dates.csv"_s);
    QVERIFY(writeFile(fileName, utf8WithMark(archiveText(basicHeader(), {})) + firstRecord + "\r\n"
                                        + basicFixed(2).join(u';').toUtf8() + "\r\n"));

    LoadArchive(fileName, *m_host, m_fakes->platform());

    const MeasurementGrid &grid = m_host->grid(ArchiveKind::Basic);
    QCOMPARE(grid.cellText(1, 0), u"30.12.1899"_s);
    QCOMPARE(grid.cellText(1, 1), u"15.03.2019"_s);
}

QTEST_MAIN(TestArchiveGrid)
#include "tst_archivegrid.moc"
