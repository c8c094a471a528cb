#include "archive/filecommands.h"

#include "archive/archivehost.h"
#include "archive/archiveloader.h"
#include "platform/fileexists.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

std::optional<ArchiveKind> kindOfPage(int pageIndex)
{
    switch (pageIndex) {
    case 0:
        return ArchiveKind::Basic;
    case 1:
        return ArchiveKind::Individual;
    default:
        return std::nullopt;
    }
}

} // namespace

ArchiveFileCommands::ArchiveFileCommands(ArchiveHost &host, const Platform &platform)
    : m_host(host),
      m_platform(platform),
      m_openDialog(platform.dialogs.createFileDialog(FileDialog::Kind::Open)),
      m_saveDialog(platform.dialogs.createFileDialog(FileDialog::Kind::Save))
{
}

QString ArchiveFileCommands::askFileName(FileDialog &dialog, const QString &title)
{
    dialog.setTitle(title);
    dialog.setFilter(u"Excel files (*.csv)|*.csv"_s);
    dialog.setFilterIndex(1);
    dialog.setDefaultExtension(u"csv"_s);
    if (!dialog.execute(m_host.dialogParent()))
        return QString();
    // The dialog has added ".csv" to a name typed without extension.
    return dialog.fileName();
}

void ArchiveFileCommands::openFile()
{
    const QString fileName = askFileName(*m_openDialog, u"Открыть файл..."_s);
    if (fileName.isEmpty())
        return;
    if (!isExistingFile(fileName)) {
        m_platform.dialogs.message(m_host.dialogParent(), u"Файл не существует"_s);
        return;
    }
    LoadArchive(fileName, m_host, m_platform);
}

void ArchiveFileCommands::saveAs()
{
    const std::optional<ArchiveKind> kind = kindOfPage(m_host.activePageIndex());
    if (!kind)
        return;
    const QString fileName = askFileName(*m_saveDialog, u"Сохранить как..."_s);
    if (fileName.isEmpty())
        return;
    if (isExistingFile(fileName)
        && !m_platform.dialogs.confirm(m_host.dialogParent(),
                                       u"Файл "_s + QDir::toNativeSeparators(fileName)
                                               + u" существует! Перезаписать?"_s)) {
        return;
    }
    if (!writeArchiveFile(m_host.archiveLines(*kind), fileName, m_platform.ansi))
        m_platform.dialogs.message(m_host.dialogParent(), u"Ошибка сохранения файла!"_s);
}

void ArchiveFileCommands::closeFile()
{
    const std::optional<ArchiveKind> kind = kindOfPage(m_host.activePageIndex());
    if (!kind)
        return;
    m_host.setTabVisible(*kind, false);
    if (!m_host.isTabVisible(ArchiveKind::Basic) && !m_host.isTabVisible(ArchiveKind::Individual))
        m_host.DisableDataCommands();
}
