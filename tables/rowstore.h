#pragma once

#include "platform/largememory.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The cells of a measurement table in compact form. Each row is one block: the end offsets of
// its cells, then their UTF-16 text one after the other; a row that was never written has no
// block. Blocks are carved from large chunks, so filling a table costs no allocation per row
// and the allocator has no per-row overhead. The date column keeps a 64-bit value per row
// instead of text. Indexes are checked by the caller.
class RowStore
{
public:
    RowStore(int columnCount, int dateColumn);
    ~RowStore();
    RowStore(const RowStore &) = delete;
    RowStore &operator=(const RowStore &) = delete;

    // Exchanges the rows and memory of two stores of the same table.
    void swap(RowStore &other) noexcept;

    int columnCount() const { return m_columnCount; }
    int rowCount() const { return int(m_rows.size()); }
    int dateColumn() const { return m_dateColumn; }

    // The text of a text cell; empty for the date column. Valid until the next change.
    QStringView text(int column, int row) const;
    void setText(int column, int row, QStringView text);
    // Writes cells 0..texts.size()-1 of a row at once, the date column's text excepted;
    // later cells keep theirs. texts.size() <= columnCount().
    void setRow(int row, std::span<const QStringView> texts);

    qint64 dateValue(int row) const { return m_rows[std::size_t(row)].date; }
    void setDateValue(int row, qint64 value) { m_rows[std::size_t(row)].date = value; }

    // New rows have empty texts and the given date value.
    void appendRows(int count, qint64 dateValue);
    // Removes every row. The memory is kept for the rows written next (a load clears, then
    // fills) until releaseSpare().
    void clear();
    void releaseSpare();
    // Removes the rows whose flag is set; the others keep their order.
    void removeRows(const std::vector<bool> &remove);
    // Afterwards row i is the row that was at order[i]; order is a permutation.
    void permute(const std::vector<int> &order);

private:
    struct Row
    {
        std::uint32_t *block = nullptr; // columnCount end offsets, then the text
        qint64 date = 0;
        // Cells [0, filled) have valid end offsets; the cells after them are empty. A row
        // written cell by cell from the left so never shifts offsets of cells not yet written.
        std::uint32_t filled = 0;
    };

    struct Chunk
    {
        LargeMemory bytes;
        std::size_t used = 0;

        std::size_t size() const { return bytes.size(); }
    };

    std::size_t blockBytes(std::uint32_t textLength) const;
    static std::uint32_t textLength(const Row &row)
    {
        return row.filled > 0 ? row.block[row.filled - 1] : 0;
    }
    std::size_t rowBytes(const Row &row) const;
    std::uint32_t *allocate(std::size_t bytes);
    std::uint32_t *resize(Row &row, std::uint32_t newTextLength);
    void compactIfWasteful();

    int m_columnCount;
    int m_dateColumn;
    std::vector<Row> m_rows;
    std::vector<Chunk> m_chunks;
    std::vector<Chunk> m_spare;    // emptied chunks of a cleared table, reused first
    std::size_t m_liveBytes = 0;   // bytes of the blocks rows use
    std::size_t m_wastedBytes = 0; // bytes of blocks left behind by rewrites and removals
};
