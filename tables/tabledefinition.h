#pragma once

#include "tables/tablekind.h"

#include <QList>
#include <QString>
#include <Qt>

// What a cell holds: text, or (the date column) a date and time kept as a number.
enum class CellKind { Text, Date, Time };

// How a header click compares the cells of a column.
enum class SortKind { Numeric, Date, Alphabetic };

// Highlight: the palette's Highlight colour behind HighlightedText; Style: the style's own.
enum class HeaderColour { Highlight, Style };

struct ColumnDefinition
{
    QString header;
    CellKind kind = CellKind::Text;
    int widthPx = 80;
    bool shown = true;
    Qt::Alignment alignment = Qt::AlignHCenter;
    SortKind sort = SortKind::Alphabetic;
    HeaderColour headerColour = HeaderColour::Style;
};

// The columns, fixed column positions and captions of one measurement table: the one place
// where a column number of either table is written.
struct TableDefinition
{
    static constexpr int readingColumnCount = 15;

    TableKind kind = TableKind::Basic;
    QString name;                 // the component name, "NextGrid62" or "NextGrid61"
    QString tabCaption;           // "Основной" or "Индивидуальный"
    QString loadStatusPrefix;     // status text while loading, followed by the record count
    QList<ColumnDefinition> columns;
    int fixedFieldCount = 0;      // record fields 1..fixedFieldCount go to columns 1..fixedFieldCount
    int rowNumberColumn = 0;      // the record's running number, "№"
    int dateColumn = 1;           // the one column of kind Date
    int timeColumn = 2;
    int strengthColumn = 0;       // "R, МПа"
    int noteColumn = 0;           // hidden, never filled
    int firstReadingColumn = 0;   // readingColumnCount hidden reading columns from here on
    bool deletesOnDeleteKey = false; // only the basic table has a Delete key handler

    int columnCount() const { return int(columns.size()); }
};

// The definition of the kind's table. Basic, NextGrid62: 38 columns, shown 0..21, note 22,
// readings 23..37. Individual, NextGrid61: 35 columns, shown 0..18, note 19, readings 20..34.
const TableDefinition &definitionOf(TableKind kind);
