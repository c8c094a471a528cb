#pragma once

#include "archive/archivehost.h"
#include "platform/progress.h"
#include "tables/measurementtable.h"

#include <QList>
#include <QStringList>

#include <optional>

// A plain in-memory measurement table that keeps every cell as text and records the
// calls a load makes, so tests can check the order of batches, rows and fill modes.
class RecordingTable final : public MeasurementTable
{
public:
    explicit RecordingTable(int columns) : m_columns(columns) {}

    int columnCount() const override { return m_columns; }
    int rowCount() const override { return int(m_rows.size()); }
    QString cellText(int column, int row) const override;
    void setCellText(int column, int row, const QString &text) override;
    void setRowTexts(int row, std::span<const QStringView> texts) override;
    void appendRows(int count) override;
    void clearRows() override;
    void deleteRow(int row) override;
    int currentRow() const override { return -1; }
    int selectedCount() const override { return 0; }
    void setColumnWidth(int, int) override {}
    void setFillMode(int column, bool on) override;
    void beginUpdate() override;
    void endUpdate() override;

    // "clear", "begin", "append 3", "fill 0", "end": every call but cell writes.
    QStringList calls;
    QList<int> fillModeColumns;
    int updateDepth = 0;
    bool cellWrittenOutsideBatch = false;
    // Makes a write that includes this cell raise, as the grid does outside its bounds.
    std::optional<std::pair<int, int>> failAt;

private:
    void checkBounds(int column, int row) const;

    int m_columns;
    QList<QStringList> m_rows;
};

class RecordingProgress final : public Progress
{
public:
    void setMaximum(int value) override { maximum = value; }
    void setValue(int value) override { values.append(value); }

    int maximum = -1;
    QList<int> values;
};

// The main window as the archive commands see it: two recording tables, their archive
// lines and tabs, and a log of the status texts and command-state changes.
class RecordingHost final : public ArchiveHost
{
public:
    RecordingHost();

    MeasurementTable &table(ArchiveKind kind) override { return recordingTable(kind); }
    ArchiveLines &archiveLines(ArchiveKind kind) override;
    void setStatusText(const QString &text) override { statusTexts.append(text); }
    Progress &progress() override { return progressBar; }
    bool isTabVisible(ArchiveKind kind) const override;
    void setTabVisible(ArchiveKind kind, bool visible) override;
    int activePageIndex() const override { return activePage; }
    void setActivePage(ArchiveKind kind) override;
    void alignActiveTable() override { alignedPages.append(activePage); }
    void EnableDataCommands() override { dataCommandsEnabled = true; }
    void DisableDataCommands() override;
    QWidget *dialogParent() override { return nullptr; }

    RecordingTable &recordingTable(ArchiveKind kind);

    RecordingTable basicTable{38};
    RecordingTable individualTable{35};
    ArchiveLines List_b;
    ArchiveLines List_ind;
    RecordingProgress progressBar;
    QStringList statusTexts;
    bool basicTabVisible = false;
    bool individualTabVisible = false;
    int activePage = -1;
    QList<int> alignedPages; // the active page at each align
    bool dataCommandsEnabled = false;
};
