#include "tables/measurementmodel.h"

#include "platform/apperror.h"
#include "platform/regionalformat.h"
#include "tables/rowsorter.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kMsecsPerDay = 86'400'000;

// Date cells hold the date and time as one number that orders like the date-time itself.
qint64 toDateValue(const QDateTime &value)
{
    return value.date().toJulianDay() * kMsecsPerDay + value.time().msecsSinceStartOfDay();
}

QDateTime fromDateValue(qint64 value)
{
    const qint64 day = value >= 0 ? value / kMsecsPerDay : (value - kMsecsPerDay + 1) / kMsecsPerDay;
    // UTC, so that no time-zone gap can move a stored time.
    return QDateTime(QDate::fromJulianDay(day),
                     QTime::fromMSecsSinceStartOfDay(int(value - day * kMsecsPerDay)), Qt::UTC);
}

// 30 December 1899, midnight: the value of a date cell that holds no date.
const qint64 kZeroDateValue = QDate(1899, 12, 30).toJulianDay() * kMsecsPerDay;

} // namespace

MeasurementModel::MeasurementModel(const TableDefinition &definition,
                                   const RegionalSettings &settings, QObject *parent)
    : QAbstractTableModel(parent),
      m_definition(definition),
      m_settings(settings),
      m_store(definition.columnCount(), definition.dateColumn)
{
}

int MeasurementModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_announcedRows;
}

int MeasurementModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_definition.columnCount();
}

QVariant MeasurementModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    const int column = index.column();
    if (!index.isValid() || row >= m_store.rowCount() || column >= m_store.columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(column, row);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_definition.columns[column].alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant MeasurementModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_definition.columnCount())
        return {};
    const ColumnDefinition &column = m_definition.columns[section];
    const bool highlight = column.headerColour == HeaderColour::Highlight;
    switch (role) {
    case Qt::DisplayRole:
        return column.header;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
        return highlight ? QVariant(m_highlight) : QVariant();
    case Qt::ForegroundRole:
        return highlight ? QVariant(m_highlightedText) : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags MeasurementModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void MeasurementModel::checkCell(int column, int row) const
{
    if (column < 0 || column >= m_store.columnCount() || row < 0 || row >= m_store.rowCount())
        throw AppError(u"Cell (%1, %2) out of bounds."_s.arg(column).arg(row));
}

QString MeasurementModel::cellText(int column, int row) const
{
    checkCell(column, row);
    if (column == m_definition.dateColumn)
        return regional::formatDateTime(fromDateValue(m_store.dateValue(row)), m_settings);
    return m_store.text(column, row).toString();
}

void MeasurementModel::setDateText(int row, QStringView text)
{
    const std::optional<QDateTime> value = regional::toDateTime(text, m_settings);
    m_store.setDateValue(row, value ? toDateValue(*value) : kZeroDateValue);
}

void MeasurementModel::setCellText(int column, int row, const QString &text)
{
    checkCell(column, row);
    if (column == m_definition.dateColumn) {
        setDateText(row, text);
    } else {
        m_store.setText(column, row, text);
    }
    cellsChanged(row, row);
}

void MeasurementModel::setRowTexts(int row, std::span<const QStringView> texts)
{
    // The last cell is checked, and the row also when there is none: nothing is written
    // unless all of it fits.
    checkCell(qMax(int(texts.size()) - 1, 0), row);
    const int dateColumn = m_definition.dateColumn;
    if (dateColumn < int(texts.size()))
        setDateText(row, texts[dateColumn]);
    m_store.setRow(row, texts);
    cellsChanged(row, row);
}

void MeasurementModel::appendRows(int count)
{
    if (count <= 0)
        return;
    if (m_updateDepth > 0) {
        m_store.appendRows(count, kZeroDateValue);
        emit rowsAppended(count);
        m_rowsChangedInBatch = true;
        return;
    }
    beginInsertRows({}, m_announcedRows, m_announcedRows + count - 1);
    m_store.appendRows(count, kZeroDateValue);
    emit rowsAppended(count);
    m_announcedRows = m_store.rowCount();
    endInsertRows();
}

void MeasurementModel::clearRows()
{
    m_store.clear();
    // A load clears and fills in one batch: the rows' memory is reused until it ends.
    if (m_updateDepth == 0)
        m_store.releaseSpare();
    emit rowsCleared();
    rowsChanged();
}

void MeasurementModel::deleteRow(int row)
{
    deleteRows({row});
}

void MeasurementModel::deleteRows(const std::vector<int> &rows)
{
    std::vector<bool> remove(std::size_t(m_store.rowCount()), false);
    bool any = false;
    for (int row : rows) {
        if (row >= 0 && row < m_store.rowCount()) {
            remove[std::size_t(row)] = true;
            any = true;
        }
    }
    if (any)
        removeFlagged(remove);
}

void MeasurementModel::removeFlagged(const std::vector<bool> &remove)
{
    m_store.removeRows(remove);
    emit rowsRemoved(remove);
    rowsChanged();
}

void MeasurementModel::sortRows(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_store.columnCount())
        return;
    const std::vector<int> permutation =
        sortOrder(m_store, column, m_definition.columns[column].sort, order, m_settings);
    // Only the rows move, and the hint says so: the column header then keeps its sections.
    // Without it the header rebuilds them and ends up longer than its shown columns, which
    // gives a table whose columns fill its width a horizontal scroll bar.
    if (m_updateDepth == 0)
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_store.permute(permutation);
    emit rowsPermuted(permutation);
    if (m_updateDepth == 0)
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    else
        m_cellsChangedInBatch = true;
}

void MeasurementModel::swapRows(MeasurementModel &other)
{
    beginResetModel();
    other.beginResetModel();
    m_store.swap(other.m_store);
    m_announcedRows = m_store.rowCount();
    other.m_announcedRows = other.m_store.rowCount();
    for (MeasurementModel *model : {this, &other}) {
        emit model->rowsCleared();
        if (model->m_announcedRows > 0)
            emit model->rowsAppended(model->m_announcedRows);
    }
    other.endResetModel();
    endResetModel();
}

void MeasurementModel::beginUpdate()
{
    ++m_updateDepth;
}

void MeasurementModel::endUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth > 0)
        return;
    m_store.releaseSpare();
    if (m_rowsChangedInBatch)
        rowsChanged();
    else if (m_cellsChangedInBatch)
        cellsChanged(0, m_store.rowCount() - 1);
    m_rowsChangedInBatch = false;
    m_cellsChangedInBatch = false;
}

void MeasurementModel::rowsChanged()
{
    if (m_updateDepth > 0) {
        m_rowsChangedInBatch = true;
        return;
    }
    // The views re-read everything; what they keep per row has followed the row signals.
    beginResetModel();
    m_announcedRows = m_store.rowCount();
    endResetModel();
}

void MeasurementModel::cellsChanged(int firstRow, int lastRow)
{
    if (m_updateDepth > 0) {
        m_cellsChangedInBatch = true;
        return;
    }
    if (firstRow <= lastRow && lastRow < m_announcedRows)
        emit dataChanged(index(firstRow, 0), index(lastRow, m_definition.columnCount() - 1));
}

void MeasurementModel::setHighlightColours(const QBrush &background, const QBrush &text)
{
    m_highlight = background;
    m_highlightedText = text;
    emit headerDataChanged(Qt::Horizontal, 0, m_definition.columnCount() - 1);
}
