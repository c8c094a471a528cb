#include "chart/readingschart.h"

#include "platform/regionalformat.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QEvent>
#include <QFontMetrics>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

const QColor kPositiveBar(0, 0, 255);
const QColor kNegativeBar(0, 0, 0);
const QColor kLine(255, 0, 0);
const QColor kLineHighlighted(255, 128, 128);
const QColor kMarkText(0, 0, 0);
constexpr int kLinePenWidthPx = 5;
constexpr int kMarkEvery = 10;
constexpr qreal kBarWidth = 0.7; // share of a category's width
constexpr int kSideMarginPx = 20;
constexpr int kMarkPadPx = 4;
constexpr qreal kHeadroomDivisor = 20; // 5 % of the values' span

// Equal readings are common, but a category axis keeps only distinct labels: a repeat gets
// zero-width spaces, which draw nothing, until it is distinct.
constexpr char16_t kLabelPad = u'\u200b';

} // namespace

ReadingsChart::ReadingsChart(const RegionalSettings &regional, QWidget *parent)
    : QChartView(new QChart, parent), m_regional(regional)
{
    // The chart goes to the view's constructor: a view made without one makes its own, which
    // setChart would only release, never delete.
    QChart *chart = this->chart();
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->hide();
    // White from edge to edge of the window, with no frame of the widget's colour around it.
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    setFrameShape(QFrame::NoFrame);
    setBackgroundBrush(Qt::white);
    setRenderHint(QPainter::Antialiasing);

    m_barSet = new QBarSet(QString());
    m_bars = new QBarSeries;
    m_bars->append(m_barSet);
    m_bars->setBarWidth(kBarWidth);
    m_bars->setLabelsVisible(false);

    m_line = new QLineSeries;
    m_line->setPointsVisible(false);
    m_line->setPointLabelsVisible(true);
    // The mark at point 0 sits on the plot's left edge; clipped it would lose half its text.
    m_line->setPointLabelsClipping(false);

    chart->addSeries(m_bars);
    chart->addSeries(m_line);

    // Colours go on after the series join the chart, where the theme would otherwise
    // repaint them.
    m_barSet->setColor(kPositiveBar);
    m_barSet->setSelectedColor(kNegativeBar);
    m_barSet->setPen(Qt::NoPen);
    m_line->setPen(QPen(kLine, kLinePenWidthPx));
    m_line->setPointLabelsColor(kMarkText);

    m_bottomAxis = new QBarCategoryAxis;
    m_leftAxis = new QValueAxis;
    m_topAxis = new QValueAxis;
    chart->addAxis(m_bottomAxis, Qt::AlignBottom);
    chart->addAxis(m_leftAxis, Qt::AlignLeft);
    chart->addAxis(m_topAxis, Qt::AlignTop);
    m_leftAxis->setVisible(false);
    m_leftAxis->setGridLineVisible(false);
    m_topAxis->setVisible(false);
    m_topAxis->setGridLineVisible(false);
    m_bars->attachAxis(m_bottomAxis);
    m_bars->attachAxis(m_leftAxis);
    m_line->attachAxis(m_topAxis);
    m_line->attachAxis(m_leftAxis);

    applyFont();
    connect(m_line, &QLineSeries::hovered, this,
            [this](const QPointF &, bool over) { setLineHighlighted(over); });

    fitScale();
}

void ReadingsChart::clear()
{
    m_barSet->remove(0, m_barSet->count());
    m_bottomAxis->clear();
    m_line->clear();
    m_line->clearPointsConfiguration();
    // A pointer that rested on the old line sends no leave for it.
    setLineHighlighted(false);
    fitScale();
}

void ReadingsChart::addBar(qreal reading)
{
    const qreal height = std::abs(reading);
    QString label = regional::formatNumber(height, m_regional);
    const QStringList taken = m_bottomAxis->categories();
    while (taken.contains(label))
        label += QChar(kLabelPad);
    m_bottomAxis->append(label);

    m_barSet->append(height);
    // The set's colour is the blue; a "selected" bar takes the black.
    m_barSet->setBarSelected(m_barSet->count() - 1, reading < 0);
    fitScale();
}

void ReadingsChart::addLevelPoint(qreal level)
{
    const int index = m_line->count();
    m_line->append(index, level);
    // Without a tag the format is the text itself: the level in the regional pattern.
    m_line->setPointLabelsFormat(regional::formatNumber(level, m_regional));
    fitSideMargins();
    m_line->setPointConfiguration(index, QXYSeries::PointConfiguration::LabelVisibility,
                                  index % kMarkEvery == 0);
    fitScale();
}

int ReadingsChart::barCount() const
{
    return m_barSet->count();
}

qreal ReadingsChart::barHeight(int index) const
{
    return m_barSet->at(index);
}

QColor ReadingsChart::barColor(int index) const
{
    return m_barSet->isBarSelected(index) ? m_barSet->selectedColor() : m_barSet->color();
}

QString ReadingsChart::barLabel(int index) const
{
    QString label = m_bottomAxis->at(index);
    label.remove(QChar(kLabelPad));
    return label;
}

QList<QPointF> ReadingsChart::linePoints() const
{
    return m_line->points();
}

QColor ReadingsChart::lineColor() const
{
    return m_line->pen().color();
}

int ReadingsChart::linePenWidthPx() const
{
    return m_line->pen().width();
}

QList<int> ReadingsChart::lineMarkIndexes() const
{
    QList<int> indexes;
    for (int i = 0; i < m_line->count(); ++i) {
        const auto config = m_line->pointConfiguration(i);
        const QVariant shown = config.value(QXYSeries::PointConfiguration::LabelVisibility,
                                            m_line->pointLabelsVisible());
        if (m_line->pointLabelsVisible() && shown.toBool())
            indexes.append(i);
    }
    return indexes;
}

QString ReadingsChart::lineMarkText() const
{
    return m_line->pointLabelsFormat();
}

bool ReadingsChart::isLineHighlighted() const
{
    return m_lineHighlighted;
}

qreal ReadingsChart::scaleMin() const
{
    return m_leftAxis->min();
}

qreal ReadingsChart::scaleMax() const
{
    return m_leftAxis->max();
}

void ReadingsChart::changeEvent(QEvent *event)
{
    QChartView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyFont();
}

// The chart's texts are graphics items, which take no font from the widget of their own.
void ReadingsChart::applyFont()
{
    m_bottomAxis->setLabelsFont(font());
    m_line->setPointLabelsFont(font());
    fitSideMargins();
}

// The mark of point 0 is centred on the plot's left edge: the margin beside the plot leaves
// room for half of it, so no digit of the level is cut off by the window's edge.
void ReadingsChart::fitSideMargins()
{
    const int halfMarkPx =
        QFontMetrics(m_line->pointLabelsFont()).horizontalAdvance(m_line->pointLabelsFormat()) / 2
        + kMarkPadPx;
    QMargins margins = chart()->margins();
    margins.setLeft(std::max(kSideMarginPx, halfMarkPx));
    margins.setRight(margins.left());
    chart()->setMargins(margins);
}

void ReadingsChart::setLineHighlighted(bool on)
{
    m_lineHighlighted = on;
    QPen pen = m_line->pen();
    pen.setColor(on ? kLineHighlighted : kLine);
    m_line->setPen(pen);
}

// The vertical scale holds every bar from its base at 0 and the whole line; the line's own
// axis puts its first point on the left edge of the plot and its last on the right.
void ReadingsChart::fitScale()
{
    qreal low = 0;
    qreal high = 0;
    for (int i = 0; i < m_barSet->count(); ++i)
        high = std::max(high, m_barSet->at(i));
    for (const QPointF &point : m_line->points()) {
        low = std::min(low, point.y());
        high = std::max(high, point.y());
    }
    if (high <= low)
        high = low + 1;
    // A little room above the highest value for the line's marks; none where it would
    // overflow, at the very top of the number range.
    const qreal headroom = high / kHeadroomDivisor - low / kHeadroomDivisor;
    m_leftAxis->setRange(low, std::isfinite(high + headroom) ? high + headroom : high);

    const int lastPoint = m_line->count() - 1;
    if (lastPoint > 0)
        m_topAxis->setRange(0, lastPoint);
    else
        m_topAxis->setRange(-1, 1);
}
