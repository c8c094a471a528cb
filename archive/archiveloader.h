#pragma once

#include "archive/measurementset.h"
#include "tables/tablekind.h"

#include <QList>
#include <QString>

#include <optional>

class AnsiCodePage;
class LoadProgress;
struct RegionalSettings;

struct LoadResult
{
    enum class Outcome { Loaded, NotAnArchive, ReadFailed };

    Outcome outcome = Outcome::ReadFailed;
    // With Loaded: a new set of the kind the header names, its rows filled and its lines
    // those of the file.
    std::optional<MeasurementSet> set;
    std::optional<TableKind> kind; // set when loaded
    int rowCount = 0;
    // 1-based line numbers in the file of records that were blank, short, or had more
    // readings than the table shows; they are loaded as far as they go.
    QList<int> damagedLines;
};

// Reads one archive file, checks its header and fills a new measurement set of the kind it
// names. ReadFailed when the file cannot be read (missing, a folder, no rights),
// NotAnArchive when its header is not that of an archive (a file of fewer than two lines
// included). While filling, the progress shows the kind's status text with the record count
// and goes from line 2 to the last line index; afterwards, whatever the outcome and also
// when filling raises, the status text is empty again and the progress at 0. Nothing
// outside the new set changes, so a caller that keeps its shown set until this returns
// Loaded keeps it whole on every failure.
LoadResult LoadArchive(const QString &fileName, const AnsiCodePage &ansi,
                       const RegionalSettings &regional, LoadProgress &progress);

// The message after a load with damaged records: their number and the first few lines.
QString damagedRecordsText(const QList<int> &damagedLines);
