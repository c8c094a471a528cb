#pragma once

#include "tables/fillmode.h"
#include "tables/rowselection.h"
#include "tables/tabledefinition.h"

#include <QTableView>

#include <vector>

class MeasurementModel;
class SelectionDelegate;

// A measurement table on screen: a view given the table's model, set up from its table
// definition. Rows are selected by the mouse rules of RowSelection, sorted by a header click,
// and never edited; columns can be moved and resized, and fill-mode columns share the width
// the fixed ones leave. Tab moves the focus on to the next control. The current row and the
// selection are the view's: they follow their rows when the model sorts or removes rows, and
// new rows in place of all the old (a load's) come with none.
class MeasurementGrid : public QTableView
{
    Q_OBJECT

public:
    // The model must outlive the grid.
    explicit MeasurementGrid(MeasurementModel &model, QWidget *parent = nullptr);
    ~MeasurementGrid() override;

    const TableDefinition &definition() const;
    MeasurementModel &tableModel() const { return *m_model; }

    // The row clicked last, -1 for none.
    int currentRow() const;
    int selectedCount() const;
    // Fill-mode columns take w as their requested width; fixed ones take it, at least 8 px.
    // A column outside the table is ignored.
    void setColumnWidth(int column, int widthPx);
    void setFillMode(int column, bool on);

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
    int columnCount() const;
    bool validColumn(int column) const;
    void applyWidths();
    void onSectionResized(int column, int oldSizePx, int newSizePx);
    void onSectionMoved();
    void takePaletteColours();
    void showCurrentRow();
    int keyTargetRow(int key) const;
    void click(int row, Qt::KeyboardModifiers modifiers);
    void followRows();

    MeasurementModel *m_model;
    RowSelection m_selection;
    SelectionDelegate *m_delegate;
    FillMode m_fill;
    std::vector<Qt::SortOrder> m_directions;
    int m_sortColumn = -1;
    bool m_applyingWidths = false;
};
