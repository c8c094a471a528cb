// Files nobody planned for, as the open command reads them: what comes back decides the
// message ("Ошибка чтения файла!" for no lines at all, "Файл не является архивом!" for
// lines without a header and record).
#include "archive/archivefields.h"
#include "archive/archivetext.h"
#include "archivefixtures.h"
#include "platform/fakesystem.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace fixtures;

class TestHostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void turnedAwayFromTheStart_data();
    void turnedAwayFromTheStart();
    void readWhole_data();
    void readWhole();
    void refusedAboveTheCeiling_data();
    void refusedAboveTheCeiling();

private:
    QString write(const QByteArray &bytes);

    QTemporaryDir m_dir;
    FakeSystem m_platform;
};

QString TestHostileFiles::write(const QByteArray &bytes)
{
    const QString fileName = m_dir.filePath(u"hostile.csv"_s);
    if (!writeFile(fileName, bytes))
        qFatal("cannot write the fixture");
    return fileName;
}

void TestHostileFiles::turnedAwayFromTheStart_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("one long line") << QByteArray(8 << 20, 'x');
    QTest::newRow("empty lines") << QByteArray("\r\n").repeated(1000000);
    QTest::newRow("empty line before header")
            << QByteArray("\r\n") + utf8WithMark(archiveText(basicHeader(), {}));
    QTest::newRow("utf-16 long line") << QByteArray("\xFF\xFE") + utf16(QString(1 << 20, u'ж'), true);
    QTest::newRow("nul at the start") << QByteArray(1 << 20, '\0');
    QTest::newRow("header word in lower case")
            << utf8WithMark(u"основной архив v003\r\n"_s + QString(1 << 20, u';'));
}

// Nothing but the first bytes decides: the lines a whole decode would give are not made.
void TestHostileFiles::turnedAwayFromTheStart()
{
    QFETCH(QByteArray, bytes);

    const std::optional<ArchiveLines> read = readArchiveFile(write(bytes), *m_platform.ansi);
    QVERIFY(read);
    QCOMPARE(read->size(), 0);
    const ArchiveLines whole = decodeArchive(bytes, *m_platform.ansi);
    QVERIFY(whole.isEmpty() || !archiveKind(whole.line(0)));
}

void TestHostileFiles::readWhole_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("lineCount");

    const QString header = basicHeader();
    QTest::newRow("header line only") << utf8WithMark(header) << 1;
    QTest::newRow("record of a million fields")
            << utf8WithMark(archiveText(header, {QStringList(1000000, u"1"_s)})) << 3;
    QTest::newRow("utf-16 odd byte count")
            << QByteArray("\xFF\xFE") + utf16(archiveText(header, {{u"a"_s}}), true) + 'x' << 4;
    QTest::newRow("header longer than the first bytes")
            << utf8WithMark(u"Основной "_s + QString(4000, u'ж') + u" v003\r\nx\r\n"_s) << 2;
    QTest::newRow("quoted kind word") << utf8WithMark(u"\"Индивид.\" архив v003\r\nx"_s) << 2;
}

// A start that may be a header reads the whole file, exactly as decoded from memory.
void TestHostileFiles::readWhole()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, lineCount);

    const std::optional<ArchiveLines> read = readArchiveFile(write(bytes), *m_platform.ansi);
    QVERIFY(read);
    QCOMPARE(read->size(), lineCount);
    QVERIFY(*read == decodeArchive(bytes, *m_platform.ansi));
}

void TestHostileFiles::refusedAboveTheCeiling_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("refused");

    QTest::newRow("at the ceiling") << maxArchiveFileBytes << false;
    QTest::newRow("one byte above") << maxArchiveFileBytes + 1 << true;
    QTest::newRow("beyond 2 GiB") << (qint64(5) << 30) / 2 << true;
}

// Sparse files, so the test costs no disk: too large is a read failure before any memory
// is taken; at the ceiling, its zero bytes are no header and are turned away unread.
void TestHostileFiles::refusedAboveTheCeiling()
{
    QFETCH(qint64, size);
    QFETCH(bool, refused);

    const QString fileName = m_dir.filePath(u"sparse.csv"_s);
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QVERIFY(file.resize(size));
    file.close();

    const std::optional<ArchiveLines> read = readArchiveFile(fileName, *m_platform.ansi);
    QCOMPARE(!read, refused);
    if (read)
        QCOMPARE(read->size(), 0);
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
