#include "platform/os/driveroots_linux.h"

#include "platform/os/mountpoints.h"

#include <QFile>

LinuxDriveRoots::LinuxDriveRoots(const QString &mountTable) : m_mountTable(mountTable) {}

QStringList LinuxDriveRoots::roots() const
{
    // Read afresh on every call: a device plugged in since the last search must show up.
    QFile table(m_mountTable);
    if (!table.open(QIODevice::ReadOnly))
        return {};
    return parseMountPoints(table.readAll());
}
