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

// The columns and fixed column positions of one measurement table.
struct TableDefinition
{
    QString name;                 // the component name, "NextGrid62" or "NextGrid61"
    QList<ColumnDefinition> columns;
    int fixedFieldCount = 0;      // record fields 1..fixedFieldCount go to columns 1..fixedFieldCount
    int strengthColumn = 0;       // "R, МПа"
    int noteColumn = 0;           // hidden, never filled
    int firstReadingColumn = 0;   // 15 hidden reading columns from here to the last column
    int dateColumn = 1;           // the one column of kind Date
    bool deletesOnDeleteKey = false; // only the basic table has a Delete key handler

    int columnCount() const { return int(columns.size()); }
};

// NextGrid62: 38 columns, shown 0..21, note 22, readings 23..37.
const TableDefinition &basicTableDefinition();
// NextGrid61: 35 columns, shown 0..18, note 19, readings 20..34.
const TableDefinition &individualTableDefinition();
// The definition of the kind's table: one of the two above.
const TableDefinition &definitionOf(TableKind kind);
