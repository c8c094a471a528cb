#pragma once

#include <QString>
#include <QStringList>

class DriveRoots;

// The archives' places below a drive root, with this system's separator:
// "ARCHIVE\archive_basic.csv" on Windows, "ARCHIVE/archive_basic.csv" elsewhere.
QString basicArchivePath();
QString individualArchivePath();

// Replaces the list's content with the current drive roots, in the system's order; the
// list is left empty when the enumeration fails.
void ListLogicalDrives(QStringList &list, const DriveRoots &drives);

// root + relative path for the first root, in order, where that names an existing file
// (not a folder); empty when no drive has it. The roots are listed afresh on every call.
QString FindOnDrives(const QString &relativePath, const DriveRoots &drives);

// The archives of "Открыть архив на приборе", in the order they are to be loaded: the basic
// archive's path, then the individual one's, each on the first drive that has it; a file
// found on no drive is left out, so the list is empty when the instrument has neither.
QStringList findInstrumentArchives(const DriveRoots &drives);
