#pragma once

#include "report/preparedpage.h"

#include <vector>

namespace csv {

// Merges near edges of an ascending list in place: an edge with another less than 0.5 px
// above it gives way to that one, so a run of edges each less than 0.5 px from the next
// collapses to its largest member; edges exactly 0.5 px apart both stay.
void mergeNearEdges(std::vector<double> &edges);

// The grid cells a box covers along one axis.
struct GridSpan
{
    int first = 0; // index of the first edge not below the box's start
    int count = 0; // 0 for a box of no extent
};

// The span of a box from start to start + size on an ascending, merged edge list that
// holds its start: the first edge not below start, then one more cell for each edge stepped
// over while the position is below the end, never past the last edge.
GridSpan gridSpan(const std::vector<double> &edges, double start, double size);

// The grid of one page: its columns and rows are the gaps between the merged edges of all
// boxes; each cell names the box covering it (in the page's order), or none.
class PageGrid
{
public:
    static constexpr int kNoBox = -1;

    // Boxes whose geometry is not finite take no cell and add no edge.
    explicit PageGrid(const PreparedPage &page);

    const std::vector<double> &xEdges() const { return m_xEdges; }
    const std::vector<double> &yEdges() const { return m_yEdges; }
    int boxAt(int column, int row) const { return m_cells[std::size_t(row) * m_xEdges.size() + column]; }

private:
    std::vector<double> m_xEdges;
    std::vector<double> m_yEdges;
    std::vector<int> m_cells; // row by row, one entry per x edge
};

} // namespace csv
