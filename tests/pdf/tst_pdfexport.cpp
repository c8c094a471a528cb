#include "tests/report/reportfixture.h"
#include "tst_pdfsupport.h"

#include "pdf/pdfwriter.h"
#include "platform/progress.h"
#include "platform/ui/fakeplatform.h"
#include "preview/reportcontroller.h"
#include "preview/reportpreview.h"
#include "tests/support/writefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace pdftest;

namespace {

enum class Result { Nothing, OldFileKept, Pdf };

QByteArray contents(const QString &fileName)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool putFile(const QString &fileName, const QByteArray &bytes)
{
    QFile f(fileName);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

FakeCellSource individualTable(int rows)
{
    FakeCellSource table(kIndividualColumns);
    for (int r = 0; r < rows; ++r)
        table.addRow(u"инд%1-"_s.arg(r));
    return table;
}

QStringList allWords(const QString &fileName)
{
    QStringList words;
    for (const PageWords &page : extractWords(fileName)) {
        for (const Word &w : page)
            words << w.text;
    }
    return words;
}

} // namespace

Q_DECLARE_METATYPE(Result)
Q_DECLARE_METATYPE(TableKind)

// The "PDF" command through the shared export flow with the real writer and scripted
// dialogs. No error handler is installed: an error the flow reports fails the test.
class TestPdfExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void commandPaths_data();
    void commandPaths();
    void printsTheActiveTable_data();
    void printsTheActiveTable();
    void exportUnderFileSizeLimit_data();
    void exportUnderFileSizeLimit();

private:
    void runPdfCommand(const ReportTables &tables, const QString &answer, bool replace);

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<ReportController> m_controller;
    std::unique_ptr<FileDialog> m_saveDialog1;
};

void TestPdfExport::init()
{
    m_platform = std::make_unique<FakePlatform>();
    m_controller = std::make_unique<ReportController>(m_platform->dialogs, m_platform->regional, nullptr);
    m_controller->setClock([] { return QDate(2026, 12, 10); });
    // As the main window sets up its PDF save dialog.
    m_saveDialog1 = m_platform->dialogs.createFileDialog(FileDialog::Kind::Save);
    m_saveDialog1->setFilter(u"PDF files (*.pdf)|*.pdf"_s);
    m_saveDialog1->setDefaultExtension(u"pdf"_s);
}

void TestPdfExport::cleanup()
{
    m_saveDialog1.reset();
    m_controller.reset();
    m_platform.reset();
}

void TestPdfExport::runPdfCommand(const ReportTables &tables, const QString &answer, bool replace)
{
    m_platform->dialogs.fileAnswers.enqueue(answer);
    m_platform->dialogs.confirmAnswers.enqueue(replace);
    NullProgress progress;
    m_controller->exportReport(tables, false, *m_saveDialog1, &writePdf, progress);
}

void TestPdfExport::commandPaths_data()
{
    QTest::addColumn<QString>("answer");      // typed into the dialog, below the test folder; empty cancels
    QTest::addColumn<QString>("existing");    // a file made first, below the test folder; empty for none
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QString>("target");      // the file the command is about
    QTest::addColumn<bool>("asked");          // the replace question was shown
    QTest::addColumn<Result>("result");
    QTest::addColumn<QStringList>("messages");

    const QStringList none;
    QTest::newRow("cancelled") << QString() << QString() << true << u"out.pdf"_s << false << Result::Nothing << none;
    QTest::newRow("new file") << u"out.pdf"_s << QString() << false << u"out.pdf"_s << false << Result::Pdf << none;
    QTest::newRow("exists, No keeps it")
        << u"out.pdf"_s << u"out.pdf"_s << false << u"out.pdf"_s << true << Result::OldFileKept << none;
    QTest::newRow("exists, Yes replaces it")
        << u"out.pdf"_s << u"out.pdf"_s << true << u"out.pdf"_s << true << Result::Pdf << none;
    QTest::newRow("name without extension gets .pdf before the check")
        << u"report"_s << u"report.pdf"_s << true << u"report.pdf"_s << true << Result::Pdf << none;
    QTest::newRow("cannot be written: parent is a file")
        << u"plain/out.pdf"_s << u"plain"_s << true << u"plain"_s << false << Result::OldFileKept
        << QStringList{u"Ошибка сохранения файла!"_s};
}

void TestPdfExport::commandPaths()
{
    PDF_REQUIRE_TOOL("pdfinfo");
    QFETCH(QString, answer);
    QFETCH(QString, existing);
    QFETCH(bool, replace);
    QFETCH(QString, target);
    QFETCH(bool, asked);
    QFETCH(Result, result);
    QFETCH(QStringList, messages);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray old = "an older file, not to be lost";
    if (!existing.isEmpty())
        QVERIFY(putFile(dir.filePath(existing), old));
    const FakeCellSource basic = basicTable(35);
    const FakeCellSource individual(kIndividualColumns);

    runPdfCommand({basic, individual, TableKind::Basic}, answer.isEmpty() ? QString() : dir.filePath(answer), replace);

    const QString targetPath = dir.filePath(target);
    QCOMPARE(m_platform->dialogs.confirmations(),
             asked ? QStringList{u"Файл "_s + targetPath + u" существует! Перезаписать?"_s} : QStringList());
    QCOMPARE(m_platform->dialogs.messages(), messages);
    switch (result) {
    case Result::Nothing:
        QVERIFY(!QFile::exists(targetPath));
        QVERIFY(m_controller->preparedReport().pages.empty()); // nothing built either
        break;
    case Result::OldFileKept:
        QCOMPARE(contents(targetPath), old);
        break;
    case Result::Pdf:
        QVERIFY(contents(targetPath).startsWith("%PDF-1.7\n"));
        QCOMPARE(pdfinfoField(targetPath, u"Pages"_s), u"2"_s);
        break;
    }
    // No file under another name and no temporary file beside it.
    const QStringList expected = result == Result::Nothing ? QStringList() : QStringList{target};
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), expected);
}

void TestPdfExport::printsTheActiveTable_data()
{
    QTest::addColumn<TableKind>("active");
    QTest::addColumn<int>("basicRows");
    QTest::addColumn<int>("individualRows");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("absent");

    const QStringList header{u"ЛИРАС-Д7"_s, u"10.12.2026"_s, u"Дата"_s, u"МПа"_s};
    QTest::newRow("basic table")
        << TableKind::Basic << 3 << 2 << 1 << header + QStringList{u"r2c0"_s, u"r0c21"_s} << QStringList{u"инд0-c1"_s};
    QTest::newRow("individual table, same headers")
        << TableKind::Individual << 3 << 2 << 1 << header + QStringList{u"инд1-c1"_s, u"инд0-c1"_s} << QStringList{u"r0c0"_s};
    QTest::newRow("individual table on two pages")
        << TableKind::Individual << 1 << 36 << 2 << QStringList{u"инд35-c1"_s} << QStringList{u"r0c0"_s};
    QTest::newRow("active table empty: title only")
        << TableKind::Individual << 5 << 0 << 1 << QStringList{u"ЛИРАС-Д7"_s, u"10.12.2026"_s}
        << QStringList{u"Дата"_s, u"r0c0"_s};
}

void TestPdfExport::printsTheActiveTable()
{
    PDF_REQUIRE_TOOL("pdfinfo");
    PDF_REQUIRE_TOOL("pdftotext");
    QFETCH(TableKind, active);
    QFETCH(int, basicRows);
    QFETCH(int, individualRows);
    QFETCH(int, pages);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, absent);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const FakeCellSource basic = basicTable(basicRows);
    const FakeCellSource individual = individualTable(individualRows);
    const QString fileName = dir.filePath(u"table.pdf"_s);

    runPdfCommand({basic, individual, active}, fileName, false);

    QVERIFY(m_platform->dialogs.messages().isEmpty());
    QCOMPARE(pdfinfoField(fileName, u"Pages"_s), QString::number(pages));
    const QStringList words = allWords(fileName);
    for (const QString &word : shown)
        QVERIFY2(words.contains(word), qPrintable(word));
    for (const QString &word : absent)
        QVERIFY2(!words.contains(word), qPrintable(word));
}

void TestPdfExport::exportUnderFileSizeLimit_data()
{
    // One page within one buffered block, and ten pages of many blocks.
    writefaults::addRows({3, 320}, "rows");
}

// As on a medium that fills up during the export: the command says so, the old file stays
// whole and nothing else is left in the folder; the file is replaced only when all of it fits.
void TestPdfExport::exportUnderFileSizeLimit()
{
    PDF_REQUIRE_TOOL("qpdf");
    QFETCH(int, size);
    QFETCH(writefaults::Point, point);
    const FakeCellSource basic = basicTable(size);
    const FakeCellSource individual(kIndividualColumns);

    // The same export without a limit gives the size: only the file's name, in its
    // identifier's hash, and the time of day differ between the two, never the length.
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString measured = scratch.filePath(u"measured.pdf"_s);
    runPdfCommand({basic, individual, TableKind::Basic}, measured, false);
    const qint64 finishedSize = QFileInfo(measured).size();
    QCOMPARE(runTool(u"qpdf"_s, {u"--check"_s, measured}).exitCode, 0);
    QVERIFY(m_platform->dialogs.messages().isEmpty());
    m_platform->dialogs.confirmAnswers.clear(); // no file to replace: the answer was not used

    const writefaults::OldTarget target(u"report.pdf"_s);
    QVERIFY(target.isValid());
    const qint64 limit = writefaults::limitAt(point, finishedSize);
    QVERIFY(writefaults::runUnderLimit(
        limit, [&] { runPdfCommand({basic, individual, TableKind::Basic}, target.path(), true); }));

    QVERIFY(target.isAlone());
    const bool fits = limit >= finishedSize;
    QCOMPARE(m_platform->dialogs.messages(), fits ? QStringList() : QStringList{u"Ошибка сохранения файла!"_s});
    if (fits) {
        QCOMPARE(QFileInfo(target.path()).size(), finishedSize);
        QCOMPARE(runTool(u"qpdf"_s, {u"--check"_s, target.path()}).exitCode, 0);
    } else {
        QCOMPARE(target.bytes(), target.oldBytes());
    }
}

QTEST_MAIN(TestPdfExport)
#include "tst_pdfexport.moc"
