#include "report/reportcontroller.h"

#include "platform/dialogs.h"
#include "platform/errorsink.h"
#include "platform/fileexists.h"
#include "platform/progress.h"
#include "platform/regionalformat.h"
#include "platform/windowmanager.h"
#include "report/reportbuilder.h"
#include "report/reportpreparation.h"
#include "report/reportpreview.h"
#include "tables/cellsource.h"

#include <QScopedValueRollback>

#include <limits>

using namespace Qt::StringLiterals;

ReportController::ReportController(Dialogs &dialogs, const RegionalSettings &regional, QWidget *window,
                                   QObject *parent)
    : QObject(parent), m_dialogs(dialogs), m_regional(regional), m_window(window)
{
    m_sliceTimer.setInterval(0);
    connect(&m_sliceTimer, &QTimer::timeout, this, &ReportController::buildSlice);
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
    const bool basic = tables.activePage == 0;
    const CellSource &active = basic ? tables.basic : tables.individual;
    prepareReport(m_layout, m_dataSet, regional::formatShortDate(m_today(), m_regional), showReadings,
                  active.rowCount());
    m_rows = ReportRows::capture(active, basic ? ReportRows::Table::Basic : ReportRows::Table::Individual,
                                 showReadings);
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
    try {
        prepare(tables, false);
        startBuild();
    } catch (...) {
        m_builder.reset();
        m_prepared.pages.clear();
        refreshPreview();
        errorsink::report(std::current_exception());
        emit buildFinished(false);
        return;
    }
    refreshPreview();
    if (m_builder->finished())
        endBuild(true);
    else
        m_sliceTimer.start();
}

void ReportController::buildSlice()
{
    bool done = false;
    try {
        done = m_builder->step(m_sliceRecords);
    } catch (...) {
        endBuild(false);
        errorsink::report(std::current_exception());
        return;
    }
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
    if (m_preview)
        return;
    m_preview = new ReportPreview(m_window);
    connect(m_preview, &ReportPreview::pdfRequested, this, &ReportController::pdfRequested);
    connect(m_preview, &ReportPreview::csvRequested, this, &ReportController::csvRequested);
    // Closing the window ends its build: nobody looks at it, and the next "Отчет" may start.
    connect(m_preview, &QObject::destroyed, this, [this] {
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
                                    const ReportWriter &writer, Progress &progress)
{
    if (m_exporting)
        return;
    const QScopedValueRollback<bool> exporting(m_exporting, true);
    // A previewed build still running is completed first: the export is about to prepare the
    // same layout and data source, and its dialog would let the slices run on changed ones.
    if (m_builder) {
        try {
            while (!m_builder->step(std::numeric_limits<int>::max())) {
            }
            endBuild(true);
        } catch (...) {
            endBuild(false);
            errorsink::report(std::current_exception());
        }
    }
    try {
        prepare(tables, showReadings);
    } catch (...) {
        errorsink::report(std::current_exception());
        return;
    }
    // The dialog adds its default extension to a bare name, before the existence check.
    if (!dialog.execute(m_window))
        return;
    const QString fileName = dialog.fileName();
    if (isExistingFile(fileName)
        && !m_dialogs.confirm(m_window, u"Файл "_s + fileName + u" существует! Перезаписать?"_s))
        return;

    try {
        startBuild();
        refreshPreview();
        progress.setMaximum(m_dataSet.rangeEndCount());
        while (!m_builder->step(m_sliceRecords))
            progress.setValue(m_builder->recordsBuilt());
    } catch (...) {
        endBuild(false);
        errorsink::report(std::current_exception());
        return;
    }
    endBuild(true);
    if (!writer(fileName, m_prepared, progress))
        m_dialogs.message(m_window, u"Ошибка сохранения файла!"_s);
}
