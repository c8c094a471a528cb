#include "archive/archivefields.h"
#include "archive/archivetext.h"
#include "archivefixtures.h"
#include "platform/fakesystem.h"
#ifdef Q_OS_UNIX
#include "tests/support/writefaults.h"
#endif

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ArchiveEncoding)

namespace {

// "Основной" in Windows-1251, spelled out so the test does not depend on the converter.
const QByteArray basic1251 = QByteArray("\xCE\xF1\xED\xEE\xE2\xED\xEE\xE9");

// What reading the file of these decoded lines gives: the same lines, or none when its first
// line cannot start an archive header, as such a file is turned away unread.
ArchiveLines expectedRead(const ArchiveLines &decoded)
{
    const bool mayBeArchive = !decoded.isEmpty() && mayStartArchiveHeader(decoded.line(0));
    return mayBeArchive ? decoded : ArchiveLines();
}

} // namespace

class TestArchiveText : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void roundTrip_data();
    void roundTrip();
    void readFailure();
    void copyOutlivesOriginal();
    void equalityGoesByLines();
    void writeFailureKeepsOldFile_data();
    void writeFailureKeepsOldFile();
#ifdef Q_OS_UNIX
    void interruptedWriteKeepsOldFile();
#endif

private:
    FakeSystem m_platform;
};

void TestArchiveText::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<ArchiveEncoding>("encoding");

    const QString header = u"Основной архив v003"_s;
    QTest::newRow("utf-8 mark") << QByteArray("\xEF\xBB\xBF") + (header + u"\r\nЖ"_s).toUtf8()
                                << QStringList{header, u"Ж"_s} << ArchiveEncoding::Utf8;
    QTest::newRow("utf-16 le mark")
            << QByteArray("\xFF\xFE") + fixtures::utf16(header + u"\r\nab"_s, true)
            << QStringList{header, u"ab"_s} << ArchiveEncoding::Utf16Le;
    QTest::newRow("utf-16 be mark")
            << QByteArray("\xFE\xFF") + fixtures::utf16(header + u"\nab"_s, false)
            << QStringList{header, u"ab"_s} << ArchiveEncoding::Utf16Be;
    QTest::newRow("ansi without mark")
            << basic1251 + QByteArray(" x v003\r\n\xC6")
            << QStringList{u"Основной x v003"_s, u"Ж"_s} << ArchiveEncoding::Ansi;
    QTest::newRow("utf-8 without mark is ansi")
            << QByteArray("\xD0\x96") << QStringList{u"Р–"_s} << ArchiveEncoding::Ansi;
    QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << QStringList{}
                               << ArchiveEncoding::Utf8;
    QTest::newRow("empty file") << QByteArray() << QStringList{} << ArchiveEncoding::Ansi;
    QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\rd")
                                     << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}
                                     << ArchiveEncoding::Ansi;
    QTest::newRow("lf cr is two breaks") << QByteArray("a\n\rb")
                                         << QStringList{u"a"_s, QString(), u"b"_s}
                                         << ArchiveEncoding::Ansi;
    QTest::newRow("cr before cr lf") << QByteArray("a\r\r\nb")
                                     << QStringList{u"a"_s, QString(), u"b"_s}
                                     << ArchiveEncoding::Ansi;
    QTest::newRow("final break") << QByteArray("a\r\nb\r\n") << QStringList{u"a"_s, u"b"_s}
                                 << ArchiveEncoding::Ansi;
    QTest::newRow("no final break") << QByteArray("a\r\nb") << QStringList{u"a"_s, u"b"_s}
                                    << ArchiveEncoding::Ansi;
    QTest::newRow("two final breaks") << QByteArray("a\n\n")
                                      << QStringList{u"a"_s, QString()}
                                      << ArchiveEncoding::Ansi;
    QTest::newRow("break only") << QByteArray("\r\n") << QStringList{QString()}
                                << ArchiveEncoding::Ansi;
    QTest::newRow("final lone cr") << QByteArray("a\r") << QStringList{u"a"_s}
                                   << ArchiveEncoding::Ansi;
    QTest::newRow("nul ends the text") << QByteArray("a\r\nb\0c\r\nd", 10)
                                       << QStringList{u"a"_s, u"b"_s} << ArchiveEncoding::Ansi;
    QTest::newRow("nul right after a break") << QByteArray("a\r\n\0b", 5)
                                             << QStringList{u"a"_s} << ArchiveEncoding::Ansi;
    QTest::newRow("nul first") << QByteArray("\0a", 2) << QStringList{}
                               << ArchiveEncoding::Ansi;
    QTest::newRow("nul in utf-16 text")
            << QByteArray("\xFF\xFE") + fixtures::utf16(u"ab\r\nc"_s, true) + QByteArray("\0\0d\0", 4)
            << QStringList{u"ab"_s, u"c"_s} << ArchiveEncoding::Utf16Le;
    // Only the first byte-order mark is dropped; every later one is the text's U+FEFF.
    QTest::newRow("utf-8 mark twice")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") + (header + u"\r\nЖ"_s).toUtf8()
            << QStringList{u"\uFEFF"_s + header, u"Ж"_s} << ArchiveEncoding::Utf8;
    QTest::newRow("utf-8 line starting with a mark")
            << QByteArray("\xEF\xBB\xBF") + (header + u"\r\n"_s).toUtf8() + QByteArray("\xEF\xBB\xBF;x")
            << QStringList{header, u"\uFEFF;x"_s} << ArchiveEncoding::Utf8;
    QTest::newRow("utf-16 le mark then U+FEFF")
            << QByteArray("\xFF\xFE") + fixtures::utf16(u"\uFEFFab\r\n\uFEFFc"_s, true)
            << QStringList{u"\uFEFFab"_s, u"\uFEFFc"_s} << ArchiveEncoding::Utf16Le;
    QTest::newRow("utf-16 be mark then U+FEFF")
            << QByteArray("\xFE\xFF") + fixtures::utf16(u"\uFEFFab"_s, false)
            << QStringList{u"\uFEFFab"_s} << ArchiveEncoding::Utf16Be;
    QTest::newRow("utf-8 mark after an ansi line is ansi text")
            << QByteArray("a\r\n\xEF\xBB\xBF") << QStringList{u"a"_s, u"п»ї"_s}
            << ArchiveEncoding::Ansi;
    // An odd last byte is half a character: it becomes U+FFFD, as any undecodable bytes.
    QTest::newRow("utf-16 le odd byte count")
            << QByteArray("\xFF\xFE") + fixtures::utf16(u"ab\r\nc"_s, true) + QByteArray("d")
            << QStringList{u"ab"_s, u"c\ufffd"_s} << ArchiveEncoding::Utf16Le;
    QTest::newRow("utf-16 be odd byte count after a break")
            << QByteArray("\xFE\xFF") + fixtures::utf16(u"ab\r\n"_s, false) + QByteArray("\0", 1)
            << QStringList{u"ab"_s, u"\ufffd"_s} << ArchiveEncoding::Utf16Be;
    QTest::newRow("utf-16 mark and one byte")
            << QByteArray("\xFF\xFE\x41") << QStringList{u"\ufffd"_s} << ArchiveEncoding::Utf16Le;
    QTest::newRow("ansi undefined byte")
            << QByteArray("\x98;a\x98") << QStringList{u"\u0098;a\u0098"_s} << ArchiveEncoding::Ansi;
}

void TestArchiveText::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(ArchiveEncoding, encoding);

    const ArchiveLines archive = decodeArchive(bytes, *m_platform.ansi);
    QCOMPARE(archive.lines(), lines);
    QCOMPARE(archive.encoding(), encoding);

    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"archive.csv"_s);
    QVERIFY(fixtures::writeFile(fileName, bytes));
    const std::optional<ArchiveLines> read = readArchiveFile(fileName, *m_platform.ansi);
    QVERIFY(read);
    QCOMPARE(*read, expectedRead(archive));
}

void TestArchiveText::roundTrip_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<ArchiveEncoding>("encoding");
    QTest::addColumn<QByteArray>("bytes");

    const QStringList lines{u"Основной архив v003"_s, u"Ж;"_s};
    QTest::newRow("ansi") << lines << ArchiveEncoding::Ansi
                          << basic1251 + QByteArray(" \xE0\xF0\xF5\xE8\xE2 v003\r\n\xC6;\r\n");
    QTest::newRow("utf-8") << lines << ArchiveEncoding::Utf8
                           << QByteArray("\xEF\xBB\xBF") + lines.join(u"\r\n"_s).toUtf8()
                                      + QByteArray("\r\n");
    QTest::newRow("utf-16 le") << lines << ArchiveEncoding::Utf16Le
                               << QByteArray("\xFF\xFE")
                                          + fixtures::utf16(lines.join(u"\r\n"_s) + u"\r\n"_s, true);
    QTest::newRow("utf-16 be") << lines << ArchiveEncoding::Utf16Be
                               << QByteArray("\xFE\xFF")
                                          + fixtures::utf16(lines.join(u"\r\n"_s) + u"\r\n"_s, false);
    // U+FEFF in the text is written as the encoding writes it, after the file's own mark.
    QTest::newRow("utf-8, U+FEFF first and at a line start")
            << QStringList{u"\uFEFFa"_s, u"\uFEFF\uFEFF"_s} << ArchiveEncoding::Utf8
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF" "a\r\n\xEF\xBB\xBF\xEF\xBB\xBF\r\n");
    QTest::newRow("utf-16 le, U+FEFF first") << QStringList{u"\uFEFFa"_s} << ArchiveEncoding::Utf16Le
                                             << QByteArray("\xFF\xFE\xFF\xFE" "a\0\r\0\n\0", 10);
    QTest::newRow("utf-16 be, U+FEFF first") << QStringList{u"\uFEFFa"_s} << ArchiveEncoding::Utf16Be
                                             << QByteArray("\xFE\xFF\xFE\xFF\0a\0\r\0\n", 10);
    QTest::newRow("ansi, control characters of undefined bytes")
            << QStringList{u"\u0098;\u0098"_s} << ArchiveEncoding::Ansi << QByteArray("\x98;\x98\r\n");
}

void TestArchiveText::roundTrip()
{
    QFETCH(QStringList, lines);
    QFETCH(ArchiveEncoding, encoding);
    QFETCH(QByteArray, bytes);
    const ArchiveLines archive{lines, encoding};

    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"saved.csv"_s);
    QVERIFY(fixtures::writeFile(fileName, "an older and much longer file that must be replaced"));
    QVERIFY(writeArchiveFile(archive, fileName, *m_platform.ansi));
    QCOMPARE(fixtures::readFile(fileName), bytes);

    const std::optional<ArchiveLines> read = readArchiveFile(fileName, *m_platform.ansi);
    QVERIFY(read);
    QCOMPARE(*read, expectedRead(archive));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"saved.csv"_s});
}

void TestArchiveText::readFailure()
{
    QTemporaryDir dir;
    QVERIFY(!readArchiveFile(dir.filePath(u"missing.csv"_s), *m_platform.ansi));
    QVERIFY(!readArchiveFile(dir.path(), *m_platform.ansi));
}

void TestArchiveText::copyOutlivesOriginal()
{
    // The lines share one text; a copy must keep it alive when the original is replaced.
    auto original = std::make_unique<ArchiveLines>(
            decodeArchive(QByteArray("a;1\r\nb;2\r\n"), *m_platform.ansi));
    const ArchiveLines copy = *original;
    *original = decodeArchive(QByteArray("other\r\n"), *m_platform.ansi);
    original.reset();
    QCOMPARE(copy.lines(), (QStringList{u"a;1"_s, u"b;2"_s}));
    QCOMPARE(copy.line(1).toString(), u"b;2"_s);
}

void TestArchiveText::equalityGoesByLines()
{
    const ArchiveLines split{{u"ab"_s, u"c"_s}, ArchiveEncoding::Utf8};
    // The same characters cut into other lines are other lines.
    QVERIFY(!(split == ArchiveLines({u"a"_s, u"bc"_s}, ArchiveEncoding::Utf8)));
    QVERIFY(!(split == ArchiveLines({u"ab"_s, u"c"_s}, ArchiveEncoding::Ansi)));
    QVERIFY(!(split == ArchiveLines({u"ab"_s, u"c"_s, QString()}, ArchiveEncoding::Utf8)));
    // Decoded UTF-16 keeps its line breaks in the shared text; only the lines count.
    const QByteArray utf16 = QByteArray("\xFF\xFE") + fixtures::utf16(u"ab\r\nc"_s, true);
    const ArchiveLines decoded = decodeArchive(utf16, *m_platform.ansi);
    QVERIFY(decoded == ArchiveLines({u"ab"_s, u"c"_s}, ArchiveEncoding::Utf16Le));
}

void TestArchiveText::writeFailureKeepsOldFile_data()
{
    QTest::addColumn<QString>("target"); // relative to a folder holding the file "old.csv"

    QTest::newRow("below a regular file") << u"old.csv/new.csv"_s;
    QTest::newRow("folder as target") << u"folder"_s;
    QTest::newRow("missing folder") << u"missing/new.csv"_s;
}

void TestArchiveText::writeFailureKeepsOldFile()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    const QByteArray old("old text\r\n");
    QVERIFY(fixtures::writeFile(dir.filePath(u"old.csv"_s), old));
    QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));

    const ArchiveLines archive{{u"Основной архив v003"_s}, ArchiveEncoding::Utf8};
    QVERIFY(!writeArchiveFile(archive, dir.filePath(target), *m_platform.ansi));
    QCOMPARE(fixtures::readFile(dir.filePath(u"old.csv"_s)), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             (QStringList{u"folder"_s, u"old.csv"_s}));
    QVERIFY(QDir(dir.filePath(u"folder"_s)).isEmpty());
}

#ifdef Q_OS_UNIX
// Tests run as root, where permissions stop no write: a file size limit makes the write
// itself fail half-way, as a full medium would.
void TestArchiveText::interruptedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"archive.csv"_s);
    const QByteArray old("old text\r\n");
    QVERIFY(fixtures::writeFile(fileName, old));
    const ArchiveLines archive{QStringList(200, u"Основной архив v003"_s), ArchiveEncoding::Utf8};

    bool written = true;
    {
        const FileSizeLimit limit(1024);
        QVERIFY(limit.isActive());
        written = writeArchiveFile(archive, fileName, *m_platform.ansi);
    }

    QVERIFY(!written);
    QCOMPARE(fixtures::readFile(fileName), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{u"archive.csv"_s});
}
#endif

QTEST_GUILESS_MAIN(TestArchiveText)
#include "tst_archivetext.moc"
