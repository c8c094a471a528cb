#include "archive/recordfill.h"

#include "archive/archivefields.h"
#include "archive/archivetext.h"
#include "platform/progress.h"
#include "tables/measurementtable.h"
#include "tables/tabledefinition.h"

#include <algorithm>
#include <vector>

namespace {

constexpr QChar recordDelimiter = u';';
constexpr int firstRecordLine = 2; // after the header and the second line

// Where the value of a field with doubled quotes was written out: its cell views it once the
// whole record is split, when the string holding it no longer grows and moves.
struct PendingValue
{
    std::size_t column;
    qsizetype from;
    qsizetype size;
};

// Each record is split once, for its cells and its field count alike, and written as one
// row: the cells are views into the archive's text wherever they can be.
QList<int> fillRows(MeasurementTable &table, const ArchiveLines &lines,
                    const TableDefinition &definition, int firstRow, Progress &progress)
{
    QList<int> damagedLines;
    const int fixed = definition.fixedFieldCount;
    const int firstReading = definition.firstReadingColumn;
    constexpr int readingColumns = TableDefinition::readingColumnCount;
    std::vector<QStringView> cells(std::size_t(definition.columnCount()));
    std::vector<PendingValue> pending;
    QString values; // of the fields with doubled quotes, in one string reused for every line
    QString number;
    int row = firstRow;
    for (qsizetype i = firstRecordLine; i < lines.size(); ++i) {
        progress.setValue(int(i));
        const QStringView line = lines.line(i);
        std::fill(cells.begin(), cells.end(), QStringView());
        pending.clear();
        values.resize(0);
        int count = 0;
        forEachField(line, recordDelimiter, [&](const FieldView &field) {
            const int reading = count - fixed;
            const int column = reading < 0 ? count + 1
                    : reading < readingColumns ? firstReading + reading : -1;
            ++count;
            if (column < 0)
                return;
            if (!field.doubledQuotes) {
                cells[std::size_t(column)] = field.text;
                return;
            }
            const qsizetype from = values.size();
            field.appendValueTo(values);
            pending.push_back({std::size_t(column), from, values.size() - from});
        });
        if (count < fixed || count > fixed + readingColumns)
            damagedLines.append(int(i + 1));
        if (count == 0)
            continue; // a blank line
        for (const PendingValue &value : pending)
            cells[value.column] = QStringView(values).sliced(value.from, value.size);
        // The running number is the record's own (line index - 1), also past blank lines.
        number.setNum(i - 1);
        cells[std::size_t(definition.rowNumberColumn)] = number;
        table.setRowTexts(row, cells);
        ++row;
    }
    return damagedLines;
}

} // namespace

int recordRowCount(const ArchiveLines &lines)
{
    int rowCount = 0;
    for (qsizetype i = firstRecordLine; i < lines.size(); ++i) {
        if (!lines.line(i).isEmpty())
            ++rowCount;
    }
    return rowCount;
}

QList<int> fillRecords(MeasurementTable &table, const ArchiveLines &lines,
                       const TableDefinition &definition, Progress &progress)
{
    QList<int> damagedLines;
    table.beginUpdate();
    try {
        const int firstRow = table.rowCount();
        table.appendRows(recordRowCount(lines));
        damagedLines = fillRows(table, lines, definition, firstRow, progress);
    } catch (...) {
        table.endUpdate();
        throw;
    }
    table.endUpdate();
    return damagedLines;
}
