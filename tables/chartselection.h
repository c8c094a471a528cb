#pragma once

#include "tables/tablekind.h"

#include <optional>

class CellSource;

// Which measurement the readings chart shows; written by a table double-click, read by the
// chart window. ChartSource: none before the first chart, else the table charted.
struct ChartSelection
{
    int ChartRow = 0;
    std::optional<TableKind> ChartSource;
    int ReadingCount = 0;
};

// A double-click on the kind's table with currentRow current: ChartRow becomes currentRow;
// with a current row (not -1), ReadingCount counts the reading cells that are not the blank
// reading (exactly five blanks; any other text counts, the empty text included) and
// ChartSource becomes kind. True when the chart window is to be shown, that is when
// ReadingCount > 0.
bool pickChartRow(const CellSource &table, TableKind kind, int currentRow,
                  ChartSelection &selection);
