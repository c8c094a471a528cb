#pragma once

class MeasurementGrid;

// The commands of the "Правка" menu and the view's part of a load, apart from the main window.

// The common width "Выровнить ячейки" gives: (outer width of the main window - 40) div 20,
// truncating toward zero.
int alignWidth(int outerWidthPx);

// Sets columns 0 to 20 of the table to widthPx, in ascending order.
void alignColumns(MeasurementGrid &grid, int widthPx);

// "Удалить строки" and the Delete key: removes exactly the selected rows, whatever order they
// were selected in; with nothing selected nothing happens. The current row stays on its
// measurement when that was not deleted, and is -1 otherwise.
void deleteSelectedRows(MeasurementGrid &grid);

// After a load that gave rows: the columns of the row number and the fixed fields but the
// last one share the table's width (columns 0 to 20 basic, 0 to 17 individual).
void fillFixedColumns(MeasurementGrid &grid);
