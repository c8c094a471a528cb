#pragma once

#include "platform/progress.h"

class QString;

// What a load shows while it runs: the progress bar, and the status text naming the archive
// and its record count, which must be visible at once since the load blocks the window.
class LoadProgress : public Progress
{
public:
    virtual void setStatusText(const QString &text) = 0;
};

// For a load that shows nothing while it runs: the command line, tests and benchmarks.
class NullLoadProgress final : public LoadProgress
{
public:
    void setMaximum(int) override {}
    void setValue(int) override {}
    void setStatusText(const QString &) override {}
};
