#pragma once

#include "platform/regionalsettings.h"

#include <QDialog>

class CellSource;
class ReadingsChart;
struct ChartSelection;

// The readings chart window: the readings of the measurement picked by a table double-click
// as bars, its strength R as a red line. Created once and shown modally for every chart; each
// show fills it anew from the chosen table.
class TForm3 : public QDialog
{
    Q_OBJECT

public:
    // The tables, the selection and the main window must outlive the window.
    TForm3(const CellSource &basic, const CellSource &individual, const ChartSelection &selection,
           const RegionalSettings &regional, QWidget *mainWindow);

    // Rebuilds the chart from the selection. Adds the points in reading order, setting the
    // caption and showing the chart after each one; raises AppError on the first reading or
    // strength text that is not a number, keeping the points added before it.
    void FormShow();

    ReadingsChart *Chart1() const { return m_chart; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void centreOverMainWindow();

    const CellSource &m_basic;
    const CellSource &m_individual;
    const ChartSelection &m_selection;
    RegionalSettings m_regional;
    QWidget *m_mainWindow;
    ReadingsChart *m_chart;
};
