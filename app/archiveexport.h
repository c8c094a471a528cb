#pragma once

#include <QString>

// How the command line ends; a script tells the failures apart by these.
enum class ExitCode { Done = 0, WrongUsage = 1, ArchiveUnreadable = 2, OutputNotWritten = 3 };

enum class ExportFormat { Pdf, Csv };

// The command line's --pdf and --csv: loads the archive (either kind) with the system's code
// page and regional settings, builds the report of its table as the window's "PDF" or "CSV"
// does it today, and writes it to outFile, replacing an existing file as a whole. Needs a
// QCoreApplication and nothing of a window or display. The program's own texts go to
// standard error: "Ошибка чтения файла!" or "Файл не является архивом!" (ArchiveUnreadable),
// "Ошибка сохранения файла!" (OutputNotWritten, an old outFile stays as it was), and the
// damaged-records text for an archive that still exports (Done).
ExitCode exportArchive(ExportFormat format, const QString &outFile, const QString &archiveFile);
