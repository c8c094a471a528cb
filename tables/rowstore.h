#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// The cells of a measurement table in compact form. Each row owns one heap block: its text
// capacity, the end offsets of its cells, then their UTF-16 text one after the other; a row
// that was never written holds no block. The date column keeps a 64-bit value per row instead of text.
// Indexes are checked by the caller.
class RowStore
{
public:
    RowStore(int columnCount, int dateColumn);
    ~RowStore();
    RowStore(const RowStore &) = delete;
    RowStore &operator=(const RowStore &) = delete;

    int columnCount() const { return m_columnCount; }
    int rowCount() const { return int(m_rows.size()); }
    int dateColumn() const { return m_dateColumn; }

    // The text of a text cell; empty for the date column.
    QStringView text(int column, int row) const;
    void setText(int column, int row, QStringView text);

    qint64 dateValue(int row) const { return m_rows[std::size_t(row)].date; }
    void setDateValue(int row, qint64 value) { m_rows[std::size_t(row)].date = value; }

    // New rows have empty texts and the given date value.
    void appendRows(int count, qint64 dateValue);
    void clear();
    // Removes the rows whose flag is set; the others keep their order.
    void removeRows(const std::vector<bool> &remove);
    // Afterwards row i is the row that was at order[i]; order is a permutation.
    void permute(const std::vector<int> &order);
    // Gives back the room rows keep for growing; writing grows a row by half again.
    void squeeze();

private:
    struct Row
    {
        std::uint32_t *block = nullptr; // capacity, columnCount end offsets, then the text
        qint64 date = 0;
    };

    std::uint32_t *resized(std::uint32_t *block, std::uint32_t capacity) const;
    const char16_t *chars(const Row &row) const;
    static void release(Row &row);

    int m_columnCount;
    int m_dateColumn;
    std::vector<Row> m_rows;
};
