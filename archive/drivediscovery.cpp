#include "archive/drivediscovery.h"

#include "platform/driveroots.h"
#include "platform/fileexists.h"

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

QStringList findInstrumentArchives(const DriveRoots &drives)
{
    QStringList found;
    for (const QString &relativePath : {basicArchivePath(), individualArchivePath()}) {
        const QString path = FindOnDrives(relativePath, drives);
        if (!path.isEmpty())
            found.append(path);
    }
    return found;
}
