#pragma once

#include <QString>
#include <QStringList>

class ArchiveHost;
class DriveRoots;
struct Platform;

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

// "Открыть архив на приборе": loads the basic archive, then the individual one, each from
// the first drive that has it; a found file counts even when its load rejects it. Shows
// "Архивы не найдены! Проверьте подключение прибора!" when neither is found. Returns the
// number of files found.
int openInstrumentArchives(ArchiveHost &host, const Platform &platform);
