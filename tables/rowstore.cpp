#include "tables/rowstore.h"

#include <algorithm>
#include <cstring>

namespace {
// Chunks double from 64 KiB, so a small table holds little spare room, to 16 MiB, so a large
// one lies mostly in huge pages; the untouched end of the newest chunk takes no memory.
constexpr std::size_t kFirstChunkBytes = 64 << 10;
constexpr std::size_t kLargestChunkBytes = 16 << 20;
constexpr std::size_t kAlignment = alignof(std::uint32_t);
} // namespace

RowStore::RowStore(int columnCount, int dateColumn)
    : m_columnCount(columnCount), m_dateColumn(dateColumn)
{
}

RowStore::~RowStore() = default;

void RowStore::swap(RowStore &other) noexcept
{
    std::swap(m_columnCount, other.m_columnCount);
    std::swap(m_dateColumn, other.m_dateColumn);
    m_rows.swap(other.m_rows);
    m_chunks.swap(other.m_chunks);
    m_spare.swap(other.m_spare);
    std::swap(m_liveBytes, other.m_liveBytes);
    std::swap(m_wastedBytes, other.m_wastedBytes);
}

std::size_t RowStore::blockBytes(std::uint32_t textLength) const
{
    const std::size_t bytes = std::size_t(m_columnCount) * sizeof(std::uint32_t)
        + std::size_t(textLength) * sizeof(char16_t);
    return (bytes + kAlignment - 1) / kAlignment * kAlignment;
}

std::size_t RowStore::rowBytes(const Row &row) const
{
    return row.block ? blockBytes(textLength(row)) : 0;
}

std::uint32_t *RowStore::allocate(std::size_t bytes)
{
    if (m_chunks.empty() || m_chunks.back().size() - m_chunks.back().used < bytes) {
        if (!m_spare.empty() && m_spare.back().size() >= bytes) {
            m_chunks.push_back(std::move(m_spare.back()));
            m_spare.pop_back();
        } else {
            const std::size_t next = m_chunks.empty()
                ? kFirstChunkBytes
                : std::min(kLargestChunkBytes, 2 * m_chunks.back().size());
            m_chunks.push_back(Chunk{LargeMemory(std::max(next, bytes))});
        }
    }
    Chunk &chunk = m_chunks.back();
    auto *block = reinterpret_cast<std::uint32_t *>(chunk.bytes.data() + chunk.used);
    chunk.used += bytes;
    return block;
}

std::uint32_t *RowStore::resize(Row &row, std::uint32_t newTextLength)
{
    const std::size_t oldBytes = rowBytes(row);
    const std::size_t newBytes = blockBytes(newTextLength);
    m_liveBytes = m_liveBytes - oldBytes + newBytes;
    if (row.block && !m_chunks.empty()) {
        // The row written last ends where the newest chunk's free room begins: a load writes
        // a row cell by cell, so its block grows (or shrinks) in place.
        Chunk &chunk = m_chunks.back();
        auto *end = reinterpret_cast<std::byte *>(row.block) + oldBytes;
        if (end == chunk.bytes.data() + chunk.used && chunk.used - oldBytes + newBytes <= chunk.size()) {
            chunk.used = chunk.used - oldBytes + newBytes;
            return row.block;
        }
    }
    if (row.block && newBytes <= oldBytes) {
        m_wastedBytes += oldBytes - newBytes;
        return row.block;
    }
    std::uint32_t *block = allocate(newBytes);
    if (row.block)
        std::memcpy(block, row.block, oldBytes);
    m_wastedBytes += oldBytes;
    row.block = block;
    return block;
}

QStringView RowStore::text(int column, int row) const
{
    const Row &r = m_rows[std::size_t(row)];
    if (column >= int(r.filled))
        return {};
    const auto *text16 = reinterpret_cast<const char16_t *>(r.block + m_columnCount);
    const std::uint32_t begin = column == 0 ? 0 : r.block[column - 1];
    return QStringView(text16 + begin, qsizetype(r.block[column] - begin));
}

void RowStore::setText(int column, int row, QStringView text)
{
    Row &r = m_rows[std::size_t(row)];
    const bool pastFilled = column >= int(r.filled);
    if (pastFilled && text.isEmpty())
        return; // empty already
    const std::uint32_t total = textLength(r);
    const std::uint32_t begin = pastFilled ? total : column == 0 ? 0 : r.block[column - 1];
    const std::uint32_t end = pastFilled ? total : r.block[column];
    const std::uint32_t newLength = std::uint32_t(text.size());
    const std::uint32_t newTotal = total - (end - begin) + newLength;

    // The tail moves after growing and before shrinking, so it is never cut off.
    if (newTotal > total)
        resize(r, newTotal);
    std::uint32_t *const ends = r.block;
    auto *text16 = reinterpret_cast<char16_t *>(ends + m_columnCount);
    if (pastFilled) {
        // The cells between the filled ones and this one are empty: they end where the text does.
        std::fill(ends + r.filled, ends + column, total);
        std::memcpy(text16 + total, text.utf16(), newLength * sizeof(char16_t));
        ends[column] = newTotal;
        r.filled = std::uint32_t(column + 1);
        return;
    }
    std::memmove(text16 + begin + newLength, text16 + end, (total - end) * sizeof(char16_t));
    if (newLength > 0)
        std::memcpy(text16 + begin, text.utf16(), newLength * sizeof(char16_t));
    const std::uint32_t shift = begin + newLength - end; // wraps around when the text shrinks
    const int filled = int(r.filled);
    for (int c = column; c < filled; ++c)
        ends[c] += shift;
    if (newTotal < total)
        resize(r, newTotal);
}

void RowStore::setRow(int row, std::span<const QStringView> texts)
{
    Row &r = m_rows[std::size_t(row)];
    const auto count = std::uint32_t(texts.size());
    if (count == 0)
        return;
    if (r.filled > count) {
        // Cells after the given ones hold text that has to stay where it is.
        for (std::uint32_t c = 0; c < count; ++c) {
            if (int(c) != m_dateColumn)
                setText(int(c), row, texts[c]);
        }
        return;
    }
    std::uint32_t total = 0;
    for (std::uint32_t c = 0; c < count; ++c) {
        if (int(c) != m_dateColumn)
            total += std::uint32_t(texts[c].size());
    }
    // One block for the whole row: every cell it held is written again below.
    std::uint32_t *const ends = resize(r, total);
    auto *text16 = reinterpret_cast<char16_t *>(ends + m_columnCount);
    std::uint32_t end = 0;
    for (std::uint32_t c = 0; c < count; ++c) {
        const QStringView text = texts[c];
        if (int(c) != m_dateColumn && !text.isEmpty()) {
            std::memcpy(text16 + end, text.utf16(), std::size_t(text.size()) * sizeof(char16_t));
            end += std::uint32_t(text.size());
        }
        ends[c] = end;
    }
    r.filled = count;
}

void RowStore::appendRows(int count, qint64 dateValue)
{
    if (count <= 0)
        return;
    m_rows.resize(m_rows.size() + std::size_t(count), Row{nullptr, dateValue});
}

void RowStore::clear()
{
    m_rows.clear();
    m_rows.shrink_to_fit();
    // Reused in the order they were filled: the largest last, taken first.
    for (auto it = m_chunks.begin(); it != m_chunks.end(); ++it) {
        it->used = 0;
        m_spare.push_back(std::move(*it));
    }
    std::sort(m_spare.begin(), m_spare.end(),
              [](const Chunk &a, const Chunk &b) { return a.size() < b.size(); });
    m_chunks.clear();
    m_liveBytes = 0;
    m_wastedBytes = 0;
}

void RowStore::releaseSpare()
{
    m_spare.clear();
    m_spare.shrink_to_fit();
}

void RowStore::removeRows(const std::vector<bool> &remove)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (i < remove.size() && remove[i]) {
            const std::size_t bytes = rowBytes(m_rows[i]);
            m_liveBytes -= bytes;
            m_wastedBytes += bytes;
        } else {
            m_rows[kept++] = m_rows[i];
        }
    }
    m_rows.resize(kept);
    compactIfWasteful();
}

void RowStore::permute(const std::vector<int> &order)
{
    std::vector<Row> reordered;
    reordered.reserve(m_rows.size());
    for (int from : order)
        reordered.push_back(m_rows[std::size_t(from)]);
    m_rows.swap(reordered);
}

void RowStore::compactIfWasteful()
{
    // Copies the live blocks into fresh chunks once more than half of the bytes are waste.
    if (m_wastedBytes <= m_liveBytes)
        return;
    std::vector<Chunk> old;
    old.swap(m_chunks);
    for (Row &row : m_rows) {
        if (!row.block)
            continue;
        const std::size_t bytes = rowBytes(row);
        std::uint32_t *block = allocate(bytes);
        std::memcpy(block, row.block, bytes);
        row.block = block;
    }
    m_wastedBytes = 0;
}
