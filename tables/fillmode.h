#pragma once

#include <vector>

// Column widths of a table whose fill-mode columns share the width its fixed columns leave.
// Pure arithmetic; the grid applies the widths to its header. The shown columns are fixed
// at construction, as the tables never show or hide a column later.
//
// Shares follow three rules. A column entering fill mode with width w gets the share w / F,
// F being the total width of the shown fill-mode columns already there (the first gets 1),
// and their shares are scaled by 1 - w / F. Setting a fill-mode column's width to w takes
// the difference from (or gives it to) the shown fill-mode columns to its right, in
// proportion to their widths, and every share becomes its column's width over the new total.
// After every change the shown fill-mode columns divide the free width (client width less
// the shown fixed columns) by their shares, in whole pixels. When the fixed columns leave no
// free width the fill-mode columns keep their widths and the table scrolls.
class FillMode
{
public:
    static constexpr int kMinimumFixedWidthPx = 8;

    FillMode(std::vector<int> widthsPx, std::vector<bool> shown);

    int columnCount() const { return int(m_width.size()); }
    int widthPx(int column) const { return m_width[std::size_t(column)]; }
    bool isFill(int column) const { return m_fill[std::size_t(column)]; }

    void setClientWidth(int widthPx);
    // Logical column indexes from left to right on the screen.
    void setVisualOrder(std::vector<int> order);
    // Entering fill mode again changes nothing; leaving it keeps the current width.
    void setFill(int column, bool on);
    // Fixed columns take the width, at least kMinimumFixedWidthPx; fill-mode columns take it
    // as their requested width.
    void setWidth(int column, int widthPx);

private:
    std::vector<int> shownFillColumns(int except = -1) const;
    void enterFill(int column);
    void resizeFill(int column, int widthPx);
    void layout();
    void setRounded(const std::vector<int> &columns, const std::vector<double> &exactPx);

    std::vector<int> m_width;
    std::vector<bool> m_shown;
    std::vector<bool> m_fill;
    std::vector<double> m_share;
    std::vector<int> m_order;
    int m_clientWidth = 0;
};
