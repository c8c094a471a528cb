#include "preview/reportcontroller.h"

#include "platform/fileexists.h"
#include "platform/progress.h"
#include "platform/regionalformat.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/errorsink.h"
#include "platform/ui/windowmanager.h"
#include "preview/reportpreview.h"
#include "report/reportbuilder.h"
#include "report/reportpreparation.h"
#include "tables/cellsource.h"

#include <QScopeGuard>
#include <QScopedValueRollback>

#include <limits>

using namespace Qt::StringLiterals;

ReportController::ReportController(Dialogs &dialogs, const RegionalSettings &regional, QWidget *window,
                                   QObject *parent)
    : QObject(parent), m_dialogs(dialogs), m_regional(regional), m_window(window)
{
    m_sliceTimer.setInterval(0);
    // The slices run from the event loop: their errors must reach the error box from here.
    connect(&m_sliceTimer, &QTimer::timeout, this, [this] { errorsink::guarded([this] { buildSlice(); }); });
}

ReportController::~ReportController()
{
    // The preview reads our pages; it must not outlive them.
    delete m_preview.data();
}

ReportPreview *ReportController::preview() const
{
    return m_preview.data();
}

void ReportController::prepare(const ReportTables &tables, bool showReadings)
{
    const CellSource &active = tables.activeTable();
    prepareReport(m_layout, m_dataSet, regional::formatShortDate(m_today(), m_regional), showReadings,
                  active.rowCount());
    m_rows = ReportRows::capture(active, tables.active, showReadings);
}

void ReportController::startBuild()
{
    m_builder = std::make_unique<ReportBuilder>(m_layout, m_dataSet, m_resolver, m_prepared);
    m_builder->start();
}

void ReportController::showReport(const ReportTables &tables)
{
    if (isBuilding())
        return;
    if (tables.basic.rowCount() == 0 && tables.individual.rowCount() == 0) {
        m_dialogs.message(m_window, u"Нет данных"_s);
        return;
    }
    ensurePreview();
    {
        // The pages of an earlier build do not belong to this preparation: a report that cannot
        // start shows none.
        auto incomplete = qScopeGuard([this] {
            m_prepared.pages.clear();
            refreshPreview();
            endBuild(false);
        });
        prepare(tables, false);
        startBuild();
        incomplete.dismiss();
    }
    refreshPreview();
    if (m_builder->finished())
        endBuild(true);
    else
        m_sliceTimer.start();
}

void ReportController::buildSlice()
{
    auto incomplete = qScopeGuard([this] { endBuild(false); });
    const bool done = m_builder->step(m_sliceRecords);
    incomplete.dismiss();
    if (m_preview) {
        m_preview->setBuildProgress(m_builder->recordsBuilt(), m_dataSet.rangeEndCount());
        m_preview->pagesChanged();
    }
    if (done)
        endBuild(true);
}

void ReportController::endBuild(bool complete)
{
    m_sliceTimer.stop();
    m_builder.reset();
    if (m_preview)
        m_preview->setBuildFinished();
    emit buildFinished(complete);
}

void ReportController::ensurePreview()
{
    if (m_preview) {
        m_preview->setWindowState(m_preview->windowState() & ~Qt::WindowMinimized);
        m_preview->show();
        m_preview->raise();
        m_preview->activateWindow();
        return;
    }
    m_preview = new ReportPreview(m_dialogs, m_window);
    connect(m_preview, &ReportPreview::pdfRequested, this, &ReportController::pdfRequested);
    connect(m_preview, &ReportPreview::csvRequested, this, &ReportController::csvRequested);
    // Closing the window (or the program) ends its build: nobody looks at it, and the next
    // "Отчет" may start. The window is half destroyed when this comes, no longer a preview:
    // it is forgotten first, so that ending the build does not call it.
    connect(m_preview, &QObject::destroyed, this, [this] {
        m_preview.clear();
        if (m_builder && !m_exporting)
            endBuild(false);
    });
    m_preview->setReport(&m_prepared);
    showMaximisedOnScreen(*m_preview);
}

void ReportController::refreshPreview()
{
    if (m_preview)
        m_preview->setReport(&m_prepared);
}

void ReportController::exportReport(const ReportTables &tables, bool showReadings, FileDialog &dialog,
                                    const ReportWriter &writer, Progress &progress, QWidget *owner)
{
    if (m_exporting)
        return;
    if (!owner)
        owner = m_window;
    const QScopedValueRollback<bool> exporting(m_exporting, true);
    // A previewed build still running is completed first: the export is about to prepare the
    // same layout and data source, and its dialog would let the slices run on changed ones.
    if (m_builder) {
        auto incomplete = qScopeGuard([this] { endBuild(false); });
        while (!m_builder->step(std::numeric_limits<int>::max())) {
        }
        incomplete.dismiss();
        endBuild(true);
    }
    prepare(tables, showReadings);
    // The dialog adds its default extension to a bare name, before the existence check.
    if (!dialog.execute(owner))
        return;
    const QString fileName = dialog.fileName();
    if (isExistingFile(fileName)
        && !m_dialogs.confirm(owner, u"Файл "_s + fileName + u" существует! Перезаписать?"_s))
        return;

    {
        auto incomplete = qScopeGuard([this] { endBuild(false); });
        startBuild();
        refreshPreview();
        progress.setMaximum(m_dataSet.rangeEndCount());
        while (!m_builder->step(m_sliceRecords))
            progress.setValue(m_builder->recordsBuilt());
        incomplete.dismiss();
    }
    endBuild(true);
    if (!writer(fileName, m_prepared, progress))
        m_dialogs.message(owner, u"Ошибка сохранения файла!"_s);
}
