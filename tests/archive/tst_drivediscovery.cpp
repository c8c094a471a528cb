#include "archive/drivediscovery.h"
#include "archivefixtures.h"
#include "platform/fakesystem.h"

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
    void instrumentArchives_data();
    void instrumentArchives();
    void instrumentArchivesListedAfresh();

private:
    QString root(int drive) const;
    QString place(int drive, const QString &relativePath, const QByteArray &bytes);
    // Entries "<drive>:<kind>" place the basic ("b") or individual ("i") file on drive 0
    // or 1; "<drive>:B" puts a folder named like the basic file there.
    bool placeEntries(const QStringList &entries);

    std::unique_ptr<QTemporaryDir> m_dir;
    FakeSystem m_fakes;
};

void TestDriveDiscovery::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QDir(m_dir->path()).mkdir(u"D"_s);
    QDir(m_dir->path()).mkdir(u"E"_s);
    m_fakes.drives.rootList = {root(0), root(1)};
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

bool TestDriveDiscovery::placeEntries(const QStringList &entries)
{
    for (const QString &entry : entries) {
        const int drive = entry.at(0).digitValue();
        const QChar what = entry.at(2);
        if (what == u'B') {
            if (!QDir().mkpath(root(drive) + basicArchivePath()))
                return false;
        } else {
            place(drive, what == u'b' ? basicArchivePath() : individualArchivePath(), "x");
        }
    }
    return true;
}

void TestDriveDiscovery::findOnDrives_data()
{
    QTest::addColumn<QStringList>("entries"); // see placeEntries
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
    QVERIFY(placeEntries(entries));

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

void TestDriveDiscovery::instrumentArchives_data()
{
    // Entries as in findOnDrives; the expected list names "<drive>:<kind>" in load order.
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("both, basic first")
            << QStringList{u"0:i"_s, u"1:b"_s} << QStringList{u"1:b"_s, u"0:i"_s};
    QTest::newRow("only the individual one")
            << QStringList{u"1:i"_s} << QStringList{u"1:i"_s};
    QTest::newRow("first drive wins") << QStringList{u"1:b"_s, u"0:b"_s, u"1:i"_s}
                                      << QStringList{u"0:b"_s, u"1:i"_s};
    QTest::newRow("folder only") << QStringList{u"0:B"_s} << QStringList{};
    QTest::newRow("nothing") << QStringList{} << QStringList{};
}

void TestDriveDiscovery::instrumentArchives()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, expected);
    QVERIFY(placeEntries(entries));
    QStringList paths;
    for (const QString &entry : std::as_const(expected)) {
        paths.append(root(entry.at(0).digitValue())
                     + (entry.at(2) == u'b' ? basicArchivePath() : individualArchivePath()));
    }

    QCOMPARE(findInstrumentArchives(m_fakes.drives), paths);
}

void TestDriveDiscovery::instrumentArchivesListedAfresh()
{
    place(1, basicArchivePath(), "x");
    QCOMPARE(findInstrumentArchives(m_fakes.drives), QStringList{root(1) + basicArchivePath()});

    // A newer archive appears on the first drive; then the enumeration fails.
    place(0, basicArchivePath(), "x");
    QCOMPARE(findInstrumentArchives(m_fakes.drives), QStringList{root(0) + basicArchivePath()});
    m_fakes.drives.rootList.clear();
    QVERIFY(findInstrumentArchives(m_fakes.drives).isEmpty());
}

QTEST_GUILESS_MAIN(TestDriveDiscovery)
#include "tst_drivediscovery.moc"
