#pragma once

#include "archive/archivefields.h"

#include <QString>

// Where a record of each kind goes in its table: row number in column 0, fixed field k in
// column k, the note column after the fixed fields (never filled), then the readings.
struct ArchiveLayout
{
    int fixedFields;        // F: fields 1..F of a record go to columns 1..F
    int firstReadingColumn; // reading j (from 1) goes to firstReadingColumn + j - 1
    int columnCount;        // columns the table must have
    QString progressPrefix; // status text while loading, followed by the count

    static constexpr int readingColumns = 15;
};

const ArchiveLayout &archiveLayout(ArchiveKind kind);
