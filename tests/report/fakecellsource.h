#pragma once

#include "platform/apperror.h"
#include "tables/cellsource.h"

#include <QList>
#include <QStringList>

// A table in memory: rows of cell texts, out-of-range reads raise like the real table.
class FakeCellSource final : public CellSource
{
public:
    explicit FakeCellSource(int columns) : m_columns(columns) {}

    // A row whose cell c holds "<prefix>c" ("r1c5"); cells listed in overrides replace them.
    void addRow(const QString &prefix, const QList<std::pair<int, QString>> &overrides = {})
    {
        QStringList row;
        for (int c = 0; c < m_columns; ++c)
            row << prefix + u'c' + QString::number(c);
        for (const auto &[column, text] : overrides)
            row[column] = text;
        m_rows << row;
    }
    void removeRow(int row) { m_rows.removeAt(row); }
    void moveRow(int from, int to) { m_rows.move(from, to); }
    void setCell(int column, int row, const QString &text) { m_rows[row][column] = text; }

    int columnCount() const override { return m_columns; }
    int rowCount() const override { return int(m_rows.size()); }
    QString cellText(int column, int row) const override
    {
        if (column < 0 || column >= m_columns || row < 0 || row >= m_rows.size())
            throw AppError(QStringLiteral("Cell (%1, %2) out of bounds.").arg(column).arg(row));
        return m_rows[row][column];
    }

private:
    int m_columns;
    QList<QStringList> m_rows;
};

// Column counts of the two tables: fields, note and 15 readings.
inline constexpr int kBasicColumns = 38;
inline constexpr int kIndividualColumns = 35;
