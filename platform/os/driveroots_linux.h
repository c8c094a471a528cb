#pragma once

#include "platform/driveroots.h"

// The mount points of this process's mount table (/proc/self/mounts).
class LinuxDriveRoots final : public DriveRoots
{
public:
    explicit LinuxDriveRoots(const QString &mountTable = QStringLiteral("/proc/self/mounts"));
    QStringList roots() const override;

private:
    QString m_mountTable;
};
