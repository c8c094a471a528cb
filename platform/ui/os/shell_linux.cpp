#include "platform/ui/os/shell_linux.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

constexpr int kQueryTimeoutMs = 5000;

// Whether the desktop's table of default applications names one for this type. The opening
// itself cannot tell: xdg-open starts even where nothing shows the document, and then fails
// unseen. Where the table cannot be asked (no xdg-utils), the opening decides.
bool hasDefaultApplication(const QString &mimeType)
{
    QProcess query;
    query.start(u"xdg-mime"_s, {u"query"_s, u"default"_s, mimeType});
    if (!query.waitForFinished(kQueryTimeoutMs)) {
        query.kill();
        query.waitForFinished();
        return true;
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return true;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

bool LinuxShell::openDocument(const QString &fileName, QWidget *)
{
    // The viewer runs in its own folder, so a relative name is resolved here first.
    const QFileInfo document(fileName);
    if (!document.isFile())
        return false;
    // A viewer may have registered the type under one of its other names.
    const QMimeType type = QMimeDatabase().mimeTypeForFile(document);
    bool viewerKnown = hasDefaultApplication(type.name());
    for (const QString &alias : type.aliases())
        viewerKnown = viewerKnown || hasDefaultApplication(alias);
    return viewerKnown && QDesktopServices::openUrl(QUrl::fromLocalFile(document.absoluteFilePath()));
}
