#include "preview/previewarea.h"

#include "preview/reportpainter.h"
#include "report/preparedpage.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

PreviewArea::PreviewArea(QWidget *parent) : QAbstractScrollArea(parent)
{
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
}

QSize PreviewArea::pageSizePx()
{
    return QSize(int(std::lround(reportpaper::widthMm * reportpaper::pxPerMm)),
                 int(std::lround(reportpaper::heightMm * reportpaper::pxPerMm)));
}

void PreviewArea::setReport(const PreparedReport *report)
{
    m_report = report;
    pagesChanged();
}

void PreviewArea::pagesChanged()
{
    updateScrollBars();
    viewport()->update();
}

int PreviewArea::pageCount() const
{
    return m_report ? int(m_report->pages.size()) : 0;
}

int PreviewArea::firstVisiblePage() const
{
    if (pageCount() == 0)
        return -1;
    const int stride = pageSizePx().height() + pageGapPx();
    const int page = (verticalScrollBar()->value() - pageGapPx() / 2) / stride;
    return qBound(0, page, pageCount() - 1);
}

QRect PreviewArea::pageRect(int page) const
{
    const QSize size = pageSizePx();
    const int contentWidth = size.width() + 2 * pageGapPx();
    const int x = contentWidth <= viewport()->width() ? (viewport()->width() - size.width()) / 2
                                                      : pageGapPx() - horizontalScrollBar()->value();
    const int y = pageGapPx() + page * (size.height() + pageGapPx()) - verticalScrollBar()->value();
    return QRect(QPoint(x, y), size);
}

void PreviewArea::updateScrollBars()
{
    const QSize size = pageSizePx();
    const int contentHeight = pageGapPx() + pageCount() * (size.height() + pageGapPx());
    const int contentWidth = size.width() + 2 * pageGapPx();
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, qMax(0, contentHeight - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, qMax(0, contentWidth - viewport()->width()));
}

void PreviewArea::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PreviewArea::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), QColor(0x80, 0x80, 0x80));
    const int first = firstVisiblePage();
    if (first < 0)
        return;
    const double marginPx = reportpaper::marginMm * reportpaper::pxPerMm;
    for (int page = first; page < pageCount(); ++page) {
        const QRect rect = pageRect(page);
        if (rect.top() > viewport()->height())
            break;
        if (!rect.intersects(event->rect()))
            continue;
        painter.fillRect(rect, Qt::white);
        painter.save();
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.translate(rect.left() + marginPx, rect.top() + marginPx);
        paintPage(painter, m_report->pages[size_t(page)]);
        painter.restore();
    }
}
