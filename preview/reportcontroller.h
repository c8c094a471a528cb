#pragma once

#include "platform/regionalsettings.h"
#include "report/preparedpage.h"
#include "report/reportlayout.h"
#include "report/reportrows.h"
#include "report/userdataset.h"
#include "report/valueresolver.h"
#include "tables/tablekind.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class CellSource;
class Dialogs;
class FileDialog;
class Progress;
class ReportBuilder;
class ReportPreview;
class QWidget;

// The tables a report command reads and which of them is active.
struct ReportTables
{
    const CellSource &basic;
    const CellSource &individual;
    TableKind active;

    const CellSource &activeTable() const { return active == TableKind::Basic ? basic : individual; }
};

// Writes the prepared report to the file, replacing it atomically; false when that failed.
using ReportWriter = std::function<bool(const QString &fileName, const PreparedReport &report, Progress &progress)>;

// The report commands of the main window: owns the layout `frxReport1`, the data source
// `frxUserDataSet1`, the prepared pages and the one preview window. A command copies the
// active table's rows when it starts, so later changes of the tables wait for the next build.
class ReportController : public QObject
{
    Q_OBJECT

public:
    // window: the parent of boxes and of the preview; may be null (tests).
    ReportController(Dialogs &dialogs, const RegionalSettings &regional, QWidget *window,
                     QObject *parent = nullptr);
    ~ReportController() override;

    // "Отчет" (N6Click): "Нет данных" when both tables are empty; otherwise opens the preview,
    // or brings the open one to the front (restored if minimised), and builds into it in
    // slices from the event loop. Ignored while a build runs. A build that cannot start ends
    // incomplete with an empty preview, and its error propagates; an error in a later slice
    // goes to the error sink.
    void showReport(const ReportTables &tables);

    // "PDF" / "CSV" (PDF1Click, CSV1Click): prepares (readings shown only for CSV), asks for
    // the file, confirms replacing an existing one, builds synchronously (an open preview shows
    // the build) and writes through the writer; "Ошибка сохранения файла!" when it fails. A
    // cancelled dialog, a No or a failed build write nothing; the build's error propagates
    // once the build has ended incomplete. The dialog and the boxes belong to owner, the window
    // the export was started from (null: the main window).
    void exportReport(const ReportTables &tables, bool showReadings, FileDialog &dialog,
                      const ReportWriter &writer, Progress &progress, QWidget *owner = nullptr);

    ReportLayout &frxReport1() { return m_layout; }
    const UserDataSet &frxUserDataSet1() const { return m_dataSet; }
    const PreparedReport &preparedReport() const { return m_prepared; }
    // The open preview window, null when none is open.
    ReportPreview *preview() const;
    bool isBuilding() const { return m_builder != nullptr || m_exporting; }

    // For tests: the day the date memo shows and the records per slice of a previewed build.
    void setClock(std::function<QDate()> today) { m_today = std::move(today); }
    void setSliceRecords(int records) { m_sliceRecords = qMax(1, records); }

signals:
    // The preview's export entries; the main window runs its "PDF" and "CSV" commands.
    void pdfRequested();
    void csvRequested();
    // A build ended: complete, or cut short by an error on its way to the error box or by the
    // closing of its preview.
    void buildFinished(bool complete);

private:
    void prepare(const ReportTables &tables, bool showReadings);
    void startBuild();
    void buildSlice();
    void endBuild(bool complete);
    void ensurePreview();
    void refreshPreview();

    Dialogs &m_dialogs;
    RegionalSettings m_regional;
    QWidget *m_window;
    std::function<QDate()> m_today = &QDate::currentDate;
    int m_sliceRecords = 500;

    ReportLayout m_layout;
    UserDataSet m_dataSet;
    ReportRows m_rows;
    ValueResolver m_resolver{m_rows, m_dataSet};
    PreparedReport m_prepared;
    std::unique_ptr<ReportBuilder> m_builder;
    QTimer m_sliceTimer;
    bool m_exporting = false;
    QPointer<ReportPreview> m_preview;
};
