#include "csv/csvpagegrid.h"

#include <algorithm>
#include <cmath>

namespace csv {

namespace {

bool isPlaced(const PreparedBox &box)
{
    return std::isfinite(box.leftPx) && std::isfinite(box.topPx) && std::isfinite(box.widthPx)
        && std::isfinite(box.heightPx);
}

// Keeps the edges sorted and each once as they come: a page has a few dozen distinct edges
// among its thousands of boxes, so this costs less than sorting them all afterwards.
void addEdge(std::vector<double> &edges, double edge)
{
    const auto at = std::lower_bound(edges.begin(), edges.end(), edge);
    if (at == edges.end() || *at != edge)
        edges.insert(at, edge);
}

} // namespace

void mergeNearEdges(std::vector<double> &edges)
{
    if (edges.empty())
        return;
    std::size_t kept = 0;
    for (std::size_t next = 1; next < edges.size(); ++next) {
        if (edges[next] - edges[kept] >= 0.5)
            ++kept;
        edges[kept] = edges[next]; // a nearer one replaces the current edge
    }
    edges.resize(kept + 1);
}

GridSpan gridSpan(const std::vector<double> &edges, double start, double size)
{
    GridSpan span;
    span.first = int(std::lower_bound(edges.begin(), edges.end(), start) - edges.begin());
    const double end = start + size;
    double position = start;
    std::size_t edge = std::size_t(span.first);
    while (position < end && edge + 1 < edges.size()) {
        ++edge;
        position = edges[edge];
        ++span.count;
    }
    return span;
}

PageGrid::PageGrid(const PreparedPage &page)
{
    for (const PreparedBox &box : page.boxes) {
        if (!isPlaced(box))
            continue;
        addEdge(m_xEdges, box.leftPx);
        addEdge(m_xEdges, box.leftPx + box.widthPx);
        addEdge(m_yEdges, box.topPx);
        addEdge(m_yEdges, box.topPx + box.heightPx);
    }
    mergeNearEdges(m_xEdges);
    mergeNearEdges(m_yEdges);

    const std::size_t columns = m_xEdges.size();
    m_cells.assign(columns * m_yEdges.size(), kNoBox);
    for (std::size_t index = 0; index < page.boxes.size(); ++index) {
        const PreparedBox &box = page.boxes[index];
        if (!isPlaced(box))
            continue;
        const GridSpan x = gridSpan(m_xEdges, box.leftPx, box.widthPx);
        const GridSpan y = gridSpan(m_yEdges, box.topPx, box.heightPx);
        for (int row = y.first; row < y.first + y.count; ++row) {
            for (int column = x.first; column < x.first + x.count; ++column)
                m_cells[std::size_t(row) * columns + column] = int(index);
        }
    }
}

} // namespace csv
