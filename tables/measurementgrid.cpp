#include "tables/measurementgrid.h"

#include "platform/ui/errorsink.h"
#include "tables/measurementmodel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

std::vector<int> startWidths(const TableDefinition &definition)
{
    std::vector<int> widths;
    for (const ColumnDefinition &column : definition.columns)
        widths.push_back(column.widthPx);
    return widths;
}

std::vector<bool> startShown(const TableDefinition &definition)
{
    std::vector<bool> shown;
    for (const ColumnDefinition &column : definition.columns)
        shown.push_back(column.shown);
    return shown;
}

} // namespace

// Draws the selected rows in the highlight colours, the others in the view's own.
class SelectionDelegate final : public QStyledItemDelegate
{
public:
    SelectionDelegate(const RowSelection &selection, QObject *parent)
        : QStyledItemDelegate(parent), m_selection(selection)
    {
    }

    void setColours(const QBrush &background, const QBrush &text)
    {
        m_background = background;
        m_text = text;
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const int row = index.row();
        if (row < 0 || row >= m_selection.rowCount() || !m_selection.isSelected(row))
            return;
        option->backgroundBrush = m_background;
        option->palette.setBrush(QPalette::Text, m_text);
    }

private:
    const RowSelection &m_selection;
    QBrush m_background;
    QBrush m_text;
};

MeasurementGrid::MeasurementGrid(MeasurementModel &model, QWidget *parent)
    : QTableView(parent),
      m_model(&model),
      m_delegate(new SelectionDelegate(m_selection, this)),
      m_fill(startWidths(model.definition()), startShown(model.definition())),
      m_directions(std::size_t(model.definition().columnCount()), Qt::AscendingOrder)
{
    const TableDefinition &definition = model.definition();
    setObjectName(definition.name);
    setFont(QFont(u"Tahoma"_s, 8));
    setModel(m_model);
    setItemDelegate(m_delegate);
    followRows();
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // Fixed row heights: the view never measures rows, so 100k rows cost nothing to scroll.
    QHeaderView *rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);

    QHeaderView *header = horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignCenter);
    // Fill-mode columns may get narrower than any fixed minimum; FillMode keeps the 8 px of
    // the fixed columns itself.
    header->setMinimumSectionSize(0);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    for (int c = 0; c < definition.columnCount(); ++c) {
        header->resizeSection(c, definition.columns[c].widthPx);
        setColumnHidden(c, !definition.columns[c].shown);
    }

    connect(header, &QHeaderView::sectionClicked, this,
            [this](int column) { errorsink::guarded([&] { sortByHeader(column); }); });
    connect(header, &QHeaderView::sectionResized, this, &MeasurementGrid::onSectionResized);
    connect(header, &QHeaderView::sectionMoved, this, &MeasurementGrid::onSectionMoved);
    // New rows (a load swaps them in, a batch announces them) come with their own current row.
    connect(m_model, &QAbstractItemModel::modelReset, this, &MeasurementGrid::showCurrentRow);
    takePaletteColours();
}

MeasurementGrid::~MeasurementGrid() = default;

const TableDefinition &MeasurementGrid::definition() const
{
    return m_model->definition();
}

int MeasurementGrid::columnCount() const
{
    return m_model->columnCount();
}

void MeasurementGrid::deleteRows(const std::vector<int> &rows)
{
    m_model->deleteRows(rows);
    showCurrentRow();
}

void MeasurementGrid::followRows()
{
    m_selection.appendRows(m_model->rowCount());
    connect(m_model, &MeasurementModel::rowsAppended, this,
            [this](int count) { m_selection.appendRows(count); });
    connect(m_model, &MeasurementModel::rowsCleared, this, [this] { m_selection.clear(); });
    connect(m_model, &MeasurementModel::rowsRemoved, this,
            [this](const std::vector<bool> &removed) { m_selection.removeRows(removed); });
    connect(m_model, &MeasurementModel::rowsPermuted, this,
            [this](const std::vector<int> &order) { m_selection.permute(order); });
}

int MeasurementGrid::currentRow() const
{
    return m_selection.currentRow();
}

int MeasurementGrid::selectedCount() const
{
    return m_selection.selectedCount();
}

std::vector<int> MeasurementGrid::selectedRows() const
{
    return m_selection.selectedRows();
}

void MeasurementGrid::click(int row, Qt::KeyboardModifiers modifiers)
{
    m_selection.click(row, modifiers);
    viewport()->update();
}

bool MeasurementGrid::validColumn(int column) const
{
    return column >= 0 && column < columnCount();
}

void MeasurementGrid::setColumnWidth(int column, int widthPx)
{
    if (!validColumn(column))
        return;
    m_fill.setWidth(column, widthPx);
    applyWidths();
}

void MeasurementGrid::setFillMode(int column, bool on)
{
    if (!validColumn(column))
        return;
    m_fill.setFill(column, on);
    applyWidths();
}

bool MeasurementGrid::isFillMode(int column) const
{
    return validColumn(column) && m_fill.isFill(column);
}

int MeasurementGrid::columnWidthPx(int column) const
{
    return validColumn(column) ? m_fill.widthPx(column) : 0;
}

void MeasurementGrid::sortByHeader(int column)
{
    if (!validColumn(column))
        return;
    Qt::SortOrder &direction = m_directions[std::size_t(column)];
    if (column == m_sortColumn)
        direction = direction == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_sortColumn = column;
    m_model->sortRows(column, direction);
    horizontalHeader()->setSortIndicator(column, direction);
    showCurrentRow();
}

Qt::SortOrder MeasurementGrid::sortDirection(int column) const
{
    return validColumn(column) ? m_directions[std::size_t(column)] : Qt::AscendingOrder;
}

void MeasurementGrid::applyWidths()
{
    m_applyingWidths = true;
    QHeaderView *header = horizontalHeader();
    for (int c = 0; c < columnCount(); ++c) {
        if (!header->isSectionHidden(c) && header->sectionSize(c) != m_fill.widthPx(c))
            header->resizeSection(c, m_fill.widthPx(c));
    }
    m_applyingWidths = false;
}

void MeasurementGrid::onSectionResized(int column, int, int newSizePx)
{
    // A user dragging a header edge sets that column's width, as setColumnWidth would.
    if (m_applyingWidths || horizontalHeader()->isSectionHidden(column))
        return;
    m_fill.setWidth(column, newSizePx);
    applyWidths();
}

void MeasurementGrid::onSectionMoved()
{
    std::vector<int> order;
    for (int visual = 0; visual < columnCount(); ++visual)
        order.push_back(horizontalHeader()->logicalIndex(visual));
    m_fill.setVisualOrder(std::move(order));
    applyWidths();
}

void MeasurementGrid::takePaletteColours()
{
    const QBrush background = palette().brush(QPalette::Active, QPalette::Highlight);
    const QBrush text = palette().brush(QPalette::Active, QPalette::HighlightedText);
    m_model->setHighlightColours(background, text);
    m_delegate->setColours(background, text);
    viewport()->update();
}

void MeasurementGrid::showCurrentRow()
{
    // The view's own current index only draws the focus frame; it follows ours.
    const int row = currentRow();
    if (row < 0 || row >= m_model->rowCount(QModelIndex())) {
        selectionModel()->clearCurrentIndex();
        return;
    }
    const int column = currentIndex().isValid() ? currentIndex().column()
                                                : horizontalHeader()->logicalIndex(0);
    selectionModel()->setCurrentIndex(m_model->index(row, column), QItemSelectionModel::NoUpdate);
}

void MeasurementGrid::mousePressEvent(QMouseEvent *event)
{
    QTableView::mousePressEvent(event);
    const int row = rowAt(event->position().toPoint().y());
    if (event->button() == Qt::LeftButton && row >= 0)
        click(row, event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier));
    showCurrentRow();
}

void MeasurementGrid::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging selects nothing: only clicks select.
    event->accept();
}

void MeasurementGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit tableDoubleClicked();
    event->accept();
}

int MeasurementGrid::keyTargetRow(int key) const
{
    const int rows = m_model->rowCount(QModelIndex());
    const int current = currentRow();
    const int rowHeightPx = std::max(1, verticalHeader()->defaultSectionSize());
    const int page = std::max(1, viewport()->height() / rowHeightPx);
    switch (key) {
    case Qt::Key_Up:
        return current < 0 ? 0 : std::max(0, current - 1);
    case Qt::Key_Down:
        return std::min(rows - 1, current + 1);
    case Qt::Key_PageUp:
        return std::max(0, current - page);
    case Qt::Key_PageDown:
        return std::min(rows - 1, std::max(0, current) + page);
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return rows - 1;
    default:
        return -1;
    }
}

void MeasurementGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete) {
        if (definition().deletesOnDeleteKey)
            emit deleteKeyPressed();
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: {
        // Keys move the current row like a plain click, or like a Shift+click with Shift.
        const int row = keyTargetRow(event->key());
        if (row >= 0) {
            click(row, event->modifiers() & Qt::ShiftModifier);
            showCurrentRow();
            scrollTo(currentIndex());
        }
        event->accept();
        return;
    }
    default:
        QTableView::keyPressEvent(event);
    }
}

void MeasurementGrid::focusInEvent(QFocusEvent *event)
{
    // The view would make its first row current on focus; the table keeps "no current row".
    QTableView::focusInEvent(event);
    showCurrentRow();
}

void MeasurementGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        takePaletteColours();
}

bool MeasurementGrid::viewportEvent(QEvent *event)
{
    const bool handled = QTableView::viewportEvent(event);
    if (event->type() == QEvent::Resize) {
        m_fill.setClientWidth(viewport()->width());
        applyWidths();
    }
    return handled;
}
