#include "tables/chartselection.h"

#include "tables/cellsource.h"
#include "tables/tabledefinition.h"

using namespace Qt::StringLiterals;

namespace {

// A reading cell holding exactly five blanks holds no reading.
bool isBlankReading(const QString &text)
{
    return text == u"     "_s;
}

} // namespace

bool pickChartRow(const CellSource &table, TableKind kind, int currentRow,
                  ChartSelection &selection)
{
    selection.ReadingCount = 0;
    selection.ChartRow = currentRow;
    if (currentRow == -1)
        return false;
    const TableDefinition &definition = definitionOf(kind);
    const int end = definition.firstReadingColumn + TableDefinition::readingColumnCount;
    for (int column = definition.firstReadingColumn; column < end; ++column) {
        if (!isBlankReading(table.cellText(column, currentRow)))
            ++selection.ReadingCount;
    }
    selection.ChartSource = kind;
    return selection.ReadingCount > 0;
}
