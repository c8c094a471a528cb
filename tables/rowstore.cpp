#include "tables/rowstore.h"

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

const char16_t *RowStore::chars(const Row &row) const
{
    return reinterpret_cast<const char16_t *>(row.block + m_columnCount);
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
    const std::uint32_t begin = column == 0 ? 0 : r.block[column - 1];
    const std::uint32_t end = r.block[column];
    return QStringView(chars(r) + begin, qsizetype(end - begin));
}

void RowStore::setText(int column, int row, QStringView text)
{
    Row &r = m_rows[std::size_t(row)];
    if (!r.block && text.isEmpty())
        return;
    const std::size_t headerBytes = std::size_t(m_columnCount) * sizeof(std::uint32_t);
    if (!r.block) {
        r.block = static_cast<std::uint32_t *>(std::calloc(1, headerBytes));
        if (!r.block)
            throw std::bad_alloc();
    }
    const std::uint32_t begin = column == 0 ? 0 : r.block[column - 1];
    const std::uint32_t end = r.block[column];
    const std::uint32_t total = r.block[m_columnCount - 1];
    const std::uint32_t newLength = std::uint32_t(text.size());
    const std::uint32_t newTotal = total - (end - begin) + newLength;

    // Loading writes the cells of a row left to right, so the tail is usually empty and the
    // block, the newest allocation, grows in place.
    if (newTotal > total) {
        auto *grown = static_cast<std::uint32_t *>(
            std::realloc(r.block, headerBytes + std::size_t(newTotal) * sizeof(char16_t)));
        if (!grown)
            throw std::bad_alloc();
        r.block = grown;
    }
    auto *text16 = reinterpret_cast<char16_t *>(r.block + m_columnCount);
    std::memmove(text16 + begin + newLength, text16 + end, (total - end) * sizeof(char16_t));
    if (newLength > 0)
        std::memcpy(text16 + begin, text.utf16(), newLength * sizeof(char16_t));
    for (int c = column; c < m_columnCount; ++c)
        r.block[c] = r.block[c] - end + begin + newLength;
    if (newTotal < total) {
        if (auto *shrunk = static_cast<std::uint32_t *>(
                std::realloc(r.block, headerBytes + std::size_t(newTotal) * sizeof(char16_t))))
            r.block = shrunk;
    }
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

void RowStore::permute(const std::vector<int> &order)
{
    std::vector<Row> reordered;
    reordered.reserve(m_rows.size());
    for (int from : order)
        reordered.push_back(m_rows[std::size_t(from)]);
    m_rows.swap(reordered);
}
