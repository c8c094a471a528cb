#pragma once

// Long work (loading, report building, exports) reports through this; the main window's
// status bar implements it, tests and benchmarks use NullProgress.
class Progress
{
public:
    virtual ~Progress() = default;
    virtual void setMaximum(int maximum) = 0;
    virtual void setValue(int value) = 0;
};

class NullProgress final : public Progress
{
public:
    void setMaximum(int) override {}
    void setValue(int) override {}
};
