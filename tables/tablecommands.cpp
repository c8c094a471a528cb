#include "tables/tablecommands.h"

#include "tables/chartselection.h"
#include "tables/measurementgrid.h"
#include "tables/tabledefinition.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace {

constexpr int kLastAlignedColumn = 20;

// A reading cell holding exactly five blanks holds no reading.
bool isBlankReading(const QString &text)
{
    return text == u"     "_s;
}

} // namespace

int alignWidth(int outerWidthPx)
{
    return (outerWidthPx - 40) / 20;
}

void alignColumns(MeasurementTable &table, int widthPx)
{
    for (int column = 0; column <= kLastAlignedColumn; ++column)
        table.setColumnWidth(column, widthPx);
}

void deleteSelectedRows(MeasurementGrid &grid)
{
    grid.deleteRows(grid.selectedRows());
}

bool pickChartRow(const MeasurementTable &table, const TableDefinition &definition, int source,
                  ChartSelection &selection)
{
    selection.ReadingCount = 0;
    selection.ChartRow = table.currentRow();
    if (selection.ChartRow == -1)
        return false;
    for (int column = definition.firstReadingColumn; column < table.columnCount(); ++column) {
        if (!isBlankReading(table.cellText(column, selection.ChartRow)))
            ++selection.ReadingCount;
    }
    selection.ChartSource = source;
    return selection.ReadingCount > 0;
}
