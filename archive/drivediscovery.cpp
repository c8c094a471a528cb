#include "archive/drivediscovery.h"

#include "archive/archivehost.h"
#include "archive/archiveloader.h"
#include "platform/driveroots.h"
#include "platform/fileexists.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/platform.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

QString archivePath(const QString &fileName)
{
    return u"ARCHIVE"_s + QDir::separator() + fileName;
}

} // namespace

QString basicArchivePath()
{
    return archivePath(u"archive_basic.csv"_s);
}

QString individualArchivePath()
{
    return archivePath(u"archive_individual.csv"_s);
}

void ListLogicalDrives(QStringList &list, const DriveRoots &drives)
{
    list = drives.roots();
}

QString FindOnDrives(const QString &relativePath, const DriveRoots &drives)
{
    QStringList roots;
    ListLogicalDrives(roots, drives);
    for (const QString &root : std::as_const(roots)) {
        // Plain concatenation: every root ends with its separator.
        const QString path = root + relativePath;
        if (isExistingFile(path))
            return path;
    }
    return QString();
}

int openInstrumentArchives(ArchiveHost &host, const Platform &platform)
{
    int found = 0;
    for (const QString &relativePath : {basicArchivePath(), individualArchivePath()}) {
        const QString path = FindOnDrives(relativePath, platform.drives);
        if (path.isEmpty())
            continue;
        ++found;
        LoadArchive(path, host, platform);
    }
    if (found == 0) {
        platform.dialogs.message(host.dialogParent(),
                                 u"Архивы не найдены! Проверьте подключение прибора!"_s);
    }
    return found;
}
