#pragma once

#include "platform/regionalsettings.h"

#include <QChartView>
#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QLineSeries;
class QValueAxis;

// The bar-and-line chart of one measurement: one bar per reading with its value text under
// it, and a thick red line at the level of the strength R. Bars and line share one hidden
// vertical scale that follows the values; the line runs on its own hidden top axis so that
// it spans the plot from edge to edge whatever the bar count.
class ReadingsChart : public QChartView
{
    Q_OBJECT

public:
    explicit ReadingsChart(const RegionalSettings &regional, QWidget *parent = nullptr);

    // Removes every bar, label and line point, and the line's highlight.
    void clear();
    // Adds the next bar: a reading of 0 or more in pure blue at its height, a negative one
    // in black at its magnitude; the label under it is the height's value text.
    void addBar(qreal reading);
    // Extends the level line by one point, at x = its index, at the given level (the same
    // for every point of one chart); every 10th point shows the level's value text.
    void addLevelPoint(qreal level);

    // Read-back of what is drawn, straight from the series and axes.
    int barCount() const;
    qreal barHeight(int index) const;
    QColor barColor(int index) const;
    QString barLabel(int index) const;
    QList<QPointF> linePoints() const;
    QColor lineColor() const;
    int linePenWidthPx() const;
    // The indexes of the line points whose value text shows, and that text.
    QList<int> lineMarkIndexes() const;
    QString lineMarkText() const;
    bool isLineHighlighted() const;
    // The shared vertical scale.
    qreal scaleMin() const;
    qreal scaleMax() const;

    QBarSeries *Series1() const { return m_bars; }
    QLineSeries *Series2() const { return m_line; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void applyFont();
    void fitSideMargins();
    void setLineHighlighted(bool on);
    void fitScale();

    RegionalSettings m_regional;
    QBarSet *m_barSet = nullptr;
    QBarSeries *m_bars = nullptr;
    QLineSeries *m_line = nullptr;
    QBarCategoryAxis *m_bottomAxis = nullptr;
    QValueAxis *m_leftAxis = nullptr;
    QValueAxis *m_topAxis = nullptr;
    bool m_lineHighlighted = false;
};
