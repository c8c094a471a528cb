// The main window as a user drives it: its menu commands over the real tables, with the
// scripted platform answering every box and dialog.
#include "app/Unit2.h"
#include "platform/ui/fakeplatform.h"
#include "preview/reportcontroller.h"
#include "preview/reportpreview.h"
#include "tables/measurementgrid.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProgressBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

QString exampleArchive(const QString &name)
{
    return qEnvironmentVariable("LIRAS_SOURCE_DIR") + u"/examples/instrument/ARCHIVE/"_s + name;
}

// Stands in for the chart window: records that it was asked to open and closes at once.
class RecordingChart : public QDialog
{
public:
    int shows = 0;

protected:
    void showEvent(QShowEvent *event) override
    {
        ++shows;
        QDialog::showEvent(event);
        QTimer::singleShot(0, this, &QDialog::reject);
    }
};

bool dataCommandsEnabled(const TForm1 &form)
{
    return form.N3->isEnabled() && form.N5->menuAction()->isEnabled() && form.N6->menuAction()->isEnabled()
        && form.SaveAs1->isEnabled() && form.FileClose->isEnabled();
}

bool anyDataCommandEnabled(const TForm1 &form)
{
    return form.N3->isEnabled() || form.N5->menuAction()->isEnabled() || form.N6->menuAction()->isEnabled()
        || form.SaveAs1->isEnabled() || form.FileClose->isEnabled();
}

void answerFiles(FakePlatform &fake, const QStringList &paths)
{
    for (const QString &path : paths)
        fake.dialogs.fileAnswers.enqueue(path);
}

// Empty when the table's columns fill its width exactly: some are in fill mode, the shown
// ones add up to the client width, and there is nothing to scroll sideways.
QString widthFault(const MeasurementGrid &grid)
{
    int fillColumns = 0;
    int shownPx = 0;
    for (int column = 0; column < grid.tableModel().columnCount(); ++column) {
        if (grid.isColumnHidden(column))
            continue;
        shownPx += grid.horizontalHeader()->sectionSize(column);
        fillColumns += grid.isFillMode(column) ? 1 : 0;
    }
    const QScrollBar *bar = grid.horizontalScrollBar();
    if (fillColumns == 0)
        return u"no fill-mode column"_s;
    if (shownPx != grid.viewport()->width())
        return u"columns %1 px in a client %2 px wide"_s.arg(shownPx).arg(grid.viewport()->width());
    if (bar->maximum() != 0 || bar->isVisible())
        return u"horizontal scroll range %1"_s.arg(bar->maximum());
    return QString();
}

// Opens the example archive through "&Открыть файл..." and shows the window; true once the
// window is on screen.
bool openAndShow(FakePlatform &fake, TForm1 &form, const QString &archive)
{
    answerFiles(fake, {exampleArchive(archive)});
    form.FileOpen1->trigger();
    form.show();
    return QTest::qWaitForWindowExposed(&form);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void openBothKindsThenClose();
    void filesFromTheCommandLineOpenAsChosen();
    void rejectedFileLeavesCommandsAsTheyWere();
    void instrumentDiscovery();
    void deleteKeyOnlyOnBasicTable();
    void doubleClickOpensChartOnlyWithReadings();
    void alignUsesWindowWidth();
    void reportOfEmptyTablesSaysNoData();
    void saveAsWritesTheLoadedLines();
    void exportDialogsBelongToTheirWindow_data();
    void exportDialogsBelongToTheirWindow();
    void accessKeysReachEveryMenu_data();
    void accessKeysReachEveryMenu();
    void menuEntriesRunTheirCommands_data();
    void menuEntriesRunTheirCommands();
    void progressBarRestsAfterEveryLoad_data();
    void progressBarRestsAfterEveryLoad();
    void columnsFillTheWidthWithoutScrolling_data();
    void columnsFillTheWidthWithoutScrolling();
};

// The names a file manager hands over open one after the other with the messages of
// "&Открыть файл...": each kind on its tab, the last one selected, a missing name reported.
void TestMainWindow::filesFromTheCommandLineOpenAsChosen()
{
    FakePlatform fake;
    TForm1 form(fake.platform());
    form.openArchives({exampleArchive(u"archive_individual.csv"_s), exampleArchive(u"missing.csv"_s),
                       exampleArchive(u"archive_basic.csv"_s)});
    QCOMPARE(fake.dialogs.messages(), QStringList{u"Файл не существует"_s});
    QVERIFY(form.PageControl1->isTabVisible(0));
    QVERIFY(form.PageControl1->isTabVisible(1));
    QCOMPARE(form.activePageIndex(), 0);
    QVERIFY(form.NextGrid62->tableModel().rowCount() > 40);
    QVERIFY(form.NextGrid61->tableModel().rowCount() > 40);
    QVERIFY(dataCommandsEnabled(form));
    QCOMPARE(fake.dialogs.shown.size(), 1); // no file dialog asked for a name
}

void TestMainWindow::openBothKindsThenClose()
{
    FakePlatform fake;
    TForm1 form(fake.platform());
    answerFiles(fake, {exampleArchive(u"archive_basic.csv"_s), exampleArchive(u"archive_individual.csv"_s)});

    form.FileOpen1->trigger();
    QCOMPARE(form.activePageIndex(), 0);
    QVERIFY(form.PageControl1->isTabVisible(0));
    QVERIFY(!form.PageControl1->isTabVisible(1));
    QVERIFY(form.NextGrid62->tableModel().rowCount() > 40);
    QCOMPARE(form.NextGrid62->tableModel().cellText(0, 0), u"1"_s);
    QVERIFY(dataCommandsEnabled(form));

    form.FileOpen1->trigger();
    QCOMPARE(form.activePageIndex(), 1);
    QVERIFY(form.PageControl1->isTabVisible(0));
    QVERIFY(form.NextGrid61->tableModel().rowCount() > 40);
    QVERIFY(fake.dialogs.messages().isEmpty());

    // Closing the selected individual page leaves the basic one selected and usable.
    form.FileClose->trigger();
    QVERIFY(!form.PageControl1->isTabVisible(1));
    QCOMPARE(form.activePageIndex(), 0);
    QVERIFY(dataCommandsEnabled(form));

    form.FileClose->trigger();
    QCOMPARE(form.activePageIndex(), -1);
    QVERIFY(!anyDataCommandEnabled(form));
    // Closing hides; the rows stay until the next load of that kind.
    QVERIFY(form.NextGrid62->tableModel().rowCount() > 40);
}

void TestMainWindow::rejectedFileLeavesCommandsAsTheyWere()
{
    QTemporaryDir dir;
    const QString notArchive = dir.filePath(u"notes.csv"_s);
    writeFile(notArchive, "just some text\r\nsecond line\r\n");

    FakePlatform fake;
    TForm1 form(fake.platform());
    answerFiles(fake, {notArchive, dir.filePath(u"missing.csv"_s)});
    form.FileOpen1->trigger();
    QCOMPARE(fake.dialogs.messages(), QStringList{u"Файл не является архивом!"_s});
    QCOMPARE(form.activePageIndex(), -1);
    QVERIFY(!anyDataCommandEnabled(form));

    form.FileOpen1->trigger();
    QCOMPARE(fake.dialogs.messages().last(), u"Файл не существует"_s);
    QVERIFY(!anyDataCommandEnabled(form));
}

void TestMainWindow::instrumentDiscovery()
{
    QTemporaryDir empty;
    FakePlatform fake;
    fake.drives.rootList = {empty.path() + u'/'};
    TForm1 form(fake.platform());

    form.N8->trigger();
    QCOMPARE(fake.dialogs.messages(), QStringList{u"Архивы не найдены! Проверьте подключение прибора!"_s});
    QCOMPARE(form.activePageIndex(), -1);

    fake.drives.rootList.append(qEnvironmentVariable("LIRAS_SOURCE_DIR") + u"/examples/instrument/"_s);
    form.N8->trigger();
    QCOMPARE(fake.dialogs.messages().size(), 1);
    QVERIFY(form.PageControl1->isTabVisible(0));
    QVERIFY(form.PageControl1->isTabVisible(1));
    // The basic archive loads first, so the individual page ends up selected.
    QCOMPARE(form.activePageIndex(), 1);
}

void TestMainWindow::deleteKeyOnlyOnBasicTable()
{
    FakePlatform fake;
    TForm1 form(fake.platform());
    answerFiles(fake, {exampleArchive(u"archive_basic.csv"_s), exampleArchive(u"archive_individual.csv"_s)});
    form.FileOpen1->trigger();
    form.FileOpen1->trigger();
    form.resize(1200, 700);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    const int individualRows = form.NextGrid61->tableModel().rowCount();
    form.PageControl1->setCurrentIndex(1);
    QTest::mouseClick(form.NextGrid61->viewport(), Qt::LeftButton, {},
                      form.NextGrid61->visualRect(form.NextGrid61->model()->index(2, 3)).center());
    QTest::keyClick(form.NextGrid61, Qt::Key_Delete);
    QCOMPARE(form.NextGrid61->tableModel().rowCount(), individualRows);

    form.PageControl1->setCurrentIndex(0);
    const int basicRows = form.NextGrid62->tableModel().rowCount();
    const QString thirdNumber = form.NextGrid62->tableModel().cellText(0, 2);
    QTest::mouseClick(form.NextGrid62->viewport(), Qt::LeftButton, {},
                      form.NextGrid62->visualRect(form.NextGrid62->model()->index(2, 3)).center());
    QTest::keyClick(form.NextGrid62, Qt::Key_Delete);
    QCOMPARE(form.NextGrid62->tableModel().rowCount(), basicRows - 1);
    QVERIFY(form.NextGrid62->tableModel().cellText(0, 2) != thirdNumber);

    // "Удалить строки" acts on the basic table even with the individual page shown.
    form.PageControl1->setCurrentIndex(1);
    QTest::mouseClick(form.NextGrid62->viewport(), Qt::LeftButton, {},
                      form.NextGrid62->visualRect(form.NextGrid62->model()->index(0, 3)).center());
    form.N11->trigger();
    QCOMPARE(form.NextGrid62->tableModel().rowCount(), basicRows - 2);
}

void TestMainWindow::doubleClickOpensChartOnlyWithReadings()
{
    QTemporaryDir dir;
    const QString archive = dir.filePath(u"readings.csv"_s);
    const QByteArray fixed = "15.03.2019;10:00;1;a;b;c;1;0;0;0;4000;50;200;0;50;0;30,5;40;Нет;0;30";
    // The instrument writes five blanks for a reading it does not have.
    const QByteArray blank = ";     ";
    writeFile(archive, "\xEF\xBB\xBF" "Основной архив v003\r\nшапка\r\n" + fixed + blank.repeated(15) + "\r\n"
                           + fixed + ";31;32;33" + blank.repeated(12) + "\r\n");

    FakePlatform fake;
    TForm1 form(fake.platform());
    RecordingChart chart;
    form.setChartWindow(&chart);
    answerFiles(fake, {archive});
    form.FileOpen1->trigger();
    form.resize(1200, 700);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    MeasurementGrid &grid = *form.NextGrid62;
    for (int row : {0, 1}) {
        const QPoint at = grid.visualRect(grid.model()->index(row, 3)).center();
        // A real double-click starts with the press that makes the row current.
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(form.chartSelection.ChartRow, row);
    }
    QTRY_COMPARE(chart.shows, 1);
    QVERIFY(form.chartSelection.ChartSource == TableKind::Basic);
    QCOMPARE(form.chartSelection.ReadingCount, 3);
}

void TestMainWindow::alignUsesWindowWidth()
{
    FakePlatform fake;
    TForm1 form(fake.platform());
    QVERIFY(openAndShow(fake, form, u"archive_individual.csv"_s));
    form.resize(1040 - (form.frameGeometry().width() - form.width()), 600);
    QTRY_COMPARE(form.frameGeometry().width(), 1040);
    form.N9->trigger();
    // Column 18 of the individual table is its last shown column and is fixed: it takes W exactly.
    QCOMPARE(form.NextGrid61->columnWidthPx(18), 50);
}

void TestMainWindow::reportOfEmptyTablesSaysNoData()
{
    QTemporaryDir dir;
    const QString header = dir.filePath(u"empty.csv"_s);
    writeFile(header, "\xEF\xBB\xBF" "Основной архив v003\r\nзаголовок\r\n");
    FakePlatform fake;
    TForm1 form(fake.platform());
    answerFiles(fake, {header});
    form.FileOpen1->trigger();
    QVERIFY(form.N3->isEnabled());
    form.N3->trigger();
    QCOMPARE(fake.dialogs.messages(), QStringList{u"Нет данных"_s});
}

void TestMainWindow::saveAsWritesTheLoadedLines()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(u"source.csv"_s);
    writeFile(source, "\xEF\xBB\xBF" "Индивид. архив v003\nшапка\n1;2\n");
    FakePlatform fake;
    TForm1 form(fake.platform());
    const QString target = dir.filePath(u"copy"_s);
    answerFiles(fake, {source, target});
    form.FileOpen1->trigger();
    form.FileSaveAs1->trigger();
    QFile saved(target + u".csv"_s);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("\xEF\xBB\xBF" "Индивид. архив v003\r\nшапка\r\n1;2\r\n"));
}

void TestMainWindow::exportDialogsBelongToTheirWindow_data()
{
    QTest::addColumn<QString>("start"); // what the user clicks
    QTest::addColumn<bool>("fromPreview");

    QTest::newRow("preview's PDF button") << u"pdfAction"_s << true;
    QTest::newRow("preview's export menu, PDF") << u"exportPdfAction"_s << true;
    QTest::newRow("preview's export menu, CSV") << u"exportCsvAction"_s << true;
    QTest::newRow("main menu, PDF, preview open") << u"PDF1"_s << false;
    QTest::newRow("main menu, CSV, preview open") << u"CSV1"_s << false;
}

void TestMainWindow::exportDialogsBelongToTheirWindow()
{
    QFETCH(QString, start);
    QFETCH(bool, fromPreview);

    QTemporaryDir dir;
    const QString existing = dir.filePath(u"report.out"_s);
    writeFile(existing, "old");
    FakePlatform fake;
    TForm1 form(fake.platform());
    QVERIFY(openAndShow(fake, form, u"archive_basic.csv"_s));
    form.N3->trigger();
    ReportPreview *preview = form.reports().preview();
    QVERIFY(preview);
    QVERIFY(QTest::qWaitForWindowActive(preview));
    QTRY_VERIFY(!form.reports().isBuilding());
    fake.dialogs.shown.clear();

    // Clicks the entry where the user finds it: a toolbar button, an entry of the preview's
    // export menu, or an entry of the main window's menu.
    const auto click = [&] {
        auto *toolBar = preview->findChild<QToolBar *>();
        if (start == u"pdfAction") {
            QWidget *button = toolBar->widgetForAction(preview->findChild<QAction *>(start));
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
            return;
        }
        QMenu *menu = form.N6;
        QWidget *opener = nullptr;
        if (start.startsWith(u"export")) {
            auto *button = preview->findChild<QToolButton *>(u"exportButton"_s);
            menu = button->menu();
            opener = button;
        }
        QAction *entry = menu->findChild<QAction *>(start);
        if (!entry)
            entry = form.findChild<QAction *>(start);
        // The menu runs its own event loop once open: the entry is clicked from inside it.
        QTimer::singleShot(0, menu, [menu, entry] {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
        });
        if (opener)
            QTest::mouseClick(opener, Qt::LeftButton, {}, opener->rect().center());
        else
            menu->exec(form.mapToGlobal(QPoint(0, 0)));
    };

    // Replacing an existing file asks first; a file that cannot be written is reported.
    fake.dialogs.fileAnswers.enqueue(existing);
    fake.dialogs.confirmAnswers.enqueue(true);
    click();
    fake.dialogs.fileAnswers.enqueue(dir.filePath(u"missing/report.out"_s));
    click();

    QCOMPARE(fake.dialogs.confirmations().size(), 1);
    QCOMPARE(fake.dialogs.messages(), QStringList{u"Ошибка сохранения файла!"_s});
    QWidget *owner = fromPreview ? static_cast<QWidget *>(preview) : &form;
    QCOMPARE(fake.dialogs.shown.size(), 4);
    for (const FakeDialogs::Shown &shown : std::as_const(fake.dialogs.shown))
        QCOMPARE(shown.parent, owner);
    if (fromPreview)
        QTRY_COMPARE(QApplication::activeWindow(), preview);
}

void TestMainWindow::accessKeysReachEveryMenu_data()
{
    QTest::addColumn<QChar>("menuKey"); // pressed with Alt in the window
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QChar>("entryKey"); // then typed in the open menu
    QTest::addColumn<QString>("entry");

    QTest::newRow("Alt+Ф, т") << QChar(u'ф') << u"N1"_s << QChar(u'т') << u"N8"_s;
    QTest::newRow("Alt+Ф, о") << QChar(u'ф') << u"N1"_s << QChar(u'о') << u"Open1"_s;
    QTest::newRow("Alt+Ф, з") << QChar(u'ф') << u"N1"_s << QChar(u'з') << u"Exit1"_s;
    QTest::newRow("Alt+Ф, ч") << QChar(u'ф') << u"N1"_s << QChar(u'ч') << u"N3"_s;
    QTest::newRow("Alt+П, у") << QChar(u'п') << u"N5"_s << QChar(u'у') << u"N11"_s;
    QTest::newRow("Alt+Э, c") << QChar(u'э') << u"N6"_s << QChar(u'c') << u"CSV1"_s;
    QTest::newRow("Alt+О, с") << QChar(u'о') << u"N7"_s << QChar(u'с') << u"Contents1"_s;
}

void TestMainWindow::accessKeysReachEveryMenu()
{
    QFETCH(QChar, menuKey);
    QFETCH(QString, menu);
    QFETCH(QChar, entryKey);
    QFETCH(QString, entry);

    FakePlatform fake;
    TForm1 form(fake.platform());
    QVERIFY(openAndShow(fake, form, u"archive_basic.csv"_s));
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto *menuWidget = form.findChild<QMenu *>(menu);
    auto *entryAction = form.findChild<QAction *>(entry);
    QVERIFY(menuWidget);
    QVERIFY(entryAction);
    QSignalSpy chosen(entryAction, &QAction::triggered);

    // Keys as the keyboard sends them: the key code is the upper-case letter.
    const auto type = [](QWidget *widget, QChar letter, Qt::KeyboardModifiers modifiers) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(letter.toUpper().unicode()), QString(letter),
                            modifiers);
    };
    type(&form, menuKey, Qt::AltModifier);
    QTRY_COMPARE(QApplication::activePopupWidget(), menuWidget);
    type(menuWidget, entryKey, Qt::NoModifier);
    QCOMPARE(chosen.size(), 1);
}

void TestMainWindow::menuEntriesRunTheirCommands_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("command");

    QTest::newRow("open") << u"Open1"_s << u"&Открыть файл..."_s << u"FileOpen1"_s;
    QTest::newRow("save as") << u"SaveAs1"_s << u"&Сохранить как..."_s << u"FileSaveAs1"_s;
    QTest::newRow("close file") << u"Exit1"_s << u"&Закрыть файл"_s << u"FileClose"_s;
    QTest::newRow("exit") << u"Close1"_s << u"В&ыйти"_s << u"FileExit1"_s;
}

void TestMainWindow::menuEntriesRunTheirCommands()
{
    QFETCH(QString, entry);
    QFETCH(QString, caption);
    QFETCH(QString, command);

    FakePlatform fake;
    TForm1 form(fake.platform());
    QVERIFY(openAndShow(fake, form, u"archive_basic.csv"_s));

    auto *entryAction = form.findChild<QAction *>(entry);
    auto *commandAction = form.findChild<QAction *>(command);
    QVERIFY(entryAction);
    QVERIFY(commandAction);
    QVERIFY(entryAction != commandAction);
    QVERIFY(form.N1->actions().contains(entryAction));
    QVERIFY(!form.N1->actions().contains(commandAction));
    QCOMPARE(entryAction->text(), caption);

    // The entry is greyed exactly while its command is disabled.
    commandAction->setEnabled(false);
    QVERIFY(!entryAction->isEnabled());
    commandAction->setEnabled(true);
    QVERIFY(entryAction->isEnabled());

    QSignalSpy ran(commandAction, &QAction::triggered);
    form.N1->popup(form.mapToGlobal(QPoint(0, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(form.N1));
    QTest::mouseClick(form.N1, Qt::LeftButton, {}, form.N1->actionGeometry(entryAction).center());
    QCOMPARE(ran.size(), 1);
}

void TestMainWindow::progressBarRestsAfterEveryLoad_data()
{
    QTest::addColumn<QStringList>("files"); // loaded in order

    const QString records = exampleArchive(u"archive_basic.csv"_s);
    QTest::newRow("records") << QStringList{records};
    QTest::newRow("header only") << QStringList{u"header.csv"_s};
    QTest::newRow("header only, then not an archive") << QStringList{u"header.csv"_s, u"notes.csv"_s};
    QTest::newRow("records, then header only") << QStringList{records, u"header.csv"_s};
    QTest::newRow("not an archive") << QStringList{u"notes.csv"_s};
}

void TestMainWindow::progressBarRestsAfterEveryLoad()
{
    QFETCH(QStringList, files);

    QTemporaryDir dir;
    writeFile(dir.filePath(u"header.csv"_s), "\xEF\xBB\xBF" "Основной архив v003\r\nзаголовок\r\n");
    writeFile(dir.filePath(u"notes.csv"_s), "just some text\r\nsecond line\r\n");
    FakePlatform fake;
    TForm1 form(fake.platform());
    for (const QString &file : files) {
        answerFiles(fake, {QDir(dir.path()).absoluteFilePath(file)});
        form.FileOpen1->trigger();
        // Qt animates a bar whose range is empty as busy.
        QVERIFY2(form.ProgressBar1->maximum() > form.ProgressBar1->minimum(), qPrintable(file));
        QCOMPARE(form.ProgressBar1->minimum(), 0);
        QCOMPARE(form.ProgressBar1->value(), 0);
    }
}

void TestMainWindow::columnsFillTheWidthWithoutScrolling_data()
{
    QTest::addColumn<QString>("archive");
    QTest::addColumn<int>("page");

    QTest::newRow("basic") << u"archive_basic.csv"_s << 0;
    QTest::newRow("individual") << u"archive_individual.csv"_s << 1;
}

void TestMainWindow::columnsFillTheWidthWithoutScrolling()
{
    QFETCH(QString, archive);
    QFETCH(int, page);

    FakePlatform fake;
    TForm1 form(fake.platform());
    form.resize(1200, 700);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    answerFiles(fake, {exampleArchive(archive)});
    form.FileOpen1->trigger();
    MeasurementGrid &grid = page == 0 ? *form.NextGrid62 : *form.NextGrid61;
    QCOMPARE(form.activePageIndex(), page);
    QTRY_COMPARE(widthFault(grid), QString());

    QHeaderView *header = grid.horizontalHeader();
    for (int column : {3, 3, 0}) {
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(grid.sortColumn(), column);
        QTRY_COMPARE(widthFault(grid), QString());
    }

    for (int widthPx : {900, 1500}) {
        form.resize(widthPx, 650);
        QTRY_COMPARE(widthFault(grid), QString());
    }

    form.N9->trigger();
    QTRY_COMPARE(widthFault(grid), QString());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
