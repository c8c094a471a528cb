#include "app/statusbarprogress.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include <algorithm>

void StatusBarProgress::setMaximum(int maximum)
{
    // An empty range is Qt's animated busy bar; a load of no records shows an empty bar.
    m_bar->setMaximum(std::max(maximum, m_bar->minimum() + 1));
    m_drawnPx = -1;
}

void StatusBarProgress::setValue(int value)
{
    m_bar->setValue(value);
    const int span = m_bar->maximum() - m_bar->minimum();
    const int lengthPx = span > 0 ? int(qint64(m_bar->value() - m_bar->minimum()) * m_bar->width() / span) : 0;
    if (lengthPx != m_drawnPx) {
        m_drawnPx = lengthPx;
        m_bar->repaint();
    }
}

void StatusBarProgress::setStatusText(const QString &text)
{
    m_panel->setText(text);
    m_statusBar->repaint();
}
