#include "tests/report/reportfixture.h"

#include "platform/progress.h"
#include "platform/ui/errorsink.h"
#include "platform/ui/fakeplatform.h"
#include "preview/previewarea.h"
#include "preview/progresswindow.h"
#include "preview/reportcontroller.h"
#include "preview/reportpreview.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

FakeCellSource individualTable(int rows)
{
    FakeCellSource table(kIndividualColumns);
    for (int r = 0; r < rows; ++r)
        table.addRow(u"i%1"_s.arg(r), {{20, u"3900"_s}});
    return table;
}

QStringList texts(const PreparedReport &report, QStringView memo)
{
    QStringList result;
    for (const PreparedPage &page : report.pages) {
        for (const PreparedBox &box : page.boxes) {
            if (box.style->name == memo)
                result << box.text;
        }
    }
    return result;
}

// What a stub writer saw.
struct WriterCall
{
    QString fileName;
    int pages = 0;
    QStringList readings;
};

} // namespace

class TestReportController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void noDataInEitherTable();
    void previewWindow();
    void titleOnlyWhenTheActiveTableIsEmpty();
    void buildKeepsItsSnapshotWhileTablesChange();
    void newBuildGoesIntoTheOpenPreview_data();
    void newBuildGoesIntoTheOpenPreview();
    void previewFreesItselfWhenClosed();
    void closingThePreviewEndsItsBuild_data();
    void closingThePreviewEndsItsBuild();
    void previewExportEntriesEmitSignals();
    void printOutcomes_data();
    void printOutcomes();
    void buildErrorIsReported();

    void exportFlow_data();
    void exportFlow();
    void exportRefreshesTheOpenPreview();
    void exportDuringAPreviewBuild();
    void failedBuildWritesNothing();
    void exportShowsItsProgressWindow();

private:
    // A CSV export to the file the dialog answers; the number of writer calls.
    int exportCsv(const ReportTables &tables, const QString &file);

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<ReportController> m_controller;
    QStringList m_errors;
    errorsink::Handler m_previousHandler;
    QTemporaryDir m_dir;
};

void TestReportController::init()
{
    m_platform = std::make_unique<FakePlatform>();
    m_controller = std::make_unique<ReportController>(m_platform->dialogs, m_platform->regional, nullptr);
    m_controller->setClock([] { return QDate(2026, 12, 9); });
    m_errors.clear();
    m_previousHandler = errorsink::install([this](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const AppError &error) {
            m_errors << error.userText();
        }
    });
}

void TestReportController::cleanup()
{
    m_controller.reset();
    m_platform.reset();
    errorsink::install(m_previousHandler);
}

int TestReportController::exportCsv(const ReportTables &tables, const QString &file)
{
    m_platform->dialogs.fileAnswers.enqueue(file);
    std::unique_ptr<FileDialog> dialog = m_platform->dialogs.createFileDialog(FileDialog::Kind::Save);
    NullProgress progress;
    int writes = 0;
    m_controller->exportReport(tables, true, *dialog,
                               [&](const QString &, const PreparedReport &, Progress &) { return ++writes > 0; },
                               progress);
    return writes;
}

void TestReportController::noDataInEitherTable()
{
    const FakeCellSource basic(kBasicColumns);
    const FakeCellSource individual(kIndividualColumns);
    m_controller->showReport({basic, individual, TableKind::Basic});
    QCOMPARE(m_platform->dialogs.messages(), QStringList{u"Нет данных"_s});
    QVERIFY(!m_controller->preview());
    QVERIFY(m_controller->preparedReport().pages.empty());
}

void TestReportController::previewWindow()
{
    const FakeCellSource basic = basicTable(3);
    const FakeCellSource individual(kIndividualColumns);
    QSignalSpy finished(m_controller.get(), &ReportController::buildFinished);
    m_controller->showReport({basic, individual, TableKind::Basic});

    ReportPreview *preview = m_controller->preview();
    QVERIFY(preview);
    QCOMPARE(preview->windowTitle(), u"ЛИРАС"_s);
    QVERIFY(preview->isVisible());
    QVERIFY(preview->windowState() & Qt::WindowMaximized);
    QVERIFY(!preview->isModal());
    QVERIFY(preview->testAttribute(Qt::WA_DeleteOnClose));

    QStringList captions;
    for (QAction *action : preview->findChildren<QAction *>()) {
        if (!action->text().isEmpty())
            captions << action->text();
    }
    captions.sort();
    QCOMPARE(captions, (QStringList{u"CSV"_s, u"PDF"_s, u"PDF"_s, u"Закрыть"_s, u"Печать"_s}));
    const auto *exportButton = preview->findChild<QToolButton *>(u"exportButton"_s);
    QVERIFY(exportButton);
    QCOMPARE(exportButton->text(), u"Экспорт"_s);
    QCOMPARE(exportButton->menu()->actions().size(), 2);
    for (QToolButton *button : preview->findChildren<QToolButton *>()) {
        if (!button->text().isEmpty())
            QVERIFY2(button->toolButtonStyle() == Qt::ToolButtonTextOnly, qPrintable(button->text()));
    }

    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QCOMPARE(preview->area()->pageCount(), 1);
    QCOMPARE(texts(m_controller->preparedReport(), u"Memo40"), QStringList{u"09.12.2026"_s});
    QCOMPARE(texts(m_controller->preparedReport(), u"Memo1"), (QStringList{u"r0c0"_s, u"r1c0"_s, u"r2c0"_s}));
    QVERIFY(texts(m_controller->preparedReport(), u"Memo42").isEmpty());
    QVERIFY(!m_controller->frxReport1().findMemo(u"Memo42")->visible);
}

void TestReportController::titleOnlyWhenTheActiveTableIsEmpty()
{
    const FakeCellSource basic = basicTable(5);
    const FakeCellSource individual(kIndividualColumns);
    QSignalSpy finished(m_controller.get(), &ReportController::buildFinished);
    m_controller->showReport({basic, individual, TableKind::Individual});
    QTRY_COMPARE(finished.size(), 1);
    QVERIFY(m_platform->dialogs.messages().isEmpty());
    const PreparedReport &report = m_controller->preparedReport();
    QCOMPARE(report.pages.size(), size_t(1));
    QCOMPARE(report.pages[0].boxes.size(), size_t(2));
}

void TestReportController::buildKeepsItsSnapshotWhileTablesChange()
{
    FakeCellSource basic = basicTable(2000);
    const FakeCellSource individual = individualTable(3);
    m_controller->setSliceRecords(100);
    QSignalSpy finished(m_controller.get(), &ReportController::buildFinished);
    m_controller->showReport({basic, individual, TableKind::Basic});
    QVERIFY(m_controller->isBuilding());
    QVERIFY(m_controller->preparedReport().pages.size() < 10);
    QAction *print = m_controller->preview()->findChild<QAction *>(u"printAction"_s);
    QVERIFY(print);
    QTRY_VERIFY(!print->isEnabled()); // printing waits for the whole report

    // Mid-build: the user switches to the other tab and asks again, then sorts and deletes.
    QTest::qWait(5);
    m_controller->showReport({basic, individual, TableKind::Individual});
    basic.moveRow(1999, 0);
    basic.removeRow(5);
    basic.setCell(0, 1, u"changed"_s);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);

    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QVERIFY(print->isEnabled());
    const QStringList numbers = texts(m_controller->preparedReport(), u"Memo1");
    QCOMPARE(numbers.size(), 2000);
    QCOMPARE(numbers.first(), u"r0c0"_s);
    QCOMPARE(numbers.at(1), u"r1c0"_s);
    QCOMPARE(numbers.at(5), u"r5c0"_s);
    QCOMPARE(numbers.last(), u"r1999c0"_s);
    QCOMPARE(m_controller->preparedReport().pages.size(), size_t(1 + (2000 - 34 + 37) / 38));

    // The next build sees the table as it is now.
    m_controller->showReport({basic, individual, TableKind::Basic});
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 20000);
    const QStringList after = texts(m_controller->preparedReport(), u"Memo1");
    QCOMPARE(after.size(), 1999);
    QCOMPARE(after.first(), u"r1999c0"_s);
    QCOMPARE(after.at(1), u"changed"_s);
}

void TestReportController::newBuildGoesIntoTheOpenPreview_data()
{
    QTest::addColumn<QString>("away"); // where the preview went before the second "Отчет"

    QTest::newRow("in front") << QString();
    QTest::newRow("minimised") << u"minimised"_s;
    QTest::newRow("hidden") << u"hidden"_s;
    QTest::newRow("behind another window") << u"behind"_s;
}

void TestReportController::newBuildGoesIntoTheOpenPreview()
{
    QFETCH(QString, away);

    const FakeCellSource basic = basicTable(40);
    const FakeCellSource individual = individualTable(3);
    QSignalSpy finished(m_controller.get(), &ReportController::buildFinished);
    m_controller->showReport({basic, individual, TableKind::Basic});
    QTRY_COMPARE(finished.size(), 1);
    QPointer<ReportPreview> first = m_controller->preview();
    QCOMPARE(first->area()->pageCount(), 2);
    QVERIFY(QTest::qWaitForWindowActive(first));

    QWidget other;
    if (!away.isEmpty()) {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        if (away == u"minimised")
            first->showMinimized();
        else if (away == u"hidden")
            first->hide();
    }

    // The same window shows the new build, in front again.
    m_controller->showReport({basic, individual, TableKind::Individual});
    QCOMPARE(m_controller->preview(), first.data());
    QVERIFY(first->isVisible());
    QVERIFY(!(first->windowState() & Qt::WindowMinimized));
    QVERIFY(first->windowState() & Qt::WindowMaximized);
    QTRY_COMPARE(QApplication::activeWindow(), first.data());
    QTRY_COMPARE(finished.size(), 2);
    QCOMPARE(first->area()->pageCount(), 1);
    // Individual table: V from column 8, E from column 18.
    QCOMPARE(texts(m_controller->preparedReport(), u"Memo9"), (QStringList{u"i0c8"_s, u"i1c8"_s, u"i2c8"_s}));
    QCOMPARE(texts(m_controller->preparedReport(), u"Memo41"),
             (QStringList{u"i0c18"_s, u"i1c18"_s, u"i2c18"_s}));
}

void TestReportController::previewFreesItselfWhenClosed()
{
    const FakeCellSource basic = basicTable(1);
    const FakeCellSource individual(kIndividualColumns);
    QSignalSpy finished(m_controller.get(), &ReportController::buildFinished);
    m_controller->showReport({basic, individual, TableKind::Basic});
    QTRY_COMPARE(finished.size(), 1);
    QPointer<ReportPreview> preview = m_controller->preview();
    const auto actions = preview->findChildren<QAction *>(u"closeAction"_s);
    QCOMPARE(actions.size(), 1);
    actions.first()->trigger();
    QTRY_VERIFY(!preview);
    QVERIFY(!m_controller->preview());

    // A new command opens a new window.
    m_controller->showReport({basic, individual, TableKind::Basic});
    QTRY_COMPARE(finished.size(), 2);
    QVERIFY(m_controller->preview());
}

void TestReportController::closingThePreviewEndsItsBuild_data()
{
    QTest::addColumn<bool>("programExits"); // the main window goes, with the controller

    QTest::newRow("preview closed") << false;
    QTest::newRow("program exits") << true;
}

void TestReportController::closingThePreviewEndsItsBuild()
{
    QFETCH(bool, programExits);

    const FakeCellSource basic = basicTable(3000);
    const FakeCellSource individual(kIndividualColumns);
    m_controller->setSliceRecords(50);
    QSignalSpy finished(m_controller.get(), &ReportController::buildFinished);
    m_controller->showReport({basic, individual, TableKind::Basic});
    QTRY_VERIFY(m_controller->preparedReport().pages.size() > 1);
    QVERIFY(m_controller->isBuilding());
    QPointer<ReportPreview> preview = m_controller->preview();
    if (programExits) {
        m_controller.reset();
        QVERIFY(!preview);
    } else {
        preview->close();
        QTRY_VERIFY(!preview);
        QVERIFY(!m_controller->preview());
        QVERIFY(!m_controller->isBuilding());
    }
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), false);
    QTest::qWait(20); // no slice is left to run
    QVERIFY(m_errors.isEmpty());
    if (programExits)
        return;

    // The next command builds again, in a new window.
    m_controller->showReport({basic, individual, TableKind::Basic});
    QVERIFY(m_controller->preview());
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 20000);
    QCOMPARE(texts(m_controller->preparedReport(), u"Memo1").size(), 3000);
}

void TestReportController::previewExportEntriesEmitSignals()
{
    const FakeCellSource basic = basicTable(1);
    const FakeCellSource individual(kIndividualColumns);
    m_controller->showReport({basic, individual, TableKind::Basic});
    QSignalSpy pdf(m_controller.get(), &ReportController::pdfRequested);
    QSignalSpy csv(m_controller.get(), &ReportController::csvRequested);
    ReportPreview *preview = m_controller->preview();
    preview->findChild<QAction *>(u"pdfAction"_s)->trigger();
    preview->findChild<QAction *>(u"exportPdfAction"_s)->trigger();
    QCOMPARE(pdf.size(), 2);
    QCOMPARE(csv.size(), 0);
    preview->findChild<QAction *>(u"exportCsvAction"_s)->trigger();
    QCOMPARE(csv.size(), 1);
    QVERIFY(m_platform->dialogs.shown.isEmpty()); // the window itself asks for no file
}

void TestReportController::printOutcomes_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("output"); // a PDF printer's file, relative to a temporary folder
    QTest::addColumn<bool>("printed");

    QTest::newRow("printed") << true << u"printed.pdf"_s << true;
    QTest::newRow("printer cannot start") << true << u"missing/printed.pdf"_s << false;
    QTest::newRow("cancelled") << false << u"cancelled.pdf"_s << false;
}

void TestReportController::printOutcomes()
{
    QFETCH(bool, accepted);
    QFETCH(QString, output);
    QFETCH(bool, printed);

    const FakeCellSource basic = basicTable(3);
    const FakeCellSource individual(kIndividualColumns);
    QSignalSpy finished(m_controller.get(), &ReportController::buildFinished);
    m_controller->showReport({basic, individual, TableKind::Basic});
    QTRY_COMPARE(finished.size(), 1);
    ReportPreview *preview = m_controller->preview();
    QVERIFY(QTest::qWaitForWindowExposed(preview));

    const QString file = m_dir.filePath(output);
    int dialogs = 0;
    preview->setPrintDialogRunner([&](QPrintDialog &dialog) {
        ++dialogs;
        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog.printer()->setOutputFileName(file);
        return accepted ? QDialog::Accepted : QDialog::Rejected;
    });
    auto *toolBar = preview->findChild<QToolBar *>();
    QWidget *button = toolBar->widgetForAction(preview->findChild<QAction *>(u"printAction"_s));
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());

    QCOMPARE(dialogs, 1);
    QCOMPARE(QFile::exists(file), printed);
    const bool failed = accepted && !printed;
    QCOMPARE(m_platform->dialogs.messages(), failed ? QStringList{u"Ошибка печати!"_s} : QStringList());
    if (failed)
        QCOMPARE(m_platform->dialogs.shown.first().parent, preview);
}

void TestReportController::buildErrorIsReported()
{
    // A good report first, so that the failed one has old pages to leave behind.
    const FakeCellSource basic = basicTable(40);
    // A table that lacks the columns the report reads.
    FakeCellSource narrow(10);
    narrow.addRow(u"n"_s);
    const FakeCellSource individual(kIndividualColumns);
    QSignalSpy finished(m_controller.get(), &ReportController::buildFinished);
    m_controller->showReport({basic, individual, TableKind::Basic});
    QTRY_COMPARE(finished.size(), 1);
    ReportPreview *preview = m_controller->preview();
    QCOMPARE(preview->area()->pageCount(), 2);

    // The error leaves the command as the main window's handlers meet it.
    errorsink::guarded([&] { m_controller->showReport({narrow, individual, TableKind::Basic}); });
    QCOMPARE(finished.size(), 2);
    QCOMPARE(finished.at(1).at(0).toBool(), false);
    QCOMPARE(m_errors, QStringList{u"Cell (11, 0) out of bounds."_s});
    QVERIFY(!m_controller->isBuilding());
    QCOMPARE(m_controller->preview(), preview);
    QCOMPARE(preview->area()->pageCount(), 0);
    QCOMPARE(preview->findChild<QLabel *>(u"statusLabel"_s)->text(), u"Страниц: 0"_s);
    QVERIFY(preview->findChild<QAction *>(u"printAction"_s)->isEnabled());
}

void TestReportController::exportFlow_data()
{
    QTest::addColumn<bool>("csv");
    QTest::addColumn<QString>("answer");     // typed in the dialog; empty cancels
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("writerResult");
    QTest::addColumn<QString>("written");    // file the writer gets; empty: not called
    QTest::addColumn<QStringList>("messages");

    const QStringList none;
    const QStringList failed{u"Ошибка сохранения файла!"_s};
    QTest::newRow("cancel") << false << QString() << false << false << true << QString() << none;
    QTest::newRow("new file") << false << u"out.pdf"_s << false << false << true << u"out.pdf"_s << none;
    QTest::newRow("exists, No") << false << u"out.pdf"_s << true << false << true << QString() << none;
    QTest::newRow("exists, Yes") << false << u"out.pdf"_s << true << true << true << u"out.pdf"_s << none;
    QTest::newRow("no extension gets pdf") << false << u"report"_s << true << true << true << u"report.pdf"_s << none;
    QTest::newRow("no extension gets csv") << true << u"report"_s << false << false << true << u"report.csv"_s << none;
    QTest::newRow("writer fails") << false << u"out.pdf"_s << false << false << false << u"out.pdf"_s << failed;
    QTest::newRow("csv writer fails") << true << u"out.csv"_s << false << false << false << u"out.csv"_s << failed;
}

void TestReportController::exportFlow()
{
    QFETCH(bool, csv);
    QFETCH(QString, answer);
    QFETCH(bool, fileExists);
    QFETCH(bool, replace);
    QFETCH(bool, writerResult);
    QFETCH(QString, written);
    QFETCH(QStringList, messages);

    QTemporaryDir dir;
    const QString extension = csv ? u"csv"_s : u"pdf"_s;
    const QString target = QFileInfo(answer).suffix().isEmpty() ? answer + u'.' + extension : answer;
    if (fileExists) {
        QFile existing(dir.filePath(target));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("old");
    }
    m_platform->dialogs.fileAnswers.enqueue(answer.isEmpty() ? QString() : dir.filePath(answer));
    m_platform->dialogs.confirmAnswers.enqueue(replace);
    std::unique_ptr<FileDialog> dialog = m_platform->dialogs.createFileDialog(FileDialog::Kind::Save);
    dialog->setDefaultExtension(extension);

    const FakeCellSource basic = basicTable(2);
    const FakeCellSource individual(kIndividualColumns);
    QList<WriterCall> calls;
    const ReportWriter writer = [&](const QString &fileName, const PreparedReport &report, Progress &) {
        calls.append({fileName, int(report.pages.size()), texts(report, u"Memo42")});
        return writerResult;
    };
    NullProgress progress;
    m_controller->exportReport({basic, individual, TableKind::Basic}, csv, *dialog, writer, progress);

    if (fileExists) {
        QCOMPARE(m_platform->dialogs.confirmations(),
                 QStringList{u"Файл "_s + dir.filePath(target) + u" существует! Перезаписать?"_s});
    } else {
        QVERIFY(m_platform->dialogs.confirmations().isEmpty());
    }
    QCOMPARE(m_platform->dialogs.messages(), messages);
    if (written.isEmpty()) {
        QVERIFY(calls.isEmpty());
        QVERIFY(m_controller->preparedReport().pages.empty()); // nothing built either
    } else {
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].fileName, dir.filePath(written));
        QCOMPARE(calls[0].pages, 1);
        // Only the CSV carries the readings.
        QStringList readings;
        for (int row = 0; csv && row < 2; ++row) {
            QString text = u";4120"_s;
            for (int column = 24; column <= 37; ++column)
                text += u";r%1c%2"_s.arg(row).arg(column);
            readings << text;
        }
        QCOMPARE(calls[0].readings, readings);
    }
    QVERIFY(!m_controller->preview()); // exports open no window
    QCOMPARE(m_controller->frxReport1().findMemo(u"Memo42")->visible, csv);
    QCOMPARE(m_controller->frxReport1().findMemo(u"Memo40")->text, u"09.12.2026"_s);
}

void TestReportController::exportRefreshesTheOpenPreview()
{
    const FakeCellSource basic = basicTable(40);
    const FakeCellSource individual = individualTable(3);
    QSignalSpy finished(m_controller.get(), &ReportController::buildFinished);
    m_controller->showReport({basic, individual, TableKind::Basic});
    QTRY_COMPARE(finished.size(), 1);
    ReportPreview *preview = m_controller->preview();
    QCOMPARE(preview->area()->pageCount(), 2);

    const int writes = exportCsv({basic, individual, TableKind::Individual}, m_dir.filePath(u"ind.csv"_s));
    QCOMPARE(writes, 1);
    QCOMPARE(m_controller->preview(), preview);
    QCOMPARE(preview->area()->pageCount(), 1);
    QCOMPARE(texts(m_controller->preparedReport(), u"Memo42").size(), 3);
    QCOMPARE(texts(m_controller->preparedReport(), u"Memo1"), (QStringList{u"i0c0"_s, u"i1c0"_s, u"i2c0"_s}));
}

void TestReportController::exportDuringAPreviewBuild()
{
    const FakeCellSource basic = basicTable(3000);
    const FakeCellSource individual = individualTable(3);
    m_controller->setSliceRecords(50);
    QSignalSpy finished(m_controller.get(), &ReportController::buildFinished);
    m_controller->showReport({basic, individual, TableKind::Basic});
    QVERIFY(m_controller->isBuilding());

    QCOMPARE(exportCsv({basic, individual, TableKind::Individual}, m_dir.filePath(u"during.csv"_s)), 1);
    // The preview's build ran to its end before the export prepared its own.
    QCOMPARE(finished.size(), 2);
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QCOMPARE(finished.at(1).at(0).toBool(), true);
    QVERIFY(!m_controller->isBuilding());
    QCOMPARE(texts(m_controller->preparedReport(), u"Memo1"), (QStringList{u"i0c0"_s, u"i1c0"_s, u"i2c0"_s}));
    QCOMPARE(m_controller->preview()->area()->pageCount(), 1);
}

void TestReportController::failedBuildWritesNothing()
{
    // The readings columns are missing, so the CSV build cannot read them.
    FakeCellSource narrow(22);
    narrow.addRow(u"n"_s);
    const FakeCellSource individual(kIndividualColumns);
    QSignalSpy finished(m_controller.get(), &ReportController::buildFinished);
    int writes = 0;
    errorsink::guarded(
        [&] { writes = exportCsv({narrow, individual, TableKind::Basic}, m_dir.filePath(u"never.csv"_s)); });
    QCOMPARE(writes, 0);
    // The rows are read before the file is asked for: no dialog, no build.
    QVERIFY(m_platform->dialogs.shown.isEmpty());
    QVERIFY(finished.isEmpty());
    QVERIFY(!m_controller->isBuilding());
    QCOMPARE(m_errors, QStringList{u"Cell (23, 0) out of bounds."_s});
    QVERIFY(m_platform->dialogs.messages().isEmpty());
    QVERIFY(!QFileInfo::exists(m_dir.filePath(u"never.csv"_s)));
}

void TestReportController::exportShowsItsProgressWindow()
{
    const FakeCellSource basic = basicTable(120);
    const FakeCellSource individual(kIndividualColumns);
    m_platform->dialogs.fileAnswers.enqueue(m_dir.filePath(u"progress.pdf"_s));
    std::unique_ptr<FileDialog> dialog = m_platform->dialogs.createFileDialog(FileDialog::Kind::Save);
    ProgressWindow progress(u"Экспорт"_s);
    int maximumSeen = -1;
    m_controller->exportReport({basic, individual, TableKind::Basic}, false, *dialog,
                               [&](const QString &, const PreparedReport &, Progress &p) {
                                   auto *bar = static_cast<ProgressWindow &>(p).findChild<QProgressBar *>();
                                   maximumSeen = bar->maximum();
                                   return true;
                               },
                               progress);
    QVERIFY(progress.isVisible());
    QVERIFY(!progress.isModal());
    QCOMPARE(maximumSeen, 120); // the build counted the records on it
}

QTEST_MAIN(TestReportController)
#include "tst_reportcontroller.moc"
