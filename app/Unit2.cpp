#include "app/Unit2.h"

#include "app/accesskeys.h"
#include "app/startflag.h"
#include "app/statusbarprogress.h"
#include "csv/csvwriter.h"
#include "pdf/pdfwriter.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/errorsink.h"
#include "platform/ui/shell.h"
#include "platform/ui/windowmanager.h"
#include "preview/progresswindow.h"
#include "preview/reportcontroller.h"
#include "preview/reportpreview.h"
#include "tables/measurementgrid.h"
#include "tables/tablecommands.h"
#include "tables/tabledefinition.h"

#include <QAction>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QSize kDesignClientSize(821, 475);
constexpr int kPanel0WidthPx = 300;
constexpr int kStatusBarHeightPx = 19;

// Runs a handler from a Qt signal so that an error leaving it reaches the default error box
// instead of unwinding through Qt.
template<typename Signal, typename Sender, typename Handler>
void onSignal(Sender *sender, Signal signal, QObject *context, Handler handler)
{
    QObject::connect(sender, signal, context, [handler] { errorsink::guarded(handler); });
}

int pageOf(TableKind kind)
{
    return kind == TableKind::Basic ? 0 : 1;
}

// The menu entry of a command: the command's caption and shortcut; choosing it runs the
// command, and it is greyed while the command is disabled.
QAction *addEntryFor(QMenu *menu, QAction *command)
{
    QAction *entry = menu->addAction(command->text());
    entry->setShortcut(command->shortcut());
    entry->setEnabled(command->isEnabled());
    QObject::connect(entry, &QAction::triggered, command, &QAction::trigger);
    QObject::connect(command, &QAction::enabledChanged, entry, &QAction::setEnabled);
    return entry;
}

QWidget *pageHolding(QWidget *table)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table);
    return page;
}
} // namespace

TForm1::TForm1(const Platform &platform)
    : m_platform(platform),
      m_basicSet(TableKind::Basic, platform.regional),
      m_individualSet(TableKind::Individual, platform.regional)
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"ЛИРАС-Д7"_s);
    resize(kDesignClientSize);
    QFont windowFont(u"Tahoma"_s);
    windowFont.setPixelSize(11);
    setFont(windowFont);

    createMenu();
    createPages();
    createStatusBar();
    createSaveDialogs();
    m_progress = std::make_unique<StatusBarProgress>(ProgressBar1, statusPanel0, StatusBar1);
    m_openArchiveDialog = m_platform.dialogs.createFileDialog(FileDialog::Kind::Open);
    m_saveArchiveDialog = m_platform.dialogs.createFileDialog(FileDialog::Kind::Save);
    m_reports = std::make_unique<ReportController>(m_platform.dialogs, m_platform.regional, this);
    connectCommands();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::showMaximisedAtStart()
{
    if (const QScreen *screen = this->screen()) {
        QRect normal(QPoint(), kDesignClientSize);
        normal.moveCenter(screen->availableGeometry().center());
        setGeometry(normal);
    }
    showMaximisedOnScreen(*this);
}

void TForm1::createMenu()
{
    QMenuBar *MainMenu1 = menuBar();
    MainMenu1->setObjectName(u"MainMenu1"_s);

    // The commands behind menu entries of their own; they are reached through the entries.
    FileOpen1 = new QAction(u"&Открыть файл..."_s, this);
    FileOpen1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    FileSaveAs1 = new QAction(u"Сохранить как..."_s, this);
    FileClose = new QAction(u"Закрыть файл"_s, this);
    FileExit1 = new QAction(u"В&ыйти"_s, this);

    N1 = MainMenu1->addMenu(u"Файл"_s);
    N8 = N1->addAction(u"Открыть архив на приборе"_s);
    Open1 = addEntryFor(N1, FileOpen1);
    SaveAs1 = addEntryFor(N1, FileSaveAs1);
    Exit1 = addEntryFor(N1, FileClose);
    N1->addSeparator()->setObjectName(u"N2"_s);
    N3 = N1->addAction(u"Отчет"_s);
    N1->addSeparator()->setObjectName(u"N4"_s);
    Close1 = addEntryFor(N1, FileExit1);

    N5 = MainMenu1->addMenu(u"Правка"_s);
    N9 = N5->addAction(u"Выровнить ячейки"_s);
    N5->addSeparator()->setObjectName(u"N10"_s);
    N11 = N5->addAction(u"Удалить строки"_s);

    N6 = MainMenu1->addMenu(u"Экспорт"_s);
    PDF1 = N6->addAction(u"PDF"_s);
    CSV1 = N6->addAction(u"CSV"_s);

    N7 = MainMenu1->addMenu(u"Помощь"_s);
    Contents1 = N7->addAction(u"&Справка"_s);
    N12 = N7->addAction(u"О программе"_s);

    const std::pair<QObject *, const char16_t *> names[] = {
        {N1, u"N1"}, {N8, u"N8"}, {FileOpen1, u"FileOpen1"}, {Open1, u"Open1"},
        {FileSaveAs1, u"FileSaveAs1"}, {SaveAs1, u"SaveAs1"}, {FileClose, u"FileClose"}, {Exit1, u"Exit1"},
        {N3, u"N3"}, {FileExit1, u"FileExit1"}, {Close1, u"Close1"}, {N5, u"N5"}, {N9, u"N9"},
        {N11, u"N11"}, {N6, u"N6"}, {PDF1, u"PDF1"}, {CSV1, u"CSV1"}, {N7, u"N7"},
        {Contents1, u"Contents1"}, {N12, u"N12"},
    };
    for (const auto &[object, name] : names)
        object->setObjectName(QString::fromUtf16(name));
    assignAccessKeys(*MainMenu1);
}

void TForm1::createPages()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(u"PageControl1"_s);
    NextGrid62 = new MeasurementGrid(m_basicSet.rows());
    NextGrid61 = new MeasurementGrid(m_individualSet.rows());
    TabSheet1 = pageHolding(NextGrid62);
    TabSheet1->setObjectName(u"TabSheet1"_s);
    TabSheet2 = pageHolding(NextGrid61);
    TabSheet2->setObjectName(u"TabSheet2"_s);
    PageControl1->addTab(TabSheet1, definitionOf(TableKind::Basic).tabCaption);
    PageControl1->addTab(TabSheet2, definitionOf(TableKind::Individual).tabCaption);
    setCentralWidget(PageControl1);
}

void TForm1::createStatusBar()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(u"StatusBar1"_s);
    StatusBar1->setFixedHeight(kStatusBarHeightPx);
    statusPanel0 = new QLabel;
    statusPanel0->setObjectName(u"StatusPanel0"_s);
    statusPanel0->setFixedWidth(kPanel0WidthPx);
    statusPanel0->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusPanel0->setLayoutDirection(Qt::RightToLeft);
    StatusBar1->addWidget(statusPanel0);
    setStatusBar(StatusBar1);

    ProgressBar1 = new QProgressBar;
    ProgressBar1->setObjectName(u"ProgressBar1"_s);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->resize(200, 17);
    StatusBar1->installEventFilter(this);
}

void TForm1::createSaveDialogs()
{
    SaveDialog1 = m_platform.dialogs.createFileDialog(FileDialog::Kind::Save);
    SaveDialog1->setFilter(u"PDF files (*.pdf)|*.pdf"_s);
    SaveDialog1->setDefaultExtension(u"pdf"_s);
    SaveDialog2 = m_platform.dialogs.createFileDialog(FileDialog::Kind::Save);
    SaveDialog2->setTitle(u"Сохранить в CSV"_s);
    SaveDialog2->setFilter(u"Excel files (*.csv)|*.csv"_s);
    SaveDialog2->setDefaultExtension(u"csv"_s);
}

void TForm1::connectCommands()
{
    onSignal(N8, &QAction::triggered, this, [this] { N8Click(); });
    onSignal(FileOpen1, &QAction::triggered, this, [this] { FileOpen1Accept(); });
    onSignal(FileSaveAs1, &QAction::triggered, this, [this] { FileSaveAs1Accept(); });
    onSignal(FileClose, &QAction::triggered, this, [this] { FileCloseExecute(); });
    onSignal(N3, &QAction::triggered, this, [this] { N6Click(); });
    onSignal(FileExit1, &QAction::triggered, this, [this] { close(); });
    onSignal(N9, &QAction::triggered, this, [this] { N9Click(); });
    onSignal(N11, &QAction::triggered, this, [this] { N11Click(); });
    onSignal(PDF1, &QAction::triggered, this, [this] { PDF1Click(); });
    onSignal(CSV1, &QAction::triggered, this, [this] { CSV1Click(); });
    onSignal(Contents1, &QAction::triggered, this, [this] { HelpContents1Execute(); });
    onSignal(N12, &QAction::triggered, this, [this] { N12Click(); });
    onSignal(NextGrid62, &MeasurementGrid::deleteKeyPressed, this, [this] { N11Click(); });
    onSignal(NextGrid62, &MeasurementGrid::tableDoubleClicked, this, [this] { NextGrid62DblClick(); });
    onSignal(NextGrid61, &MeasurementGrid::tableDoubleClicked, this, [this] { NextGrid61DblClick(); });
    // Started from the preview, an export's dialogs belong to the preview, which stays in front.
    onSignal(m_reports.get(), &ReportController::pdfRequested, this, [this] { exportPdf(m_reports->preview()); });
    onSignal(m_reports.get(), &ReportController::csvRequested, this, [this] { exportCsv(m_reports->preview()); });
}

void TForm1::FormCreate()
{
    chartSelection.ChartSource.reset();
    StartFlag = readStartFlag(m_platform.settings);
    DisableDataCommands();
    StatusBar1Resize();
}

const CellSource &TForm1::basicTable() const
{
    return m_basicSet.rows();
}

const CellSource &TForm1::individualTable() const
{
    return m_individualSet.rows();
}

const MeasurementSet &TForm1::measurementSet(TableKind kind) const
{
    return kind == TableKind::Basic ? m_basicSet : m_individualSet;
}

MeasurementSet &TForm1::set(TableKind kind)
{
    return kind == TableKind::Basic ? m_basicSet : m_individualSet;
}

MeasurementGrid &TForm1::grid(TableKind kind) const
{
    return kind == TableKind::Basic ? *NextGrid62 : *NextGrid61;
}

bool TForm1::isTabVisible(TableKind kind) const
{
    return PageControl1->isTabVisible(pageOf(kind));
}

void TForm1::setTabVisible(TableKind kind, bool visible)
{
    const int page = pageOf(kind);
    PageControl1->setTabVisible(page, visible);
    const int other = 1 - page;
    if (!visible && PageControl1->currentIndex() == page && PageControl1->isTabVisible(other))
        PageControl1->setCurrentIndex(other);
    // With every tab hidden no page is offered at all.
    PageControl1->setVisible(PageControl1->isTabVisible(0) || PageControl1->isTabVisible(1));
}

int TForm1::activePageIndex() const
{
    const bool anyShown = PageControl1->isTabVisible(0) || PageControl1->isTabVisible(1);
    return anyShown ? PageControl1->currentIndex() : -1;
}

std::optional<TableKind> TForm1::activeKind() const
{
    switch (activePageIndex()) {
    case 0:
        return TableKind::Basic;
    case 1:
        return TableKind::Individual;
    default:
        return std::nullopt;
    }
}

void TForm1::setActivePage(TableKind kind)
{
    PageControl1->setCurrentIndex(pageOf(kind));
}

MeasurementGrid &TForm1::activeTable() const
{
    return grid(activePageIndex() == 0 ? TableKind::Basic : TableKind::Individual);
}

void TForm1::DisableDataCommands()
{
    setTabVisible(TableKind::Basic, false);
    setTabVisible(TableKind::Individual, false);
    N3->setEnabled(false);
    N5->menuAction()->setEnabled(false);
    N6->menuAction()->setEnabled(false);
    SaveAs1->setEnabled(false);
    FileClose->setEnabled(false);
}

void TForm1::EnableDataCommands()
{
    N3->setEnabled(true);
    N5->menuAction()->setEnabled(true);
    N6->menuAction()->setEnabled(true);
    FileClose->setEnabled(true);
    SaveAs1->setEnabled(true);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == StatusBar1 && event->type() == QEvent::Resize)
        StatusBar1Resize();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::StatusBar1Resize()
{
    if (ProgressBar1->parentWidget() != StatusBar1)
        ProgressBar1->setParent(StatusBar1);
    ProgressBar1->setValue(0);
    const int topPx = 2;
    ProgressBar1->setGeometry(kPanel0WidthPx + 5, topPx, StatusBar1->width() - kPanel0WidthPx - 20,
                              StatusBar1->height() - topPx);
    ProgressBar1->show();
}

ReportTables TForm1::reportTables() const
{
    // No page selected counts as the individual one, as it does for "Выровнить ячейки".
    return {basicTable(), individualTable(), activeKind().value_or(TableKind::Individual)};
}

void TForm1::N6Click()
{
    m_reports->showReport(reportTables());
}

void TForm1::N9Click()
{
    alignColumns(activeTable(), alignWidth(frameGeometry().width()));
}

void TForm1::N11Click()
{
    deleteSelectedRows(*NextGrid62);
}

void TForm1::PDF1Click()
{
    exportPdf(this);
}

void TForm1::CSV1Click()
{
    exportCsv(this);
}

void TForm1::exportPdf(QWidget *owner)
{
    runExport(owner, u"Экспорт в PDF"_s, false, *SaveDialog1, &writePdf);
}

void TForm1::exportCsv(QWidget *owner)
{
    const AnsiCodePage &ansi = m_platform.ansi;
    runExport(owner, u"Экспорт в CSV"_s, true, *SaveDialog2,
              [&ansi](const QString &fileName, const PreparedReport &report, Progress &progress) {
                  return writeCsv(fileName, report, ansi, progress);
              });
}

void TForm1::runExport(QWidget *owner, const QString &title, bool showReadings, FileDialog &dialog,
                       const ReportWriter &writer)
{
    if (!owner)
        owner = this;
    // With its dialogs and progress window gone, the window the export was started from is
    // the one in front, whatever the window manager chose to activate meanwhile; after a failed
    // build too, so that the error box comes over it.
    const auto raiseOwner = qScopeGuard([owner] {
        owner->raise();
        owner->activateWindow();
    });
    ProgressWindow progressWindow(title, owner);
    m_reports->exportReport(reportTables(), showReadings, dialog, writer, progressWindow, owner);
}

void TForm1::showChartFor(TableKind kind)
{
    if (pickChartRow(set(kind).rows(), kind, grid(kind).currentRow(), chartSelection) && m_chart)
        m_chart->exec();
}

void TForm1::NextGrid62DblClick()
{
    showChartFor(TableKind::Basic);
}

void TForm1::NextGrid61DblClick()
{
    showChartFor(TableKind::Individual);
}

void TForm1::HelpContents1Execute()
{
    // Most systems but Windows have no viewer for compiled help: the same pages are beside it
    // as HTML, for the browser.
    if (m_platform.shell.openDocument(u"лирас.chm"_s, this)
        || m_platform.shell.openDocument(u"help/index.html"_s, this))
        return;
    m_platform.dialogs.message(this, u"Не удалось открыть справку."_s);
}

void TForm1::N12Click()
{
    if (m_about)
        m_about->exec();
}
