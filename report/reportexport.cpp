#include "report/reportexport.h"

#include "platform/progress.h"
#include "report/reportbuilder.h"
#include "report/reportpreparation.h"
#include "report/reportrows.h"
#include "report/userdataset.h"
#include "report/valueresolver.h"
#include "tables/cellsource.h"

namespace {

// Records between two progress updates, as the window's exports build.
constexpr int kSliceRecords = 500;

} // namespace

ExportReport::ExportReport(const CellSource &table, TableKind kind, bool showReadings, const QString &dateText,
                           Progress &progress)
{
    UserDataSet dataSet;
    prepareReport(m_layout, dataSet, dateText, showReadings, table.rowCount());
    const ReportRows rows = ReportRows::capture(table, kind, showReadings);
    const ValueResolver resolver(rows, dataSet);
    ReportBuilder builder(m_layout, dataSet, resolver, m_pages);
    builder.start();
    progress.setMaximum(dataSet.rangeEndCount());
    bool finished = false;
    do {
        finished = builder.step(kSliceRecords);
        progress.setValue(builder.recordsBuilt());
    } while (!finished);
}
