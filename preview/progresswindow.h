#pragma once

#include "platform/progress.h"

#include <QWidget>

class QProgressBar;

// The small progress window of the exports: a non-modal tool window with a bar. It shows
// itself on the first setMaximum() and lets the event loop repaint (no user input) on each
// setValue(), so the program stays drawn while pages are built and written. Make one per
// export and let it go when the export returns; that closes it.
class ProgressWindow final : public QWidget, public Progress
{
    Q_OBJECT

public:
    explicit ProgressWindow(const QString &text, QWidget *parent = nullptr);

    void setMaximum(int maximum) override;
    void setValue(int value) override;

private:
    QProgressBar *m_bar;
};
