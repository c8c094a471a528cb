#pragma once

#include "platform/apperror.h"
#include "tables/cellsource.h"

#include <QHash>
#include <QPair>

// A measurement table in memory for the chart's tests. Every cell starts as a decoy number,
// so reading a wrong column shows up as a wrong value rather than as an error.
class FakeTable final : public CellSource
{
public:
    FakeTable(int columns, int rows, const QString &decoy)
        : m_columns(columns), m_rows(rows), m_decoy(decoy)
    {
    }

    void set(int column, int row, const QString &text) { m_cells.insert({column, row}, text); }

    int columnCount() const override { return m_columns; }
    int rowCount() const override { return m_rows; }
    QString cellText(int column, int row) const override
    {
        if (column < 0 || column >= m_columns || row < 0 || row >= m_rows)
            throw AppError(QStringLiteral("Cell (%1, %2) out of bounds.").arg(column).arg(row));
        return m_cells.value({column, row}, m_decoy);
    }

private:
    int m_columns;
    int m_rows;
    QString m_decoy;
    QHash<QPair<int, int>, QString> m_cells;
};
