#include "tables/tablecommands.h"

#include "tables/measurementgrid.h"
#include "tables/tabledefinition.h"

namespace {

constexpr int kLastAlignedColumn = 20;

} // namespace

int alignWidth(int outerWidthPx)
{
    return (outerWidthPx - 40) / 20;
}

void alignColumns(MeasurementGrid &grid, int widthPx)
{
    for (int column = 0; column <= kLastAlignedColumn; ++column)
        grid.setColumnWidth(column, widthPx);
}

void deleteSelectedRows(MeasurementGrid &grid)
{
    grid.deleteRows(grid.selectedRows());
}

void fillFixedColumns(MeasurementGrid &grid)
{
    for (int column = 0; column < grid.definition().fixedFieldCount; ++column)
        grid.setFillMode(column, true);
}
