#pragma once

#include "tables/tablekind.h"

#include <QString>
#include <QStringView>

#include <vector>

class CellSource;

// The report's fields, in the order of their indices: Cell1 to Cell8, Cell12 to Cell22, then
// the readings field Cell100.
namespace reportfields {
inline constexpr int kCount = 20;
inline constexpr int kReadings = kCount - 1;
// The field's index for a name compared without regard to case; -1 for any other name.
int indexOf(QStringView name);
} // namespace reportfields

// The texts a build reads, copied from the active table when the build starts, so that
// switching tabs, sorting, deleting or loading while a long build runs cannot mix tables or
// fail half-way. The copies share their text with the table (implicit sharing).
class ReportRows
{
public:
    ReportRows() = default;

    // The report columns of every row; the readings field only when withReadings (it is
    // read only while its memo is visible). Raises the table's AppError when it lacks a column.
    static ReportRows capture(const CellSource &table, TableKind kind, bool withReadings);

    int rowCount() const { return m_rowCount; }
    // Raises AppError outside the rows.
    const QString &value(int row, int field) const;

private:
    int m_rowCount = 0;
    std::vector<QString> m_values; // row-major, reportfields::kCount per row
};
