#pragma once

#include "archive/archivehost.h"
#include "archive/archivetext.h"
#include "platform/ui/platform.h"
#include "preview/reportcontroller.h"
#include "tables/chartselection.h"

#include <QMainWindow>

#include <memory>

class ArchiveFileCommands;
class CellSource;
class FileDialog;
class MeasurementGrid;
class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class QTabWidget;
class StatusBarProgress;

// The main window: the two measurement tables on their tabs, the menu, the status bar with
// its progress bar. Handlers gather what the user chose and hand the work to the subsystems.
class TForm1 : public QMainWindow, public ArchiveHost
{
    Q_OBJECT
public:
    explicit TForm1(const Platform &platform);
    ~TForm1() override;

    // Shows the window maximised; restored, it has its design size, centred on the screen.
    void showMaximisedAtStart();

    void setChartWindow(QDialog *chart) { m_chart = chart; }
    void setAboutWindow(QDialog *about) { m_about = about; }

    // The start flag as read at start; the guide window may set it to "2".
    QString StartFlag;
    ChartSelection chartSelection;

    const CellSource &basicTable() const;
    const CellSource &individualTable() const;

    // ArchiveHost.
    MeasurementTable &table(ArchiveKind kind) override;
    ArchiveLines &archiveLines(ArchiveKind kind) override;
    void setStatusText(const QString &text) override;
    Progress &progress() override;
    bool isTabVisible(ArchiveKind kind) const override;
    void setTabVisible(ArchiveKind kind, bool visible) override;
    int activePageIndex() const override;
    void setActivePage(ArchiveKind kind) override;
    void alignActiveTable() override;
    void EnableDataCommands() override;
    void DisableDataCommands() override;
    QWidget *dialogParent() override { return this; }

    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;
    MeasurementGrid *NextGrid62 = nullptr;
    MeasurementGrid *NextGrid61 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *statusPanel0 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    ArchiveLines List_b;
    ArchiveLines List_ind;
    std::unique_ptr<FileDialog> SaveDialog1;
    std::unique_ptr<FileDialog> SaveDialog2;

    // Commands with menu entries of their own.
    QAction *FileOpen1 = nullptr;
    QAction *FileSaveAs1 = nullptr;
    QAction *FileClose = nullptr;
    QAction *FileExit1 = nullptr;

    QMenu *N1 = nullptr;
    QAction *N8 = nullptr;
    QAction *Open1 = nullptr;
    QAction *SaveAs1 = nullptr;
    QAction *Exit1 = nullptr;
    QAction *N3 = nullptr;
    QAction *Close1 = nullptr;
    QMenu *N5 = nullptr;
    QAction *N9 = nullptr;
    QAction *N11 = nullptr;
    QMenu *N6 = nullptr;
    QAction *PDF1 = nullptr;
    QAction *CSV1 = nullptr;
    QMenu *N7 = nullptr;
    QAction *Contents1 = nullptr;
    QAction *N12 = nullptr;

    ReportController &reports() { return *m_reports; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void createMenu();
    void createPages();
    void createStatusBar();
    void createSaveDialogs();
    void connectCommands();
    void StatusBar1Resize();

    void N8Click();
    void N6Click();
    void N9Click();
    void N11Click();
    void PDF1Click();
    void CSV1Click();
    // The exports, their dialogs and boxes belonging to owner: this window or the preview
    // (null: this window).
    void exportPdf(QWidget *owner);
    void exportCsv(QWidget *owner);
    void runExport(QWidget *owner, const QString &title, bool showReadings, FileDialog &dialog,
                   const ReportWriter &writer);
    void NextGrid62DblClick();
    void NextGrid61DblClick();
    void HelpContents1Execute();
    void N12Click();

    MeasurementGrid &activeTable() const;
    // The tables a report command reads, with the page shown now.
    ReportTables reportTables() const;
    void showChartFor(const MeasurementGrid &grid, int source);

    Platform m_platform;
    QDialog *m_chart = nullptr;
    QDialog *m_about = nullptr;
    std::unique_ptr<StatusBarProgress> m_progress;
    std::unique_ptr<ArchiveFileCommands> m_fileCommands;
    std::unique_ptr<ReportController> m_reports;
};
