#include "tables/fillmode.h"

#include <algorithm>
#include <cmath>
#include <numeric>

FillMode::FillMode(std::vector<int> widthsPx, std::vector<bool> shown)
    : m_width(std::move(widthsPx)),
      m_shown(std::move(shown)),
      m_fill(m_width.size(), false),
      m_share(m_width.size(), 0.0),
      m_order(m_width.size())
{
    m_shown.resize(m_width.size(), true);
    std::iota(m_order.begin(), m_order.end(), 0);
}

void FillMode::setClientWidth(int widthPx)
{
    m_clientWidth = widthPx;
    layout();
}

void FillMode::setVisualOrder(std::vector<int> order)
{
    if (order.size() == m_width.size())
        m_order = std::move(order);
    layout();
}

std::vector<int> FillMode::shownFillColumns(int except) const
{
    std::vector<int> columns;
    for (int c : m_order) {
        if (c != except && m_fill[std::size_t(c)] && m_shown[std::size_t(c)])
            columns.push_back(c);
    }
    return columns;
}

void FillMode::setFill(int column, bool on)
{
    if (m_fill[std::size_t(column)] == on)
        return;
    if (on) {
        enterFill(column);
    } else {
        m_fill[std::size_t(column)] = false;
        m_share[std::size_t(column)] = 0.0;
    }
    layout();
}

void FillMode::enterFill(int column)
{
    const std::vector<int> others = shownFillColumns(column);
    const double w = m_width[std::size_t(column)];
    double total = 0.0;
    double shareSum = 0.0;
    for (int c : others) {
        total += m_width[std::size_t(c)];
        shareSum += m_share[std::size_t(c)];
    }
    double share = 1.0;
    if (!others.empty()) {
        // w / F keeps the shares summing to 1 only while w < F; a column at least as wide as
        // all the others together (a table too narrow for its fixed columns) takes its part
        // of the combined width instead, so that no share turns zero or negative.
        if (w < total)
            share = w / total;
        else if (total + w > 0.0)
            share = w / (total + w);
        else
            share = 1.0 / double(others.size() + 1);
        for (int c : others) {
            const double normalised = shareSum > 0.0 ? m_share[std::size_t(c)] / shareSum
                                                     : 1.0 / double(others.size());
            m_share[std::size_t(c)] = normalised * (1.0 - share);
        }
    }
    m_fill[std::size_t(column)] = true;
    m_share[std::size_t(column)] = share;
}

void FillMode::setWidth(int column, int widthPx)
{
    if (m_fill[std::size_t(column)] && m_shown[std::size_t(column)])
        resizeFill(column, std::max(0, widthPx));
    else if (m_fill[std::size_t(column)])
        m_width[std::size_t(column)] = std::max(0, widthPx);
    else
        m_width[std::size_t(column)] = std::max(kMinimumFixedWidthPx, widthPx);
    layout();
}

void FillMode::resizeFill(int column, int widthPx)
{
    const std::vector<int> fills = shownFillColumns();
    std::vector<double> widths(m_width.size(), 0.0);
    for (int c : fills)
        widths[std::size_t(c)] = m_width[std::size_t(c)];

    const auto self = std::find(fills.begin(), fills.end(), column);
    double right = 0.0;
    for (auto it = self + 1; it != fills.end(); ++it)
        right += widths[std::size_t(*it)];
    const double delta = widthPx - widths[std::size_t(column)];
    // The columns to the right give up at most all they have.
    const double moved = std::min(delta, right);
    if (right > 0.0) {
        for (auto it = self + 1; it != fills.end(); ++it)
            widths[std::size_t(*it)] -= moved * widths[std::size_t(*it)] / right;
    }
    widths[std::size_t(column)] = widthPx;

    double total = 0.0;
    for (int c : fills)
        total += widths[std::size_t(c)];
    for (int c : fills) {
        m_share[std::size_t(c)] =
            total > 0.0 ? widths[std::size_t(c)] / total : 1.0 / double(fills.size());
    }
    // Whole pixels for the case where no free width is there to divide.
    std::vector<double> exact;
    for (int c : fills)
        exact.push_back(widths[std::size_t(c)]);
    setRounded(fills, exact);
}

void FillMode::setRounded(const std::vector<int> &columns, const std::vector<double> &exactPx)
{
    // Cumulative rounding: the whole-pixel widths add up to the rounded total exactly.
    double edge = 0.0;
    int edgePx = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        edge += exactPx[i];
        const int next = int(std::lround(edge));
        m_width[std::size_t(columns[i])] = next - edgePx;
        edgePx = next;
    }
}

void FillMode::layout()
{
    const std::vector<int> fills = shownFillColumns();
    if (fills.empty())
        return;
    int free = m_clientWidth;
    for (std::size_t c = 0; c < m_width.size(); ++c) {
        if (m_shown[c] && !m_fill[c])
            free -= m_width[c];
    }
    if (free <= 0)
        return;
    double shareSum = 0.0;
    for (int c : fills)
        shareSum += m_share[std::size_t(c)];
    std::vector<double> exact;
    for (int c : fills) {
        const double share = shareSum > 0.0 ? m_share[std::size_t(c)] / shareSum
                                            : 1.0 / double(fills.size());
        exact.push_back(share * free);
    }
    setRounded(fills, exact);
}
