#pragma once

#include "archive/measurementset.h"
#include "platform/ui/platform.h"
#include "preview/reportcontroller.h"
#include "tables/chartselection.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <optional>

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
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm1(const Platform &platform);
    ~TForm1() override;

    // Shows the window maximised; restored, it has its design size, centred on the screen.
    void showMaximisedAtStart();

    // Opens each file in turn as "&Открыть файл..." opens the one chosen, with the same
    // messages: the names a file manager hands over on the command line.
    void openArchives(const QStringList &fileNames);

    void setChartWindow(QDialog *chart) { m_chart = chart; }
    void setAboutWindow(QDialog *about) { m_about = about; }

    // The start flag as read at start; the guide window may set it to "2".
    QString StartFlag;
    ChartSelection chartSelection;

    // The rows of each table; the same objects for the window's whole life.
    const CellSource &basicTable() const;
    const CellSource &individualTable() const;
    // The rows and archive lines (`List_b`, `List_ind`) of the kind's table.
    const MeasurementSet &measurementSet(TableKind kind) const;
    // PageControl1's page: 0 basic, 1 individual, -1 when no page is selected.
    int activePageIndex() const;
    void EnableDataCommands();
    // Hides both tabs and disables the data commands.
    void DisableDataCommands();

    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;
    MeasurementGrid *NextGrid62 = nullptr;
    MeasurementGrid *NextGrid61 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *statusPanel0 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
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

    // The archive commands of the "Файл" menu (Unit2archive.cpp).
    void N8Click();
    void FileOpen1Accept();
    void FileSaveAs1Accept();
    void FileCloseExecute();
    // Shows the dialog set up as the open and save commands want it; the chosen name, or
    // empty when cancelled.
    QString askArchiveFileName(FileDialog &dialog, const QString &title);
    // "Файл не существует" for a name that is no file; otherwise loadArchiveFile.
    void openArchive(const QString &fileName);
    // Loads the file and shows the outcome: the loaded table on its tab, or the message.
    void loadArchiveFile(const QString &fileName);
    void showLoaded(MeasurementSet &loaded, int rowCount);

    // Page 0 is the basic table's, page 1 the individual table's.
    bool isTabVisible(TableKind kind) const;
    // Hiding the selected tab selects the remaining visible one, if any.
    void setTabVisible(TableKind kind, bool visible);
    std::optional<TableKind> activeKind() const;
    void setActivePage(TableKind kind);

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

    MeasurementSet &set(TableKind kind);
    MeasurementGrid &grid(TableKind kind) const;
    MeasurementGrid &activeTable() const;
    // The tables a report command reads, with the page shown now.
    ReportTables reportTables() const;
    void showChartFor(TableKind kind);

    Platform m_platform;
    MeasurementSet m_basicSet;
    MeasurementSet m_individualSet;
    QDialog *m_chart = nullptr;
    QDialog *m_about = nullptr;
    std::unique_ptr<StatusBarProgress> m_progress;
    std::unique_ptr<FileDialog> m_openArchiveDialog;
    std::unique_ptr<FileDialog> m_saveArchiveDialog;
    std::unique_ptr<ReportController> m_reports;
};
