#include "archivetestdoubles.h"

#include "platform/apperror.h"

using namespace Qt::StringLiterals;

namespace {

// The model's error for a cell outside the table.
AppError outOfBounds(int column, int row)
{
    return AppError(u"Cell (%1, %2) out of bounds."_s.arg(column).arg(row));
}

} // namespace

void RecordingTable::checkBounds(int column, int row) const
{
    if (column < 0 || column >= m_columns || row < 0 || row >= m_rows.size())
        throw outOfBounds(column, row);
}

QString RecordingTable::cellText(int column, int row) const
{
    checkBounds(column, row);
    return m_rows[row][column];
}

void RecordingTable::setCellText(int column, int row, const QString &text)
{
    if (failAt && failAt->first == column && failAt->second == row)
        throw outOfBounds(column, row);
    checkBounds(column, row);
    if (updateDepth == 0)
        cellWrittenOutsideBatch = true;
    m_rows[row][column] = text;
}

void RecordingTable::setRowTexts(int row, std::span<const QStringView> texts)
{
    const int count = int(texts.size());
    if (failAt && failAt->second == row && failAt->first < count)
        throw outOfBounds(failAt->first, row);
    checkBounds(qMax(count - 1, 0), row);
    if (updateDepth == 0)
        cellWrittenOutsideBatch = true;
    for (int column = 0; column < count; ++column)
        m_rows[row][column] = texts[column].toString();
}

void RecordingTable::appendRows(int count)
{
    calls.append(u"append %1"_s.arg(count));
    for (int i = 0; i < count; ++i)
        m_rows.append(QStringList(m_columns, QString()));
}

void RecordingTable::clearRows()
{
    calls.append(u"clear"_s);
    m_rows.clear();
}

void RecordingTable::deleteRow(int row)
{
    checkBounds(0, row);
    m_rows.removeAt(row);
}

void RecordingTable::beginUpdate()
{
    calls.append(u"begin"_s);
    ++updateDepth;
}

void RecordingTable::endUpdate()
{
    calls.append(u"end"_s);
    --updateDepth;
}

