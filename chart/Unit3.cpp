#include "chart/Unit3.h"

#include "chart/readingschart.h"
#include "platform/regionalformat.h"
#include "platform/ui/errorsink.h"
#include "tables/cellsource.h"
#include "tables/chartselection.h"
#include "tables/tabledefinition.h"

#include <QFont>
#include <QKeyEvent>
#include <QShowEvent>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int kStartWidthPx = 824;
constexpr int kStartHeightPx = 505;

} // namespace

TForm3::TForm3(const CellSource &basic, const CellSource &individual,
               const ChartSelection &selection, const RegionalSettings &regional,
               QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowCloseButtonHint)
    , m_basic(basic)
    , m_individual(individual)
    , m_selection(selection)
    , m_regional(regional)
    , m_mainWindow(mainWindow)
    , m_chart(new ReadingsChart(regional, this))
{
    setWindowTitle(u"Form3"_s);
    setFont(QFont(u"Tahoma"_s, 8));
    m_chart->setObjectName(u"Chart1"_s);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_chart);
    resize(kStartWidthPx, kStartHeightPx);
}

void TForm3::FormShow()
{
    m_chart->hide();
    m_chart->clear();

    if (!m_selection.ChartSource)
        return;
    const TableKind kind = *m_selection.ChartSource;
    const CellSource &table = kind == TableKind::Basic ? m_basic : m_individual;
    const TableDefinition &columns = definitionOf(kind);

    const int row = m_selection.ChartRow;
    for (int i = 0; i < m_selection.ReadingCount; ++i) {
        m_chart->addBar(regional::toNumberOrThrow(
            table.cellText(columns.firstReadingColumn + i, row), m_regional));
        m_chart->addLevelPoint(
            regional::toNumberOrThrow(table.cellText(columns.strengthColumn, row), m_regional));
        setWindowTitle(u"Диаграмма единичных значений R, измерение № "_s
                       + table.cellText(columns.rowNumberColumn, row));
        m_chart->show();
    }
}

void TForm3::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Spontaneous show events come from the window system (a restore), not from a new chart.
    if (event->spontaneous())
        return;
    centreOverMainWindow();
    // A text that is not a number goes to the error box; the window opens all the same,
    // with what was added before it.
    errorsink::guarded([this] { FormShow(); });
}

// The window has no command of its own, not even the dialog's Escape: only its close
// button ends the show.
void TForm3::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm3::centreOverMainWindow()
{
    if (!m_mainWindow)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(m_mainWindow->frameGeometry().center());
    move(frame.topLeft());
}
