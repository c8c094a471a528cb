#pragma once

#include "platform/platform.h"
#include "tables/chartselection.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class QTabWidget;
class TForm5;

// The main window: the two measurement tables on their tabs, the menu, the status bar with
// its progress bar. Handlers gather what the user chose and hand the work to the subsystems.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm1(const Platform &platform);
    ~TForm1() override;

    void setAboutWindow(TForm5 *about) { m_about = about; }

    // The start flag as read at start; the guide window may set it to "2".
    QString StartFlag;
    ChartSelection chartSelection;

    // 0 basic, 1 individual, -1 when no tab is shown.
    int activePageIndex() const;

    void DisableDataCommands();
    void EnableDataCommands();

    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *statusPanel0 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

    QMenu *N1 = nullptr;
    QAction *N8 = nullptr;
    QAction *FileOpen1 = nullptr;
    QAction *FileSaveAs1 = nullptr;
    QAction *SaveAs1 = nullptr;
    QAction *FileClose = nullptr;
    QAction *N3 = nullptr;
    QAction *FileExit1 = nullptr;
    QMenu *N5 = nullptr;
    QAction *N9 = nullptr;
    QAction *N11 = nullptr;
    QMenu *N6 = nullptr;
    QAction *PDF1 = nullptr;
    QAction *CSV1 = nullptr;
    QMenu *N7 = nullptr;
    QAction *Contents1 = nullptr;
    QAction *N12 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void createMenu();
    void createPages();
    void createStatusBar();
    void StatusBar1Resize();
    void HelpContents1Execute();
    void N12Click();

    Platform m_platform;
    TForm5 *m_about = nullptr;
};
