#include "tables/rowstore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

RowStore::RowStore(int columnCount, int dateColumn)
    : m_columnCount(columnCount), m_dateColumn(dateColumn)
{
}

RowStore::~RowStore()
{
    clear();
}

// Block layout: [0] text capacity in UTF-16 units, [1 + c] end offset of cell c, then text.
const char16_t *RowStore::chars(const Row &row) const
{
    return reinterpret_cast<const char16_t *>(row.block + 1 + m_columnCount);
}

std::uint32_t *RowStore::resized(std::uint32_t *block, std::uint32_t capacity) const
{
    const std::size_t bytes = (1 + std::size_t(m_columnCount)) * sizeof(std::uint32_t)
        + std::size_t(capacity) * sizeof(char16_t);
    auto *grown = static_cast<std::uint32_t *>(std::realloc(block, bytes));
    if (!grown)
        throw std::bad_alloc();
    if (!block)
        std::memset(grown, 0, (1 + std::size_t(m_columnCount)) * sizeof(std::uint32_t));
    grown[0] = capacity;
    return grown;
}

void RowStore::release(Row &row)
{
    std::free(row.block);
    row.block = nullptr;
}

QStringView RowStore::text(int column, int row) const
{
    const Row &r = m_rows[std::size_t(row)];
    if (!r.block)
        return {};
    const std::uint32_t *ends = r.block + 1;
    const std::uint32_t begin = column == 0 ? 0 : ends[column - 1];
    return QStringView(chars(r) + begin, qsizetype(ends[column] - begin));
}

void RowStore::setText(int column, int row, QStringView text)
{
    Row &r = m_rows[std::size_t(row)];
    if (!r.block && text.isEmpty())
        return;
    // Room for a typical row at once (archive cells are a few characters each), so that a
    // load writing a row cell by cell seldom reallocates; squeeze() gives the rest back.
    if (!r.block)
        r.block = resized(nullptr, std::max<std::uint32_t>(8 * std::uint32_t(m_columnCount),
                                                           std::uint32_t(text.size())));
    std::uint32_t *ends = r.block + 1;
    const std::uint32_t begin = column == 0 ? 0 : ends[column - 1];
    const std::uint32_t end = ends[column];
    const std::uint32_t total = ends[m_columnCount - 1];
    const std::uint32_t newLength = std::uint32_t(text.size());
    const std::uint32_t newTotal = total - (end - begin) + newLength;

    // Growing by half again keeps rewrites from reallocating on every cell.
    if (newTotal > r.block[0]) {
        r.block = resized(r.block, std::max(newTotal, r.block[0] + r.block[0] / 2 + 32));
        ends = r.block + 1;
    }
    auto *text16 = const_cast<char16_t *>(chars(r));
    std::memmove(text16 + begin + newLength, text16 + end, (total - end) * sizeof(char16_t));
    if (newLength > 0)
        std::memcpy(text16 + begin, text.utf16(), newLength * sizeof(char16_t));
    for (int c = column; c < m_columnCount; ++c)
        ends[c] = ends[c] - end + begin + newLength;
}

void RowStore::appendRows(int count, qint64 dateValue)
{
    if (count <= 0)
        return;
    m_rows.resize(m_rows.size() + std::size_t(count), Row{nullptr, dateValue});
}

void RowStore::clear()
{
    for (Row &row : m_rows)
        release(row);
    m_rows.clear();
    m_rows.shrink_to_fit();
}

void RowStore::removeRows(const std::vector<bool> &remove)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (i < remove.size() && remove[i])
            release(m_rows[i]);
        else
            m_rows[kept++] = m_rows[i];
    }
    m_rows.resize(kept);
}

void RowStore::squeeze()
{
    for (Row &row : m_rows) {
        if (row.block && row.block[0] != row.block[m_columnCount])
            row.block = resized(row.block, row.block[m_columnCount]);
    }
}

void RowStore::permute(const std::vector<int> &order)
{
    std::vector<Row> reordered;
    reordered.reserve(m_rows.size());
    for (int from : order)
        reordered.push_back(m_rows[std::size_t(from)]);
    m_rows.swap(reordered);
}
