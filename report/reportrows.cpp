#include "report/reportrows.h"

#include "platform/apperror.h"
#include "tables/cellsource.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kReadingColumns = 15;

struct FieldColumns
{
    const char16_t *name;
    int basicColumn;
    int individualColumn;
};

// Each field reads the column that holds the quantity of its header in that table.
constexpr FieldColumns kFields[reportfields::kReadings] = {
    {u"Cell1", 0, 0},   {u"Cell2", 1, 1},   {u"Cell3", 2, 2},   {u"Cell4", 3, 3},
    {u"Cell5", 4, 4},   {u"Cell6", 5, 5},   {u"Cell7", 6, 6},   {u"Cell8", 7, 7},
    {u"Cell12", 11, 8}, {u"Cell13", 12, 9}, {u"Cell14", 13, 10}, {u"Cell15", 14, 11},
    {u"Cell16", 15, 12}, {u"Cell17", 16, 13}, {u"Cell18", 17, 14}, {u"Cell19", 18, 15},
    {u"Cell20", 19, 16}, {u"Cell21", 20, 17}, {u"Cell22", 21, 18},
};

constexpr int kFirstReadingBasic = 23;
constexpr int kFirstReadingIndividual = 20;

// Empty when the first reading is empty, whatever the later cells hold; otherwise ";" and
// the cell's text for each of the 15 reading columns.
QString readingsText(const CellSource &table, int firstColumn, int row)
{
    const QString first = table.cellText(firstColumn, row);
    if (first.isEmpty())
        return QString();
    QString text;
    text.reserve(16 * 5);
    text += u';';
    text += first;
    for (int i = 1; i < kReadingColumns; ++i) {
        text += u';';
        text += table.cellText(firstColumn + i, row);
    }
    return text;
}

} // namespace

int reportfields::indexOf(QStringView name)
{
    for (int i = 0; i < kReadings; ++i) {
        if (name.compare(QStringView(kFields[i].name), Qt::CaseInsensitive) == 0)
            return i;
    }
    if (name.compare(u"Cell100", Qt::CaseInsensitive) == 0)
        return kReadings;
    return -1;
}

ReportRows ReportRows::capture(const CellSource &table, TableKind kind, bool withReadings)
{
    const bool basic = kind == TableKind::Basic;
    ReportRows rows;
    rows.m_rowCount = table.rowCount();
    rows.m_values.resize(size_t(rows.m_rowCount) * reportfields::kCount);
    QString *out = rows.m_values.data();
    for (int row = 0; row < rows.m_rowCount; ++row) {
        for (const FieldColumns &f : kFields)
            *out++ = table.cellText(basic ? f.basicColumn : f.individualColumn, row);
        if (withReadings)
            *out = readingsText(table, basic ? kFirstReadingBasic : kFirstReadingIndividual, row);
        ++out;
    }
    return rows;
}

const QString &ReportRows::value(int row, int field) const
{
    if (row < 0 || row >= m_rowCount || field < 0 || field >= reportfields::kCount)
        throw AppError(u"Report row %1 out of bounds"_s.arg(row));
    return m_values[size_t(row) * reportfields::kCount + size_t(field)];
}
