#pragma once

#include "report/preparedpage.h"
#include "report/reportlayout.h"
#include "tables/tablekind.h"

#include <QString>

class CellSource;
class Progress;

// The report of one table built in one go, as the "PDF" and "CSV" commands build it, for
// callers without a window: it owns the layout its pages point into, so the pages live as
// long as it does.
class ExportReport
{
public:
    // Prepares the layout as every report command does (dateText in `Memo40`, `Memo42` shown
    // only with showReadings, one record per row), copies the rows of the table of that kind
    // and builds every page; progress counts records. Raises the table's AppError when it
    // lacks a column the report reads; nothing is built then.
    ExportReport(const CellSource &table, TableKind kind, bool showReadings, const QString &dateText,
                 Progress &progress);
    ExportReport(const ExportReport &) = delete;
    ExportReport &operator=(const ExportReport &) = delete;

    const PreparedReport &pages() const { return m_pages; }

private:
    ReportLayout m_layout;
    PreparedReport m_pages;
};
