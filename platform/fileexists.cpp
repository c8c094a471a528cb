#include "platform/fileexists.h"

#include <QFileInfo>

bool isExistingFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    // QFileInfo follows a symbolic link to what it names: a link to a file counts, a link
    // to a folder or a dangling link does not.
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}
