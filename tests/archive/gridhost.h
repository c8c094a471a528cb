#pragma once

#include "archive/archivehost.h"
#include "platform/progress.h"
#include "tables/measurementgrid.h"

struct RegionalSettings;

// The main window's side of the archive commands with the real grids, for tests and
// benchmarks that load into what the user sees; tabs and pages are plain flags.
class GridHost final : public ArchiveHost
{
public:
    explicit GridHost(const RegionalSettings &settings);

    MeasurementTable &table(ArchiveKind kind) override { return grid(kind); }
    ArchiveLines &archiveLines(ArchiveKind kind) override;
    void setStatusText(const QString &) override {}
    Progress &progress() override { return m_progress; }
    bool isTabVisible(ArchiveKind kind) const override;
    void setTabVisible(ArchiveKind kind, bool visible) override;
    int activePageIndex() const override { return m_activePage; }
    void setActivePage(ArchiveKind kind) override;
    void alignActiveTable() override {}
    void EnableDataCommands() override {}
    void DisableDataCommands() override {}
    QWidget *dialogParent() override { return nullptr; }

    MeasurementGrid &grid(ArchiveKind kind);

private:
    MeasurementGrid m_basic;
    MeasurementGrid m_individual;
    ArchiveLines m_basicLines;
    ArchiveLines m_individualLines;
    NullProgress m_progress;
    bool m_tabVisible[2] = {false, false};
    int m_activePage = -1;
};
