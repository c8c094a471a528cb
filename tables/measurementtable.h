#pragma once

#include "tables/cellsource.h"

#include <QStringView>

#include <span>

// The data operations of a measurement table that loading and the table commands rely on:
// its cells and rows, apart from any view. Implemented by the table's model.
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
    // Removes all rows; a view of them has no current row and none selected afterwards.
    virtual void clearRows() = 0;
    // Removes one row; the rows below move up by one. A row outside the table is left alone.
    virtual void deleteRow(int row) = 0;
    // Nesting batch: nothing is announced to the views until the outermost endUpdate.
    virtual void beginUpdate() = 0;
    virtual void endUpdate() = 0;
};
