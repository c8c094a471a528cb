#include "app/Unit2.h"

#include "app/Unit5.h"
#include "app/startflag.h"
#include "platform/errorsink.h"
#include "platform/shell.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {
constexpr int kPanel0WidthPx = 300;
constexpr int kStatusBarHeightPx = 19;

// Connects an action to a handler so that an error leaving the handler reaches the default
// error box instead of unwinding through Qt.
template<typename Handler>
void onTriggered(QAction *action, QObject *context, Handler handler)
{
    QObject::connect(action, &QAction::triggered, context, [handler] { errorsink::guarded(handler); });
}
} // namespace

TForm1::TForm1(const Platform &platform)
    : m_platform(platform)
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"ЛИРАС-Д7"_s);
    resize(821, 475);
    QFont windowFont(u"Tahoma"_s);
    windowFont.setPixelSize(11);
    setFont(windowFont);

    createMenu();
    createPages();
    createStatusBar();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::createMenu()
{
    QMenuBar *MainMenu1 = menuBar();
    MainMenu1->setObjectName(u"MainMenu1"_s);

    N1 = MainMenu1->addMenu(u"Файл"_s);
    N1->setObjectName(u"N1"_s);
    N8 = N1->addAction(u"Открыть архив на приборе"_s);
    FileOpen1 = N1->addAction(u"&Открыть файл..."_s);
    FileOpen1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    // The entry is disabled as a data command, not its command.
    FileSaveAs1 = new QAction(u"Сохранить как..."_s, this);
    SaveAs1 = N1->addAction(FileSaveAs1->text());
    connect(SaveAs1, &QAction::triggered, FileSaveAs1, &QAction::trigger);
    FileClose = N1->addAction(u"Закрыть файл"_s);
    N1->addSeparator()->setObjectName(u"N2"_s);
    N3 = N1->addAction(u"Отчет"_s);
    N1->addSeparator()->setObjectName(u"N4"_s);
    FileExit1 = N1->addAction(u"В&ыйти"_s);

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
        {N8, u"N8"}, {FileOpen1, u"Open1"}, {FileSaveAs1, u"FileSaveAs1"}, {SaveAs1, u"SaveAs1"},
        {FileClose, u"FileClose"}, {N3, u"N3"}, {FileExit1, u"FileExit1"}, {N5, u"N5"}, {N9, u"N9"},
        {N11, u"N11"}, {N6, u"N6"}, {PDF1, u"PDF1"}, {CSV1, u"CSV1"}, {N7, u"N7"},
        {Contents1, u"Contents1"}, {N12, u"N12"},
    };
    for (const auto &[object, name] : names)
        object->setObjectName(QString::fromUtf16(name));

    onTriggered(FileExit1, this, [this] { close(); });
    onTriggered(Contents1, this, [this] { HelpContents1Execute(); });
    onTriggered(N12, this, [this] { N12Click(); });
}

void TForm1::createPages()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(u"PageControl1"_s);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(u"TabSheet1"_s);
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(u"TabSheet2"_s);
    PageControl1->addTab(TabSheet1, u"Основной"_s);
    PageControl1->addTab(TabSheet2, u"Индивидуальный"_s);
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

void TForm1::FormCreate()
{
    chartSelection.ChartSource = 0;
    StartFlag = readStartFlag(m_platform.settings);
    DisableDataCommands();
    StatusBar1Resize();
}

int TForm1::activePageIndex() const
{
    const bool anyShown = PageControl1->isTabVisible(0) || PageControl1->isTabVisible(1);
    return anyShown ? PageControl1->currentIndex() : -1;
}

void TForm1::DisableDataCommands()
{
    PageControl1->setTabVisible(0, false);
    PageControl1->setTabVisible(1, false);
    // With every tab hidden no page is offered at all.
    PageControl1->setVisible(false);
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

void TForm1::HelpContents1Execute()
{
    m_platform.shell.openDocument(u"лирас.chm"_s, this);
}

void TForm1::N12Click()
{
    if (m_about)
        m_about->exec();
}
