#pragma once

#include "fakecellsource.h"

#include "report/reportbuilder.h"
#include "report/reportlayout.h"
#include "report/reportpreparation.h"
#include "report/reportrows.h"
#include "report/userdataset.h"
#include "report/valueresolver.h"

#include <QString>

// A basic table of n rows whose cells read "r<row>c<column>", with a first reading in each.
inline FakeCellSource basicTable(int rows)
{
    FakeCellSource table(kBasicColumns);
    for (int r = 0; r < rows; ++r)
        table.addRow(QStringLiteral("r%1").arg(r), {{23, QStringLiteral("4120")}});
    return table;
}

// One complete build of a table, prepared as the report commands prepare it.
struct BuiltReport
{
    ReportLayout layout;
    UserDataSet dataSet;
    ReportRows rows;
    PreparedReport report;

    BuiltReport(const CellSource &table, bool showReadings, int sliceRecords = 1000)
    {
        prepareReport(layout, dataSet, QStringLiteral("09.12.2026"), showReadings, table.rowCount());
        rows = ReportRows::capture(table, TableKind::Basic, showReadings);
        const ValueResolver resolver(rows, dataSet);
        ReportBuilder builder(layout, dataSet, resolver, report);
        builder.start();
        while (!builder.step(sliceRecords)) {
        }
    }
};
