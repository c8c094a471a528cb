#pragma once

struct ChartSelection;
class MeasurementGrid;
class MeasurementTable;
struct TableDefinition;

// The commands of the "Правка" menu and the table double-click, apart from the main window.

// The common width "Выровнить ячейки" gives: (outer width of the main window - 40) div 20,
// truncating toward zero.
int alignWidth(int outerWidthPx);

// Sets columns 0 to 20 of the table to widthPx, in ascending order.
void alignColumns(MeasurementTable &table, int widthPx);

// "Удалить строки" and the Delete key: removes exactly the selected rows, whatever order they
// were selected in; with nothing selected nothing happens. The current row stays on its
// measurement when that was not deleted, and is -1 otherwise.
void deleteSelectedRows(MeasurementGrid &grid);

// A double-click on a table: ChartRow becomes its current row; with a current row,
// ReadingCount counts the reading cells that are not the blank reading (exactly five blanks;
// any other text counts, the empty text included) and ChartSource
// becomes source (1 basic, 2 individual). True when the chart window is to be shown,
// that is when ReadingCount > 0.
bool pickChartRow(const MeasurementTable &table, const TableDefinition &definition, int source,
                  ChartSelection &selection);
