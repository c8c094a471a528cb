#include "tst_csvexample.h"

#include "csv/csvwriter.h"
#include "platform/progress.h"
#include "platform/ui/fakeplatform.h"
#include "preview/reportcontroller.h"
#include "preview/reportpreview.h"
#include "tests/support/writefaults.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace csvexample;

namespace {

enum class Outcome { NoFile, OldFile, Csv };

} // namespace

Q_DECLARE_METATYPE(Outcome)

// The "CSV" command through the shared export flow, with the real writer and scripted dialogs.
// No error handler is installed, so an error the flow reports fails the test.
class TestCsvExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void exportPaths_data();
    void exportPaths();
    void failedWriteIsReported();
    void exportUnderFileSizeLimit_data();
    void exportUnderFileSizeLimit();
    void individualTableActive();

private:
    // Runs the command on the tables with one scripted file answer and one confirmation.
    void runCsvCommand(const ReportTables &tables, const QString &answer, bool replace);

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<ReportController> m_controller;
    std::unique_ptr<FileDialog> m_saveDialog2;
};

void TestCsvExport::init()
{
    m_platform = std::make_unique<FakePlatform>(1251);
    m_controller = std::make_unique<ReportController>(m_platform->dialogs, m_platform->regional, nullptr);
    m_controller->setClock([] { return QDate(2026, 12, 9); });
    // Set up as the main window sets up its CSV save dialog.
    m_saveDialog2 = m_platform->dialogs.createFileDialog(FileDialog::Kind::Save);
    m_saveDialog2->setTitle(u"Сохранить в CSV"_s);
    m_saveDialog2->setFilter(u"Excel files (*.csv)|*.csv"_s);
    m_saveDialog2->setDefaultExtension(u"csv"_s);
}

void TestCsvExport::cleanup()
{
    m_saveDialog2.reset();
    m_controller.reset();
    m_platform.reset();
}

void TestCsvExport::runCsvCommand(const ReportTables &tables, const QString &answer, bool replace)
{
    m_platform->dialogs.fileAnswers.enqueue(answer);
    m_platform->dialogs.confirmAnswers.enqueue(replace);
    const AnsiCodePage &ansi = *m_platform->ansi;
    NullProgress progress;
    m_controller->exportReport(
        tables, true, *m_saveDialog2,
        [&ansi](const QString &fileName, const PreparedReport &report, Progress &p) {
            return writeCsv(fileName, report, ansi, p);
        },
        progress);
}

void TestCsvExport::exportPaths_data()
{
    QTest::addColumn<QString>("answer");   // typed into the dialog; empty to cancel
    QTest::addColumn<QByteArray>("existing"); // the target's content before; null for none
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QString>("target");
    QTest::addColumn<Outcome>("outcome");

    const QByteArray old = "old;content\r\n";
    QTest::newRow("cancelled") << QString() << QByteArray() << true << u"out.csv"_s << Outcome::NoFile;
    QTest::newRow("new file") << u"out.csv"_s << QByteArray() << false << u"out.csv"_s << Outcome::Csv;
    QTest::newRow("exists, No keeps it") << u"out.csv"_s << old << false << u"out.csv"_s << Outcome::OldFile;
    QTest::newRow("exists, Yes replaces a longer file")
        << u"out.csv"_s << QByteArray(10000, 'x') << true << u"out.csv"_s << Outcome::Csv;
    QTest::newRow("name without extension gets .csv before the check")
        << u"report"_s << old << true << u"report.csv"_s << Outcome::Csv;
}

void TestCsvExport::exportPaths()
{
    QFETCH(QString, answer);
    QFETCH(QByteArray, existing);
    QFETCH(bool, replace);
    QFETCH(QString, target);
    QFETCH(Outcome, outcome);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString targetPath = dir.filePath(target);
    if (!existing.isNull())
        QVERIFY(writeFile(targetPath, existing));
    const FakeCellSource basic = table({row1(), row2()}, Table::Basic);
    const FakeCellSource individual(kIndividualColumns);

    runCsvCommand({basic, individual, TableKind::Basic}, answer.isEmpty() ? QString() : dir.filePath(answer), replace);

    if (existing.isNull())
        QVERIFY(m_platform->dialogs.confirmations().isEmpty());
    else
        QCOMPARE(m_platform->dialogs.confirmations(),
                 QStringList{u"Файл "_s + targetPath + u" существует! Перезаписать?"_s});
    QVERIFY(m_platform->dialogs.messages().isEmpty()); // success shows nothing
    switch (outcome) {
    case Outcome::NoFile:
        QVERIFY(!QFile::exists(targetPath));
        QVERIFY(m_controller->preparedReport().pages.empty()); // nothing built either
        break;
    case Outcome::OldFile:
        QCOMPARE(readAll(targetPath), existing);
        QVERIFY(m_controller->preparedReport().pages.empty());
        break;
    case Outcome::Csv:
        QCOMPARE(readAll(targetPath), workedExample(*m_platform->ansi));
        break;
    }
    // Nothing else appears in the folder: no file under the typed name, no temporary file.
    const QStringList expectedFiles = outcome == Outcome::NoFile ? QStringList() : QStringList{target};
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), expectedFiles);
}

void TestCsvExport::failedWriteIsReported()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString plain = dir.filePath(u"plain"_s);
    QVERIFY(writeFile(plain, "a file, not a folder"));
    const FakeCellSource basic = table({row1(), row2()}, Table::Basic);
    const FakeCellSource individual(kIndividualColumns);

    runCsvCommand({basic, individual, TableKind::Basic}, plain + u"/out.csv"_s, true);

    QCOMPARE(m_platform->dialogs.messages(), QStringList{u"Ошибка сохранения файла!"_s});
    QCOMPARE(readAll(plain), QByteArray("a file, not a folder"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"plain"_s});
}

void TestCsvExport::exportUnderFileSizeLimit_data()
{
    // The worked example's rows within one buffered block, and nine pages of many blocks.
    writefaults::addRows({2, 300}, "rows");
}

// As on a medium that fills up during the export: the command says so, the old file stays
// whole and nothing else is left in the folder; the file is replaced only when all of it fits.
void TestCsvExport::exportUnderFileSizeLimit()
{
    QFETCH(int, size);
    QFETCH(writefaults::Point, point);
    std::vector<Fields> fields;
    for (int r = 0; r < size; ++r)
        fields.push_back(r % 2 == 0 ? row1() : row2());
    const FakeCellSource basic = table(fields, Table::Basic);
    const FakeCellSource individual(kIndividualColumns);

    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString measured = scratch.filePath(u"measured.csv"_s);
    runCsvCommand({basic, individual, TableKind::Basic}, measured, false);
    const QByteArray finished = readAll(measured);
    QVERIFY(!finished.isEmpty());
    QVERIFY(m_platform->dialogs.messages().isEmpty());
    m_platform->dialogs.confirmAnswers.clear(); // no file to replace: the answer was not used

    const writefaults::OldTarget target(u"report.csv"_s);
    QVERIFY(target.isValid());
    const qint64 limit = writefaults::limitAt(point, finished.size());
    QVERIFY(writefaults::runUnderLimit(
        limit, [&] { runCsvCommand({basic, individual, TableKind::Basic}, target.path(), true); }));

    QVERIFY(target.isAlone());
    const bool fits = limit >= finished.size();
    QCOMPARE(m_platform->dialogs.messages(), fits ? QStringList() : QStringList{u"Ошибка сохранения файла!"_s});
    QCOMPARE(target.bytes(), fits ? finished : target.oldBytes());
}

void TestCsvExport::individualTableActive()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The basic table holds other rows; the file must show the individual table's.
    const FakeCellSource basic = table({row2(), row2(), row2()}, Table::Basic);
    const FakeCellSource individual = table({row1(), row2()}, Table::Individual);

    runCsvCommand({basic, individual, TableKind::Individual}, dir.filePath(u"ind.csv"_s), false);

    QCOMPARE(readAll(dir.filePath(u"ind.csv"_s)), workedExample(*m_platform->ansi));
}

QTEST_GUILESS_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
