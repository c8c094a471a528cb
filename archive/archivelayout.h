#pragma once

#include "archive/archivefields.h"

#include <QString>

struct TableDefinition;

// A kind's table (fixed fields, first reading column, column count) and its status text.
struct ArchiveLayout
{
    const TableDefinition &table;
    QString progressPrefix; // status text while loading, followed by the count

    static constexpr int readingColumns = 15;
};

const ArchiveLayout &archiveLayout(ArchiveKind kind);
