#include "platform/shell_linux.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

void LinuxShell::openDocument(const QString &fileName, QWidget *)
{
    // The viewer runs in its own folder, so a relative name is resolved here first.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
}
