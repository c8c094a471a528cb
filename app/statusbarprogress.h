#pragma once

#include "archive/loadprogress.h"

class QLabel;
class QProgressBar;
class QStatusBar;

// A load's progress on the status bar: its text in panel 0, its position on the progress
// bar. The load blocks the event loop, so the status bar repaints the text at once, and the
// bar repaints itself, but only when its drawn length changes.
class StatusBarProgress final : public LoadProgress
{
public:
    StatusBarProgress(QProgressBar *bar, QLabel *panel, QStatusBar *statusBar)
        : m_bar(bar), m_panel(panel), m_statusBar(statusBar)
    {
    }

    void setMaximum(int maximum) override;
    void setValue(int value) override;
    void setStatusText(const QString &text) override;

private:
    QProgressBar *m_bar;
    QLabel *m_panel;
    QStatusBar *m_statusBar;
    int m_drawnPx = -1;
};
