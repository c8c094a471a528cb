#pragma once

#include "tables/cellsource.h"

#include <QStringView>

#include <span>

// The operations of a measurement table that loading, the table commands, the chart and
// the report rely on. Implemented by the grid widget; every call is on the UI thread.
class MeasurementTable : public CellSource
{
public:
    // Stores the text; a date cell parses it (text that does not parse is the zero date).
    // Raises AppError "Cell (c, r) out of bounds." outside the table.
    virtual void setCellText(int column, int row, const QString &text) = 0;
    // Cells 0..texts.size()-1 of one row, as setCellText would write them one by one; the
    // other cells keep theirs. A row or a last cell outside the table raises the same
    // error before any cell changes.
    virtual void setRowTexts(int row, std::span<const QStringView> texts) = 0;
    // Appends count new rows (empty text, zero dates); nothing when count <= 0.
    virtual void appendRows(int count) = 0;
    // Removes all rows; afterwards no row is current and none is selected.
    virtual void clearRows() = 0;
    // Removes one row; the rows below move up by one.
    virtual void deleteRow(int row) = 0;
    // The row clicked last, -1 for none.
    virtual int currentRow() const = 0;
    virtual int selectedCount() const = 0;
    // Fill-mode columns take w as their requested width; fixed ones take it, at least 8 px.
    virtual void setColumnWidth(int column, int widthPx) = 0;
    virtual void setFillMode(int column, bool on) = 0;
    // Nesting batch: no repaint or row recount until the outermost endUpdate.
    virtual void beginUpdate() = 0;
    virtual void endUpdate() = 0;
};
