// TForm1's archive commands of the "Файл" menu: they ask, call the archive core and show
// its results.
#include "app/Unit2.h"

#include "app/statusbarprogress.h"
#include "archive/archiveloader.h"
#include "archive/drivediscovery.h"
#include "platform/ui/dialogs.h"
#include "platform/fileexists.h"
#include "tables/measurementgrid.h"
#include "tables/tablecommands.h"

#include <QDir>

using namespace Qt::StringLiterals;

void TForm1::N8Click()
{
    // A found file counts even when its load rejects it.
    const QStringList found = findInstrumentArchives(m_platform.drives);
    for (const QString &path : found)
        loadArchiveFile(path);
    if (found.isEmpty())
        m_platform.dialogs.message(this, u"Архивы не найдены! Проверьте подключение прибора!"_s);
}

QString TForm1::askArchiveFileName(FileDialog &dialog, const QString &title)
{
    dialog.setTitle(title);
    dialog.setFilter(u"Excel files (*.csv)|*.csv"_s);
    dialog.setFilterIndex(1);
    dialog.setDefaultExtension(u"csv"_s);
    if (!dialog.execute(this))
        return QString();
    // The dialog has added ".csv" to a name typed without extension.
    return dialog.fileName();
}

void TForm1::FileOpen1Accept()
{
    const QString fileName = askArchiveFileName(*m_openArchiveDialog, u"Открыть файл..."_s);
    if (!fileName.isEmpty())
        openArchive(fileName);
}

void TForm1::openArchives(const QStringList &fileNames)
{
    for (const QString &fileName : fileNames)
        openArchive(fileName);
}

void TForm1::openArchive(const QString &fileName)
{
    if (!isExistingFile(fileName)) {
        m_platform.dialogs.message(this, u"Файл не существует"_s);
        return;
    }
    loadArchiveFile(fileName);
}

void TForm1::FileSaveAs1Accept()
{
    const std::optional<TableKind> kind = activeKind();
    if (!kind)
        return;
    const QString fileName = askArchiveFileName(*m_saveArchiveDialog, u"Сохранить как..."_s);
    if (fileName.isEmpty())
        return;
    const QString question =
            u"Файл "_s + QDir::toNativeSeparators(fileName) + u" существует! Перезаписать?"_s;
    if (isExistingFile(fileName) && !m_platform.dialogs.confirm(this, question))
        return;
    if (!writeArchiveFile(set(*kind).lines(), fileName, m_platform.ansi))
        m_platform.dialogs.message(this, u"Ошибка сохранения файла!"_s);
}

void TForm1::FileCloseExecute()
{
    const std::optional<TableKind> kind = activeKind();
    if (!kind)
        return;
    setTabVisible(*kind, false);
    if (!isTabVisible(TableKind::Basic) && !isTabVisible(TableKind::Individual))
        DisableDataCommands();
}

void TForm1::loadArchiveFile(const QString &fileName)
{
    LoadResult result = LoadArchive(fileName, m_platform.ansi, m_platform.regional, *m_progress);
    if (result.outcome == LoadResult::Outcome::ReadFailed)
        m_platform.dialogs.message(this, u"Ошибка чтения файла!"_s);
    else if (result.outcome == LoadResult::Outcome::NotAnArchive)
        m_platform.dialogs.message(this, u"Файл не является архивом!"_s);
    else
        showLoaded(*result.set, result.rowCount);
    N9Click();
    // After a rejected file with no table shown, there is no data to command.
    if (isTabVisible(TableKind::Basic) || isTabVisible(TableKind::Individual))
        EnableDataCommands();
    if (!result.damagedLines.isEmpty())
        m_platform.dialogs.message(this, damagedRecordsText(result.damagedLines));
}

void TForm1::showLoaded(MeasurementSet &loaded, int rowCount)
{
    const TableKind kind = loaded.kind();
    set(kind).replaceWith(loaded);
    if (rowCount > 0)
        fillFixedColumns(grid(kind));
    setTabVisible(kind, true);
    setActivePage(kind);
}
