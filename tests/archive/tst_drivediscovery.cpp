#include "archive/drivediscovery.h"
#include "archivefixtures.h"
#include "archivetestdoubles.h"
#include "platform/ui/fakeplatform.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace fixtures;

// Two fake drives, D and E, each a temporary folder listed with its trailing separator.
class TestDriveDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void findOnDrives_data();
    void findOnDrives();
    void listLogicalDrives();
    void loadsBothArchives();
    void nothingFound();
    void onlyIndividualFound();
    void rejectedFileCountsAsFound();
    void tableFollowsHeaderNotName();
    void secondRunReloads();

private:
    QString root(int drive) const;
    QString place(int drive, const QString &relativePath, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
    FakePlatform m_fakes;
    std::unique_ptr<RecordingHost> m_host;
};

void TestDriveDiscovery::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QDir(m_dir->path()).mkdir(u"D"_s);
    QDir(m_dir->path()).mkdir(u"E"_s);
    m_fakes.drives.rootList = {root(0), root(1)};
    m_fakes.dialogs.shown.clear();
    m_host = std::make_unique<RecordingHost>();
}

QString TestDriveDiscovery::root(int drive) const
{
    return m_dir->filePath(drive == 0 ? u"D"_s : u"E"_s) + QDir::separator();
}

QString TestDriveDiscovery::place(int drive, const QString &relativePath, const QByteArray &bytes)
{
    const QString path = root(drive) + relativePath;
    if (!writeFile(path, bytes))
        qFatal("cannot write the fixture");
    return path;
}

void TestDriveDiscovery::findOnDrives_data()
{
    // Entries "<drive>:<kind>" place the basic ("b") or individual ("i") file on drive 0
    // or 1; "<drive>:B" puts a folder named like the basic file there.
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("basicDrive"); // -1: not found
    QTest::addColumn<int>("individualDrive");

    QTest::newRow("both on both drives, first wins")
            << QStringList{u"0:b"_s, u"0:i"_s, u"1:b"_s, u"1:i"_s} << 0 << 0;
    QTest::newRow("each on another drive") << QStringList{u"1:b"_s, u"0:i"_s} << 1 << 0;
    QTest::newRow("only on the second drive") << QStringList{u"1:b"_s, u"1:i"_s} << 1 << 1;
    QTest::newRow("folder named like the file is skipped")
            << QStringList{u"0:B"_s, u"1:b"_s} << 1 << -1;
    QTest::newRow("folder only") << QStringList{u"0:B"_s} << -1 << -1;
    QTest::newRow("nothing") << QStringList{} << -1 << -1;
}

void TestDriveDiscovery::findOnDrives()
{
    QFETCH(QStringList, entries);
    QFETCH(int, basicDrive);
    QFETCH(int, individualDrive);
    for (const QString &entry : std::as_const(entries)) {
        const int drive = entry.at(0).digitValue();
        const QChar what = entry.at(2);
        if (what == u'B')
            QVERIFY(QDir().mkpath(root(drive) + basicArchivePath()));
        else
            place(drive, what == u'b' ? basicArchivePath() : individualArchivePath(), "x");
    }

    const QString basic = FindOnDrives(basicArchivePath(), m_fakes.drives);
    const QString individual = FindOnDrives(individualArchivePath(), m_fakes.drives);

    QCOMPARE(basic, basicDrive < 0 ? QString() : root(basicDrive) + basicArchivePath());
    QCOMPARE(individual,
             individualDrive < 0 ? QString() : root(individualDrive) + individualArchivePath());
}

void TestDriveDiscovery::listLogicalDrives()
{
    QStringList list{u"stale"_s};
    ListLogicalDrives(list, m_fakes.drives);
    QCOMPARE(list, (QStringList{root(0), root(1)}));

    m_fakes.drives.rootList.clear();
    ListLogicalDrives(list, m_fakes.drives);
    QVERIFY(list.isEmpty());
    QCOMPARE(basicArchivePath(), u"ARCHIVE"_s + QDir::separator() + u"archive_basic.csv"_s);
    QCOMPARE(individualArchivePath(),
             u"ARCHIVE"_s + QDir::separator() + u"archive_individual.csv"_s);
}

void TestDriveDiscovery::loadsBothArchives()
{
    place(1, basicArchivePath(), utf8WithMark(archiveText(basicHeader(), {basicFixed(1)})));
    place(0, individualArchivePath(),
          utf8WithMark(archiveText(individualHeader(), {individualFixed(1), individualFixed(2)})));

    QCOMPARE(openInstrumentArchives(*m_host, m_fakes.platform()), 2);

    QCOMPARE(m_host->basicTable.rowCount(), 1);
    QCOMPARE(m_host->individualTable.rowCount(), 2);
    QVERIFY(m_host->basicTabVisible);
    QVERIFY(m_host->individualTabVisible);
    QCOMPARE(m_host->activePage, 1); // the individual archive is loaded last
    QCOMPARE(m_host->alignedPages, (QList<int>{0, 1}));
    QVERIFY(m_fakes.dialogs.shown.isEmpty());
}

void TestDriveDiscovery::nothingFound()
{
    QVERIFY(QDir().mkpath(root(0) + individualArchivePath()));

    QCOMPARE(openInstrumentArchives(*m_host, m_fakes.platform()), 0);
    m_fakes.drives.rootList.clear(); // the drive enumeration failed
    QCOMPARE(openInstrumentArchives(*m_host, m_fakes.platform()), 0);

    const QString message = u"Архивы не найдены! Проверьте подключение прибора!"_s;
    QCOMPARE(m_fakes.dialogs.messages(), (QStringList{message, message}));
    QVERIFY(m_host->basicTable.calls.isEmpty());
    QVERIFY(m_host->individualTable.calls.isEmpty());
    QVERIFY(m_host->statusTexts.isEmpty());
    QCOMPARE(m_host->activePage, -1);
    QVERIFY(!m_host->dataCommandsEnabled);
}

void TestDriveDiscovery::onlyIndividualFound()
{
    place(1, individualArchivePath(),
          utf8WithMark(archiveText(individualHeader(), {individualFixed(1)})));

    QCOMPARE(openInstrumentArchives(*m_host, m_fakes.platform()), 1);

    QCOMPARE(m_host->individualTable.rowCount(), 1);
    QVERIFY(m_host->basicTable.calls.isEmpty());
    QCOMPARE(m_host->activePage, 1);
    QVERIFY(!m_host->basicTabVisible);
    QVERIFY(m_fakes.dialogs.shown.isEmpty());
}

void TestDriveDiscovery::rejectedFileCountsAsFound()
{
    place(0, basicArchivePath(), utf8WithMark(u"Прочее x v003\r\nx\r\n"_s));

    QCOMPARE(openInstrumentArchives(*m_host, m_fakes.platform()), 1);

    QCOMPARE(m_fakes.dialogs.messages(), QStringList{u"Файл не является архивом!"_s});
}

void TestDriveDiscovery::tableFollowsHeaderNotName()
{
    place(0, basicArchivePath(), utf8WithMark(archiveText(individualHeader(), {individualFixed(4)})));

    QCOMPARE(openInstrumentArchives(*m_host, m_fakes.platform()), 1);

    QVERIFY(m_host->basicTable.calls.isEmpty());
    QCOMPARE(m_host->individualTable.cellText(3, 0), u"i4.3"_s);
    QCOMPARE(m_host->activePage, 1);
}

void TestDriveDiscovery::secondRunReloads()
{
    place(1, basicArchivePath(), utf8WithMark(archiveText(basicHeader(), {basicFixed(1)})));
    place(1, individualArchivePath(),
          utf8WithMark(archiveText(individualHeader(), {individualFixed(1)})));
    QCOMPARE(openInstrumentArchives(*m_host, m_fakes.platform()), 2);

    // A newer basic archive appears on the first drive; the individual one stays on E.
    place(0, basicArchivePath(),
          utf8WithMark(archiveText(basicHeader(), {basicFixed(8), basicFixed(9)})));
    QCOMPARE(openInstrumentArchives(*m_host, m_fakes.platform()), 2);

    QCOMPARE(m_host->basicTable.rowCount(), 2);
    QCOMPARE(m_host->basicTable.cellText(3, 1), u"b9.3"_s);
    QCOMPARE(m_host->individualTable.rowCount(), 1);
    QCOMPARE(m_host->individualTable.calls.count(u"clear"_s), 2);
    QCOMPARE(m_host->activePage, 1);
}

QTEST_GUILESS_MAIN(TestDriveDiscovery)
#include "tst_drivediscovery.moc"
