#pragma once

#include "platform/regionalsettings.h"
#include "tables/measurementgrid.h"
#include "tables/measurementmodel.h"
#include "tables/tabledefinition.h"

#include <QHeaderView>
#include <QStringList>
#include <QTest>

#include <memory>

// A shown grid over a model of the given table, for driving it with real mouse and key events.
struct GridFixture
{
    static RegionalSettings dayMonthYear()
    {
        RegionalSettings settings;
        settings.decimalSeparator = u',';
        settings.shortDateFormat = QStringLiteral("dd.MM.yyyy");
        settings.longTimeFormat = QStringLiteral("H:mm:ss");
        return settings;
    }

    explicit GridFixture(const TableDefinition &definition = definitionOf(TableKind::Basic))
        : model(std::make_unique<MeasurementModel>(definition, dayMonthYear())),
          grid(std::make_unique<MeasurementGrid>(*model))
    {
        grid->resize(900, 500);
        grid->show();
    }

    bool exposed() { return QTest::qWaitForWindowExposed(grid.get()); }

    // Rows numbered "1".."n" in column 0, like a load writes them.
    void numberedRows(int count)
    {
        model->appendRows(count);
        for (int row = 0; row < count; ++row)
            model->setCellText(0, row, QString::number(row + 1));
    }

    // The texts of a column, top to bottom.
    QStringList column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < model->rowCount(); ++row)
            texts.append(model->cellText(column, row));
        return texts;
    }

    void clickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QRect rect = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, rect.center());
    }

    // A point of the rows' area below the last row.
    QPoint belowRows() const
    {
        const int last = model->rowCount() - 1;
        const QRect rect = grid->visualRect(grid->model()->index(last, 0));
        return QPoint(rect.center().x(), rect.bottom() + 3 * rect.height());
    }

    // A real double-click: press and release, then the double-click press.
    void doubleClickAt(QPoint at)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    }

    void doubleClickRow(int row)
    {
        doubleClickAt(grid->visualRect(grid->model()->index(row, 0)).center());
    }

    void clickHeader(int column)
    {
        QHeaderView *header = grid->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    // Plays a script of clicks: "3;S5;C7;CS9" is a plain click on row 3, Shift+click on
    // row 5, Ctrl+click on 7, Ctrl+Shift+click on 9; "B" clicks below the last row.
    void playClicks(const QString &script)
    {
        for (const QString &step : script.split(u';', Qt::SkipEmptyParts)) {
            if (step == u"B") {
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, belowRows());
                continue;
            }
            Qt::KeyboardModifiers modifiers;
            qsizetype digits = 0;
            while (digits < step.size() && !step.at(digits).isDigit()) {
                modifiers |= step.at(digits) == u'C' ? Qt::ControlModifier : Qt::ShiftModifier;
                ++digits;
            }
            clickRow(step.mid(digits).toInt(), modifiers);
        }
    }

    std::unique_ptr<MeasurementModel> model;
    std::unique_ptr<MeasurementGrid> grid;
};
