#pragma once

#include <QString>

// Read access to a measurement table by column index (its place in the table definition,
// whatever the on-screen order) and row index (its place in the current sort order).
class CellSource
{
public:
    virtual ~CellSource() = default;
    virtual int columnCount() const = 0;
    virtual int rowCount() const = 0;
    // Raises AppError "Cell (c, r) out of bounds." outside the table. Date cells read as
    // short date, plus the long time when it is not midnight.
    virtual QString cellText(int column, int row) const = 0;
};
