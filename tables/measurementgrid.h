#pragma once

#include "tables/fillmode.h"
#include "tables/measurementtable.h"
#include "tables/tabledefinition.h"

#include <QTableView>

#include <vector>

class MeasurementModel;
struct RegionalSettings;

// A measurement table on screen: the view over its own model, set up from a table
// definition. Rows are selected by the mouse rules of RowSelection, sorted by a header click,
// and never edited; columns can be moved and resized, and fill-mode columns share the width
// the fixed ones leave. Tab moves the focus on to the next control.
class MeasurementGrid : public QTableView, public MeasurementTable
{
    Q_OBJECT

public:
    MeasurementGrid(const TableDefinition &definition, const RegionalSettings &settings,
                    QWidget *parent = nullptr);
    ~MeasurementGrid() override;

    const TableDefinition &definition() const;

    // MeasurementTable.
    int columnCount() const override;
    int rowCount() const override;
    QString cellText(int column, int row) const override;
    void setCellText(int column, int row, const QString &text) override;
    void setRowTexts(int row, std::span<const QStringView> texts) override;
    void appendRows(int count) override;
    void clearRows() override;
    void deleteRow(int row) override;
    int currentRow() const override;
    int selectedCount() const override;
    void setColumnWidth(int column, int widthPx) override;
    void setFillMode(int column, bool on) override;
    void beginUpdate() override;
    void endUpdate() override;

    // Ascending row indexes.
    std::vector<int> selectedRows() const;
    // Removes the given rows in one pass (outside ones ignored); the current row stays on its
    // measurement when that survives, and is -1 otherwise.
    void deleteRows(const std::vector<int> &rows);

    // What a click on a column's header does: that column becomes the sort column and the
    // rows are sorted by it in its kept direction; a click on the sort column flips it first.
    void sortByHeader(int column);
    // -1 before the first sort.
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortDirection(int column) const;

    bool isFillMode(int column) const;
    int columnWidthPx(int column) const;

signals:
    // A double-click anywhere on the rows' area; the current row tells which measurement.
    void tableDoubleClicked();
    // The Delete key, with any modifiers, on a table whose definition deletes on it.
    void deleteKeyPressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    // The tables have no search: a typed letter or digit leaves the current row where it is.
    void keyboardSearch(const QString &) override {}

private:
    bool validColumn(int column) const;
    void applyWidths();
    void onSectionResized(int column, int oldSizePx, int newSizePx);
    void onSectionMoved();
    void takePaletteColours();
    void showCurrentRow();
    int keyTargetRow(int key) const;

    MeasurementModel *m_model;
    FillMode m_fill;
    std::vector<Qt::SortOrder> m_directions;
    int m_sortColumn = -1;
    bool m_applyingWidths = false;
};
