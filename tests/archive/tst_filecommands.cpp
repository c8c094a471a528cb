#include "archive/archiveloader.h"
#include "archive/filecommands.h"
#include "archivefixtures.h"
#include "archivetestdoubles.h"
#include "platform/ui/fakeplatform.h"
#include "tests/support/writefaults.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace fixtures;

using Kind = FakeDialogs::Shown::Kind;

namespace {

// The header of the basic fixture in Windows-1251, spelled out.
const QByteArray basicHeader1251("\xCE\xF1\xED\xEE\xE2\xED\xEE\xE9 x v003");

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void openLoadsTheChosenFile();
    void openTypedNameGetsExtension();
    void openRejectsMissingFileAndFolder_data();
    void openRejectsMissingFileAndFolder();
    void openCancelled();
    void saveAsKeepsEncoding_data();
    void saveAsKeepsEncoding();
    void saveAsWritesTheActivePage();
    void saveAsAfterDeletingRows();
    void saveAsOverwriteQuestion_data();
    void saveAsOverwriteQuestion();
    void saveAsFailureKeepsOldFile_data();
    void saveAsFailureKeepsOldFile();
    void saveAsUnderFileSizeLimit_data();
    void saveAsUnderFileSizeLimit();
    void saveAsWithNoPage();
    void closeFile();

private:
    QString write(const QString &name, const QByteArray &bytes);
    void load(const QString &name, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<RecordingHost> m_host;
    std::unique_ptr<ArchiveFileCommands> m_commands;
};

void TestFileCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_fakes = std::make_unique<FakePlatform>();
    m_host = std::make_unique<RecordingHost>();
    m_commands = std::make_unique<ArchiveFileCommands>(*m_host, m_fakes->platform());
}

QString TestFileCommands::write(const QString &name, const QByteArray &bytes)
{
    const QString fileName = m_dir->filePath(name);
    if (!writeFile(fileName, bytes))
        qFatal("cannot write the fixture");
    return fileName;
}

void TestFileCommands::load(const QString &name, const QByteArray &bytes)
{
    LoadArchive(write(name, bytes), *m_host, m_fakes->platform());
    m_fakes->dialogs.shown.clear();
}

void TestFileCommands::openLoadsTheChosenFile()
{
    const QString fileName =
            write(u"any name.txt"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(2)})));
    m_fakes->dialogs.fileAnswers.enqueue(fileName);

    m_commands->openFile();

    QCOMPARE(m_fakes->dialogs.shown.size(), 1);
    QCOMPARE(m_fakes->dialogs.shown[0].kind, Kind::FileDialog);
    QCOMPARE(m_fakes->dialogs.shown[0].text, u"Открыть файл..."_s);
    QCOMPARE(m_host->basicTable.cellText(3, 0), u"b2.3"_s);
    QVERIFY(m_host->basicTabVisible);
    QCOMPARE(m_host->activePage, 0);
    QVERIFY(m_host->dataCommandsEnabled);
}

void TestFileCommands::openTypedNameGetsExtension()
{
    write(u"archive.csv"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(3)})));
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(u"archive"_s));

    m_commands->openFile();

    QCOMPARE(m_host->basicTable.rowCount(), 1);
    QVERIFY(m_fakes->dialogs.messages().isEmpty());
}

void TestFileCommands::openRejectsMissingFileAndFolder_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("missing") << u"missing.csv"_s;
    QTest::newRow("folder") << u"folder.csv"_s;
}

void TestFileCommands::openRejectsMissingFileAndFolder()
{
    QFETCH(QString, answer);
    QVERIFY(QDir(m_dir->path()).mkdir(u"folder.csv"_s));
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(answer));

    m_commands->openFile();

    QCOMPARE(m_fakes->dialogs.messages(), QStringList{u"Файл не существует"_s});
    QVERIFY(m_host->basicTable.calls.isEmpty());
    QVERIFY(m_host->individualTable.calls.isEmpty());
    QVERIFY(m_host->alignedPages.isEmpty());
    QVERIFY(!m_host->dataCommandsEnabled);
}

void TestFileCommands::openCancelled()
{
    m_fakes->dialogs.fileAnswers.enqueue(QString());

    m_commands->openFile();

    QCOMPARE(m_fakes->dialogs.shown.size(), 1);
    QVERIFY(m_host->alignedPages.isEmpty());
    QVERIFY(m_host->basicTable.calls.isEmpty());
}

void TestFileCommands::saveAsKeepsEncoding_data()
{
    QTest::addColumn<QByteArray>("loaded");
    QTest::addColumn<QByteArray>("saved");

    // LF line ends, a lone CR, no final break and a NUL: a save makes every end CR LF,
    // ends the last line and drops what follows the NUL.
    QTest::newRow("ansi") << basicHeader1251 + "\n\xC6\r1;2\0tail"_qba
                          << basicHeader1251 + "\r\n\xC6\r\n1;2\r\n"_qba;
    QTest::newRow("utf-8") << "\xEF\xBB\xBF"_qba + u"Основной x v003\nЖ\n1;2"_s.toUtf8()
                           << "\xEF\xBB\xBF"_qba + u"Основной x v003\r\nЖ\r\n1;2\r\n"_s.toUtf8();
    QTest::newRow("utf-16 le") << "\xFF\xFE"_qba + utf16(u"Основной x v003\n\rЖ"_s, true)
                               << "\xFF\xFE"_qba + utf16(u"Основной x v003\r\n\r\nЖ\r\n"_s, true);
    QTest::newRow("utf-16 be") << "\xFE\xFF"_qba + utf16(u"Основной x v003\r\nЖ"_s, false)
                               << "\xFE\xFF"_qba + utf16(u"Основной x v003\r\nЖ\r\n"_s, false);
    // Byte for byte: a mark that starts a line is text, and so is a byte the code page
    // leaves undefined.
    const QByteArray marksAtLineStarts = "\xEF\xBB\xBF"_qba + u"Основной x v003\r\n"_s.toUtf8()
            + "\xEF\xBB\xBF"_qba + u"Ж\r\n"_s.toUtf8() + "\xEF\xBB\xBF\xEF\xBB\xBF" "1;2\r\n"_qba;
    QTest::newRow("utf-8, marks at line starts") << marksAtLineStarts << marksAtLineStarts;
    const QByteArray feffAtLineStarts =
            "\xFF\xFE"_qba + utf16(u"Основной x v003\r\n\uFEFFЖ\r\n\uFEFF1;2\r\n"_s, true);
    QTest::newRow("utf-16 le, U+FEFF at line starts") << feffAtLineStarts << feffAtLineStarts;
    const QByteArray undefinedBytes = basicHeader1251 + "\r\n\x98\r\n1;\x98;2\r\n"_qba;
    QTest::newRow("ansi, byte undefined in 1251") << undefinedBytes << undefinedBytes;
    // An odd last byte is half a character: saved as U+FFFD.
    QTest::newRow("utf-16 le, odd byte count")
            << "\xFF\xFE"_qba + utf16(u"Основной x v003\r\nЖ"_s, true) + "A"_qba
            << "\xFF\xFE"_qba + utf16(u"Основной x v003\r\nЖ\uFFFD\r\n"_s, true);
    QTest::newRow("utf-16 be, odd byte count")
            << "\xFE\xFF"_qba + utf16(u"Основной x v003\r\nЖ\r\n"_s, false) + "A"_qba
            << "\xFE\xFF"_qba + utf16(u"Основной x v003\r\nЖ\r\n\uFFFD\r\n"_s, false);
}

void TestFileCommands::saveAsKeepsEncoding()
{
    QFETCH(QByteArray, loaded);
    QFETCH(QByteArray, saved);
    load(u"loaded.csv"_s, loaded);
    QVERIFY(m_host->basicTabVisible);
    const QString target = m_dir->filePath(u"copy.csv"_s);
    m_fakes->dialogs.fileAnswers.enqueue(target);

    m_commands->saveAs();

    QCOMPARE(m_fakes->dialogs.shown.size(), 1);
    QCOMPARE(m_fakes->dialogs.shown[0].text, u"Сохранить как..."_s);
    QCOMPARE(readFile(target), saved);
}

void TestFileCommands::saveAsWritesTheActivePage()
{
    const QByteArray basic = utf8WithMark(archiveText(basicHeader(), {basicFixed(1)}));
    const QByteArray individual =
            utf8WithMark(archiveText(individualHeader(), {individualFixed(1)}));
    load(u"individual.csv"_s, individual);
    load(u"basic.csv"_s, basic);
    m_host->activePage = 1;
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(u"copy"_s));

    m_commands->saveAs();

    QCOMPARE(readFile(m_dir->filePath(u"copy.csv"_s)), individual);
}

void TestFileCommands::saveAsAfterDeletingRows()
{
    const QByteArray bytes =
            utf8WithMark(archiveText(basicHeader(), {basicFixed(1), basicFixed(2), basicFixed(3)}));
    load(u"basic.csv"_s, bytes);
    m_host->basicTable.deleteRow(1);
    m_host->basicTable.deleteRow(0);
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(u"copy.csv"_s));

    m_commands->saveAs();

    QCOMPARE(readFile(m_dir->filePath(u"copy.csv"_s)), bytes);
}

void TestFileCommands::saveAsOverwriteQuestion_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("sameFile"); // the target is the file the archive was loaded from

    QTest::newRow("no") << false << false;
    QTest::newRow("yes") << true << false;
    QTest::newRow("yes to the loaded file") << true << true;
}

void TestFileCommands::saveAsOverwriteQuestion()
{
    QFETCH(bool, answer);
    QFETCH(bool, sameFile);
    const QByteArray loaded = utf8WithMark(u"Основной x v003\nx\n1;2"_s);
    load(u"basic.csv"_s, loaded);
    const QByteArray old("old text");
    const QString target = sameFile ? m_dir->filePath(u"basic.csv"_s)
                                    : write(u"existing.csv"_s, old);
    m_fakes->dialogs.fileAnswers.enqueue(target);
    m_fakes->dialogs.confirmAnswers.enqueue(answer);

    m_commands->saveAs();

    QCOMPARE(m_fakes->dialogs.confirmations(),
             QStringList{u"Файл "_s + QDir::toNativeSeparators(target)
                         + u" существует! Перезаписать?"_s});
    const QByteArray written = utf8WithMark(u"Основной x v003\r\nx\r\n1;2\r\n"_s);
    QCOMPARE(readFile(target), answer ? written : old);
    QVERIFY(m_fakes->dialogs.messages().isEmpty());
}

void TestFileCommands::saveAsFailureKeepsOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("below a regular file") << u"old.csv/copy.csv"_s;
    QTest::newRow("folder as target") << u"folder.csv"_s;
}

void TestFileCommands::saveAsFailureKeepsOldFile()
{
    QFETCH(QString, target);
    load(u"basic.csv"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(1)})));
    const QByteArray old("old text");
    write(u"old.csv"_s, old);
    QVERIFY(QDir(m_dir->path()).mkdir(u"folder.csv"_s));
    const QStringList entriesBefore = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden);
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(target));

    m_commands->saveAs();

    QCOMPARE(m_fakes->dialogs.messages(), QStringList{u"Ошибка сохранения файла!"_s});
    QVERIFY(m_fakes->dialogs.confirmations().isEmpty());
    QCOMPARE(readFile(m_dir->filePath(u"old.csv"_s)), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden), entriesBefore);
    QVERIFY(QDir(m_dir->filePath(u"folder.csv"_s)).isEmpty());
}

void TestFileCommands::saveAsUnderFileSizeLimit_data()
{
    // One buffered block, and more than a buffer holds, which goes to the file at once.
    writefaults::addRows({3, 400}, "records");
}

// As on a medium that fills up during the save: the command says so, the old file stays
// whole and nothing else is left in the folder; the file is replaced only when all of it fits.
void TestFileCommands::saveAsUnderFileSizeLimit()
{
    QFETCH(int, size);
    QFETCH(writefaults::Point, point);
    QList<QStringList> lines;
    for (int n = 1; n <= size; ++n)
        lines.append(basicFixed(n) + readings(n, 15));
    const QByteArray loaded = utf8WithMark(archiveText(basicHeader(), lines));
    load(u"loaded.csv"_s, loaded);

    QTemporaryDir scratch;
    const QString measured = scratch.filePath(u"measured.csv"_s);
    m_fakes->dialogs.fileAnswers.enqueue(measured);
    m_commands->saveAs();
    const QByteArray finished = readFile(measured);
    QCOMPARE(finished, loaded);
    m_fakes->dialogs.shown.clear();

    const writefaults::OldTarget target(u"target.csv"_s);
    QVERIFY(target.isValid());
    m_fakes->dialogs.fileAnswers.enqueue(target.path());
    m_fakes->dialogs.confirmAnswers.enqueue(true);
    const qint64 limit = writefaults::limitAt(point, finished.size());
    QVERIFY(writefaults::runUnderLimit(limit, [this] { m_commands->saveAs(); }));

    QVERIFY(target.isAlone());
    const bool fits = limit >= finished.size();
    QCOMPARE(m_fakes->dialogs.messages(), fits ? QStringList() : QStringList{u"Ошибка сохранения файла!"_s});
    QCOMPARE(target.bytes(), fits ? finished : target.oldBytes());
}

void TestFileCommands::saveAsWithNoPage()
{
    m_fakes->dialogs.fileAnswers.enqueue(m_dir->filePath(u"copy.csv"_s));

    m_commands->saveAs();

    QVERIFY(m_fakes->dialogs.shown.isEmpty());
    QVERIFY(!QFileInfo::exists(m_dir->filePath(u"copy.csv"_s)));
}

void TestFileCommands::closeFile()
{
    load(u"individual.csv"_s, utf8WithMark(archiveText(individualHeader(), {individualFixed(1)})));
    load(u"basic.csv"_s, utf8WithMark(archiveText(basicHeader(), {basicFixed(1)})));
    QCOMPARE(m_host->activePage, 0);

    m_commands->closeFile();
    QVERIFY(!m_host->basicTabVisible);
    QVERIFY(m_host->individualTabVisible);
    QCOMPARE(m_host->activePage, 1);
    QVERIFY(m_host->dataCommandsEnabled);
    QCOMPARE(m_host->basicTable.rowCount(), 1); // hiding clears nothing
    QCOMPARE(m_host->List_b.size(), 3);

    m_commands->closeFile();
    QVERIFY(!m_host->individualTabVisible);
    QCOMPARE(m_host->activePage, -1);
    QVERIFY(!m_host->dataCommandsEnabled);
    QCOMPARE(m_host->List_ind.size(), 3);
}

QTEST_GUILESS_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
