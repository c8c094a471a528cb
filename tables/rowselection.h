#pragma once

#include <Qt>

#include <cstdint>
#include <vector>

// The current row, the anchor and the selected rows of a table, kept apart from the cells
// so that sorting and deleting carry them along with their measurements.
class RowSelection
{
public:
    int currentRow() const { return m_current; }
    int anchorRow() const { return m_anchor; }
    int selectedCount() const { return m_selectedCount; }
    int rowCount() const { return int(m_selected.size()); }
    bool isSelected(int row) const { return m_selected[std::size_t(row)] != 0; }
    // Ascending.
    std::vector<int> selectedRows() const;

    // A mouse click on a row with the given modifiers:
    // plain: the row becomes current, the only selected row and the anchor;
    // Ctrl: the row becomes current and the anchor, and its selection toggles;
    // Shift: the row becomes current and exactly the rows from the anchor to it are selected
    // (with Ctrl as well, the rows outside that range keep their state).
    // A row outside the table changes nothing.
    void click(int row, Qt::KeyboardModifiers modifiers);

    void appendRows(int count);
    // No rows: no current row, no anchor, nothing selected.
    void clear();
    // Removes the flagged rows; the current row and the anchor stay on their rows when these
    // survive and become -1 otherwise.
    void removeRows(const std::vector<bool> &remove);
    // Row i becomes the row that was at order[i]; current row and anchor follow their rows.
    void permute(const std::vector<int> &order);

private:
    void setSelected(int row, bool on);

    std::vector<std::uint8_t> m_selected;
    int m_selectedCount = 0;
    int m_current = -1;
    int m_anchor = -1;
};
