#include "tables/rowselection.h"

#include <algorithm>

std::vector<int> RowSelection::selectedRows() const
{
    std::vector<int> rows;
    rows.reserve(std::size_t(m_selectedCount));
    for (std::size_t i = 0; i < m_selected.size(); ++i) {
        if (m_selected[i])
            rows.push_back(int(i));
    }
    return rows;
}

void RowSelection::setSelected(int row, bool on)
{
    std::uint8_t &flag = m_selected[std::size_t(row)];
    if (bool(flag) == on)
        return;
    flag = on ? 1 : 0;
    m_selectedCount += on ? 1 : -1;
}

void RowSelection::click(int row, Qt::KeyboardModifiers modifiers)
{
    if (row < 0 || row >= int(m_selected.size()))
        return;
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    if (shift) {
        const int anchor = m_anchor >= 0 ? m_anchor : row;
        const int first = std::min(anchor, row);
        const int last = std::max(anchor, row);
        if (!ctrl) {
            std::fill(m_selected.begin(), m_selected.end(), std::uint8_t(0));
            m_selectedCount = 0;
        }
        for (int r = first; r <= last; ++r)
            setSelected(r, true);
        m_anchor = anchor;
    } else if (ctrl) {
        setSelected(row, !isSelected(row));
        m_anchor = row;
    } else {
        std::fill(m_selected.begin(), m_selected.end(), std::uint8_t(0));
        m_selectedCount = 0;
        setSelected(row, true);
        m_anchor = row;
    }
    m_current = row;
}

void RowSelection::appendRows(int count)
{
    if (count > 0)
        m_selected.resize(m_selected.size() + std::size_t(count), 0);
}

void RowSelection::clear()
{
    m_selected.clear();
    m_selected.shrink_to_fit();
    m_selectedCount = 0;
    m_current = -1;
    m_anchor = -1;
}

void RowSelection::removeRows(const std::vector<bool> &remove)
{
    const auto removed = [&](std::size_t i) { return i < remove.size() && remove[i]; };
    int newCurrent = -1;
    int newAnchor = -1;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_selected.size(); ++i) {
        if (removed(i)) {
            if (m_selected[i])
                --m_selectedCount;
            continue;
        }
        if (int(i) == m_current)
            newCurrent = int(kept);
        if (int(i) == m_anchor)
            newAnchor = int(kept);
        m_selected[kept++] = m_selected[i];
    }
    m_selected.resize(kept);
    m_current = newCurrent;
    m_anchor = newAnchor;
}

void RowSelection::permute(const std::vector<int> &order)
{
    std::vector<std::uint8_t> reordered(order.size());
    int newCurrent = -1;
    int newAnchor = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const int from = order[i];
        reordered[i] = m_selected[std::size_t(from)];
        if (from == m_current)
            newCurrent = int(i);
        if (from == m_anchor)
            newAnchor = int(i);
    }
    m_selected.swap(reordered);
    m_current = newCurrent;
    m_anchor = newAnchor;
}
