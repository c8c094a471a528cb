#include "app/archiveexport.h"

#include "app/lirasapplication.h"
#include "archive/archiveloader.h"
#include "archive/loadprogress.h"
#include "csv/csvwriter.h"
#include "pdf/pdfwriter.h"
#include "platform/apperror.h"
#include "platform/codepages.h"
#include "platform/progress.h"
#include "platform/regionalformat.h"
#include "report/reportexport.h"

#include <QDate>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

void printError(const QString &text)
{
    std::fputs((text + u'\n').toLocal8Bit().constData(), stderr);
}

} // namespace

ExitCode exportArchive(ExportFormat format, const QString &outFile, const QString &archiveFile)
{
    const std::unique_ptr<AnsiCodePage> ansi = systemAnsiCodePage();
    const RegionalSettings regional = RegionalSettings::system();
    try {
        NullLoadProgress loadProgress;
        LoadResult loaded = LoadArchive(archiveFile, *ansi, regional, loadProgress);
        if (loaded.outcome == LoadResult::Outcome::ReadFailed) {
            printError(u"Ошибка чтения файла!"_s);
            return ExitCode::ArchiveUnreadable;
        }
        if (loaded.outcome == LoadResult::Outcome::NotAnArchive) {
            printError(u"Файл не является архивом!"_s);
            return ExitCode::ArchiveUnreadable;
        }
        if (!loaded.damagedLines.isEmpty())
            printError(damagedRecordsText(loaded.damagedLines));

        // The readings memo shows only in the CSV, as in the window's commands.
        const bool csv = format == ExportFormat::Csv;
        NullProgress progress;
        const ExportReport report(loaded.set->rows(), *loaded.kind, csv,
                                  regional::formatShortDate(QDate::currentDate(), regional), progress);
        const bool written = csv ? writeCsv(outFile, report.pages(), *ansi, progress)
                                 : writePdf(outFile, report.pages(), progress);
        if (!written) {
            printError(u"Ошибка сохранения файла!"_s);
            return ExitCode::OutputNotWritten;
        }
    } catch (const AppError &error) {
        // What the window's default error box would say.
        printError(LirasApplication::errorBoxText(error.userText()));
        return ExitCode::ArchiveUnreadable;
    }
    return ExitCode::Done;
}
