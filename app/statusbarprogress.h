#pragma once

#include "platform/progress.h"

class QProgressBar;

// The loader's progress on the status bar's progress bar. The load blocks the event loop,
// so the bar repaints itself, but only when its drawn length changes.
class StatusBarProgress final : public Progress
{
public:
    explicit StatusBarProgress(QProgressBar *bar) : m_bar(bar) {}

    void setMaximum(int maximum) override;
    void setValue(int value) override;

private:
    QProgressBar *m_bar;
    int m_drawnPx = -1;
};
