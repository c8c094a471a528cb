#pragma once

#include "platform/regionalsettings.h"
#include "tables/rowselection.h"
#include "tables/measurementtable.h"
#include "tables/rowstore.h"
#include "tables/tabledefinition.h"

#include <QAbstractTableModel>
#include <QBrush>

#include <span>
#include <vector>

// The cells of one measurement table, as a Qt model for its views. Cells are addressed by
// column index (the definition's order) and row index (the current sort order). Nothing in
// the model is editable through a view. It needs no view: a load fills one that no view shows
// yet. What a view keeps per row (current row, selection) follows the rows through the row
// signals, which come at once, also inside a batch.
//
// Update batches nest: while one is open the model tells its views nothing about rows or
// cells; closing the outermost batch announces the new rows (or the changed cells) once.
class MeasurementModel : public QAbstractTableModel, public MeasurementTable
{
    Q_OBJECT

public:
    MeasurementModel(const TableDefinition &definition, const RegionalSettings &settings,
                     QObject *parent = nullptr);

    const TableDefinition &definition() const { return m_definition; }

    // QAbstractItemModel. This rowCount is the number of rows the views were last told of.
    int rowCount(const QModelIndex &parent) const override;
    int columnCount(const QModelIndex &parent) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // MeasurementTable. This rowCount is the number of rows held now, also inside a batch.
    int rowCount() const override { return m_store.rowCount(); }
    int columnCount() const override { return m_definition.columnCount(); }
    QString cellText(int column, int row) const override;
    void setCellText(int column, int row, const QString &text) override;
    void setRowTexts(int row, std::span<const QStringView> texts) override;
    void appendRows(int count) override;
    void clearRows() override;
    void deleteRow(int row) override;
    void beginUpdate() override;
    void endUpdate() override;
    int updateDepth() const { return m_updateDepth; }

    // Removes the given rows (any order, outside ones ignored) in one pass.
    void deleteRows(const std::vector<int> &rows);
    // Reorders the rows themselves, stably (rowsPermuted tells the views how).
    void sortRows(int column, Qt::SortOrder order);

    // Takes the rows of other, a model of the same table outside any batch, in one reset of
    // the views; other is left with this model's old rows. Views and readers of this model
    // keep it: only its content changes, and to them the rows are new ones.
    void swapRows(MeasurementModel &other);

    // Colours of highlighted headers, from the view's palette.
    void setHighlightColours(const QBrush &background, const QBrush &text);

signals:
    // count rows were added at the end.
    void rowsAppended(int count);
    // Every row went; the rows there now, if any, follow as appended ones.
    void rowsCleared();
    // The flagged rows went; the others keep their order.
    void rowsRemoved(const std::vector<bool> &removed);
    // Row i is now the row that was at order[i].
    void rowsPermuted(const std::vector<int> &order);

private:
    void checkCell(int column, int row) const;
    // Text that does not parse is the zero date.
    void setDateText(int row, QStringView text);
    void rowsChanged();
    void cellsChanged(int firstRow, int lastRow);
    void removeFlagged(const std::vector<bool> &remove);

    TableDefinition m_definition;
    RegionalSettings m_settings;
    RowStore m_store;
    int m_announcedRows = 0;
    int m_updateDepth = 0;
    bool m_rowsChangedInBatch = false;
    bool m_cellsChangedInBatch = false;
    QBrush m_highlight;
    QBrush m_highlightedText;
};
