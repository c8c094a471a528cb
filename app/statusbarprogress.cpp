#include "app/statusbarprogress.h"

#include <QProgressBar>

void StatusBarProgress::setMaximum(int maximum)
{
    m_bar->setMaximum(maximum);
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
