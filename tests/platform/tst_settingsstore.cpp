#include "platform/os/settingsstore_linux.h"
#include "tests/support/writefaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kKey = u"\\Software\\Nordvekt\\LIRAS\\2.0"_s;

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void defaultRootFollowsXdgConfigHome();
    void createKeyMakesFoldersAndKeepsNoValue();
    void writtenStringReadsBack_data();
    void writtenStringReadsBack();
    void keyAndValueNamesIgnoreCase();
    void openMissingKey();
    void nonStringValue();
    void writeReplacesNonStringValue();
    void unsafeNamesStayInsideTheStore_data();
    void unsafeNamesStayInsideTheStore();
    void keyBlockedByFile();
    void writeUnderFileSizeLimit_data();
    void writeUnderFileSizeLimit();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_savedXdg;
    QString root() const { return m_dir->path() + u"/liras-d7/registry"_s; }
    QString keyFolder() const { return root() + u"/Software/Nordvekt/LIRAS/2.0"_s; }
};

void TestSettingsStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_savedXdg = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->path()));
}

void TestSettingsStore::cleanup()
{
    qputenv("XDG_CONFIG_HOME", m_savedXdg);
    m_dir.reset();
}

void TestSettingsStore::defaultRootFollowsXdgConfigHome()
{
    QCOMPARE(LinuxSettingsStore::defaultRootFolder(), root());
}

void TestSettingsStore::createKeyMakesFoldersAndKeepsNoValue()
{
    LinuxSettingsStore store;
    auto key = store.createKey(kKey);
    QVERIFY(key);
    QVERIFY(QFileInfo(keyFolder()).isDir());
    QVERIFY(!key->hasValue(u"Start"_s));
    QCOMPARE(key->readString(u"Start"_s), std::nullopt);
    // Creating again opens the same key.
    QVERIFY(key->writeString(u"Start"_s, u"1"_s));
    QCOMPARE(store.createKey(kKey)->readString(u"Start"_s), std::optional<QString>(u"1"_s));
}

void TestSettingsStore::writtenStringReadsBack_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("flag") << u"2"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("cyrillic") << u"Больше не показывать"_s;
    QTest::newRow("line breaks") << u"a\r\nb\n"_s;
}

void TestSettingsStore::writtenStringReadsBack()
{
    QFETCH(QString, value);
    {
        LinuxSettingsStore store;
        QVERIFY(store.createKey(kKey)->writeString(u"Start"_s, value));
    }
    QCOMPARE(readBytes(keyFolder() + u"/Start.sz"_s), value.toUtf8());
    LinuxSettingsStore again;
    auto key = again.openKey(kKey);
    QVERIFY(key);
    QVERIFY(key->hasValue(u"Start"_s));
    QCOMPARE(key->readString(u"Start"_s), std::optional<QString>(value));
}

void TestSettingsStore::keyAndValueNamesIgnoreCase()
{
    LinuxSettingsStore store;
    QVERIFY(store.createKey(kKey)->writeString(u"Start"_s, u"1"_s));
    auto key = store.openKey(u"software\\NORDVEKT\\liras\\2.0"_s);
    QVERIFY(key);
    QCOMPARE(key->readString(u"START"_s), std::optional<QString>(u"1"_s));
    // Writing under another spelling updates the one value, it adds no second file.
    QVERIFY(key->writeString(u"start"_s, u"2"_s));
    QCOMPARE(QDir(keyFolder()).entryList(QDir::Files), QStringList({u"Start.sz"_s}));
    QCOMPARE(store.createKey(u"SOFTWARE\\nordvekt\\LIRAS\\2.0"_s)->readString(u"Start"_s),
             std::optional<QString>(u"2"_s));
    QCOMPARE(QDir(m_dir->path() + u"/liras-d7/registry"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList({u"Software"_s}));
}

void TestSettingsStore::openMissingKey()
{
    LinuxSettingsStore store;
    QVERIFY(!store.openKey(kKey));
    QVERIFY(store.createKey(u"\\Software\\Nordvekt"_s));
    QVERIFY(store.openKey(u"\\Software\\Nordvekt"_s));
    QVERIFY(!store.openKey(kKey));
    QVERIFY(!QFileInfo::exists(keyFolder()));
}

void TestSettingsStore::nonStringValue()
{
    QVERIFY(QDir().mkpath(keyFolder()));
    writeBytes(keyFolder() + u"/Start.dword"_s, QByteArray("\x02\0\0\0", 4));
    LinuxSettingsStore store;
    auto key = store.openKey(kKey);
    QVERIFY(key);
    QVERIFY(key->hasValue(u"Start"_s));
    QCOMPARE(key->readString(u"Start"_s), std::nullopt);
}

void TestSettingsStore::writeReplacesNonStringValue()
{
    QVERIFY(QDir().mkpath(keyFolder()));
    writeBytes(keyFolder() + u"/Start.bin"_s, QByteArray("\x01"));
    LinuxSettingsStore store;
    auto key = store.openKey(kKey);
    QVERIFY(key->writeString(u"Start"_s, u"1"_s));
    QCOMPARE(key->readString(u"Start"_s), std::optional<QString>(u"1"_s));
    QCOMPARE(QDir(keyFolder()).entryList(QDir::Files), QStringList({u"Start.sz"_s}));
}

void TestSettingsStore::unsafeNamesStayInsideTheStore_data()
{
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QString>("valueName");
    QTest::newRow("parent key") << u"\\Software\\..\\..\\..\\escaped"_s << u"Start"_s;
    QTest::newRow("slash in key") << u"\\Software\\a/../../escaped"_s << u"Start"_s;
    QTest::newRow("value with slash") << kKey << u"../../../../../escaped"_s;
    QTest::newRow("dot value") << kKey << u".."_s;
}

void TestSettingsStore::unsafeNamesStayInsideTheStore()
{
    QFETCH(QString, keyPath);
    QFETCH(QString, valueName);
    LinuxSettingsStore store;
    auto key = store.createKey(keyPath);
    if (key) {
        QVERIFY(!key->writeString(valueName, u"x"_s));
        QVERIFY(!key->hasValue(valueName));
    }
    QVERIFY(!QFileInfo::exists(m_dir->path() + u"/escaped"_s));
    QVERIFY(!QFileInfo::exists(m_dir->path() + u"/escaped.sz"_s));
    QVERIFY(!QFileInfo::exists(m_dir->path() + u"/liras-d7/escaped"_s));
    QVERIFY(!QFileInfo::exists(m_dir->path() + u"/liras-d7/escaped.sz"_s));
}

void TestSettingsStore::keyBlockedByFile()
{
    QVERIFY(QDir().mkpath(root() + u"/Software/Nordvekt"_s));
    writeBytes(root() + u"/Software/Nordvekt/LIRAS"_s, "not a key");
    LinuxSettingsStore store;
    QVERIFY(!store.createKey(kKey));
    QVERIFY(!store.openKey(kKey));
}

void TestSettingsStore::writeUnderFileSizeLimit_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<writefaults::Point>("point");
    using writefaults::Point;
    // The flag the guide writes; a text within one buffered block; one longer than a
    // buffer holds, which goes to the file at once.
    for (const Point point : {Point::OneByteShort, Point::Exact})
        QTest::addRow("flag, %s", writefaults::tagOf(point)) << u"2"_s << point;
    const QString oneBlock = u"Больше не показывать "_s.repeated(100);
    const QString longer = u"Больше не показывать "_s.repeated(1000);
    for (const Point point : writefaults::kAllPoints)
        QTest::addRow("one block, %s", writefaults::tagOf(point)) << oneBlock << point;
    for (const Point point : writefaults::kAllPoints)
        QTest::addRow("longer than a block, %s", writefaults::tagOf(point)) << longer << point;
}

// As on a medium that fills up while the value is written: the store says so, the old value
// stays whole and nothing else is left in the key; the value changes only when all of it fits.
void TestSettingsStore::writeUnderFileSizeLimit()
{
    QFETCH(QString, value);
    QFETCH(writefaults::Point, point);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    QVERIFY(LinuxSettingsStore(scratch.path()).createKey(kKey)->writeString(u"Start"_s, value));
    const QByteArray finished = readBytes(scratch.path() + u"/Software/Nordvekt/LIRAS/2.0/Start.sz"_s);
    QCOMPARE(finished, value.toUtf8());

    LinuxSettingsStore store;
    auto key = store.createKey(kKey);
    QVERIFY(key);
    QVERIFY(key->writeString(u"Start"_s, u"1"_s));
    const qint64 limit = writefaults::limitAt(point, finished.size());
    bool written = false;
    QVERIFY(writefaults::runUnderLimit(limit, [&] { written = key->writeString(u"Start"_s, value); }));

    QCOMPARE(writefaults::folderEntries(keyFolder()), QStringList{u"Start.sz"_s});
    QCOMPARE(written, limit >= finished.size());
    QCOMPARE(readBytes(keyFolder() + u"/Start.sz"_s), written ? finished : QByteArray("1"));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
