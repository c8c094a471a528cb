#pragma once

#include "archive/loadprogress.h"
#include "tables/measurementtable.h"

#include <QList>
#include <QStringList>

#include <optional>
#include <stdexcept>

// A plain in-memory measurement table that keeps every cell as text and records the
// calls a fill makes, so tests can check the order of batches and rows.
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
    void beginUpdate() override;
    void endUpdate() override;

    // "clear", "begin", "append 3", "end": every call but cell writes.
    QStringList calls;
    int updateDepth = 0;
    bool cellWrittenOutsideBatch = false;
    // Makes a write that includes this cell raise, as the model does outside its bounds.
    std::optional<std::pair<int, int>> failAt;

private:
    void checkBounds(int column, int row) const;

    int m_columns;
    QList<QStringList> m_rows;
};

// Records what a load shows: the progress bar's maximum and positions, and the status texts.
class RecordingProgress final : public LoadProgress
{
public:
    void setMaximum(int value) override { maximum = value; }
    void setValue(int value) override
    {
        values.append(value);
        if (failAtValue && value == *failAtValue)
            throw std::runtime_error("the progress failed");
    }
    void setStatusText(const QString &text) override { statusTexts.append(text); }

    int maximum = -1;
    QList<int> values;
    QStringList statusTexts;
    // Makes the progress raise when it reaches this value, half-way through a fill.
    std::optional<int> failAtValue;
};
