#pragma once

#include "archive/archivefields.h"

#include <QList>
#include <QString>

#include <optional>

class ArchiveHost;
struct Platform;

struct LoadResult
{
    enum class Outcome { Loaded, NotAnArchive, ReadFailed };

    Outcome outcome = Outcome::ReadFailed;
    std::optional<ArchiveKind> kind; // set when loaded
    int rowCount = 0;
    // 1-based line numbers in the file of records that were blank, short, or had more
    // readings than the table shows; they are loaded as far as they go.
    QList<int> damagedLines;
};

// Loads one archive file into the table of the kind its header names, replaces that
// kind's archive lines, shows and selects its tab, and re-aligns the active table.
// Everything is read and checked before the table is touched, so a file that cannot be
// read ("Ошибка чтения файла!") or is no archive ("Файл не является архивом!") changes no
// table, archive lines or tab. Damaged records still load and are reported in one message
// afterwards. The data commands are enabled only while a tab is visible.
LoadResult LoadArchive(const QString &fileName, ArchiveHost &host, const Platform &platform);

// The message after a load with damaged records: their number and the first few lines.
QString damagedRecordsText(const QList<int> &damagedLines);
