#pragma once

#include <QList>

class ArchiveLines;
class MeasurementTable;
class Progress;
struct TableDefinition;

// The rows an archive's records give: blank lines give none, every other record one,
// whatever its field count.
int recordRowCount(const ArchiveLines &lines);

// Appends one row per record of lines (from line 2 on) to the table inside one update batch
// and writes its cells as the definition places them: the running number (line index - 1)
// in the row-number column, the fixed fields from column 1, the first readings from the
// first reading column; further readings stay in the lines only. The progress goes to each
// line index in turn. Returns the 1-based line numbers of the records with too few or too
// many fields. Should the table raise, the batch is closed and the error passes on.
QList<int> fillRecords(MeasurementTable &table, const ArchiveLines &lines,
                       const TableDefinition &definition, Progress &progress);
