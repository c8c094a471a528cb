#pragma once

#include <QByteArrayView>
#include <QStringList>

// The mount points in a text of the /proc/self/mounts form ("device point type options
// dump pass" per line, blanks in names escaped as \040), as drive roots: de-duplicated,
// sorted, each ending in "/". File systems of the kernel and of the session (proc, sysfs,
// cgroup, devpts, tmpfs below /run ...) are left out; disks and removable media stay.
// Lines that do not have the form are skipped.
QStringList parseMountPoints(QByteArrayView mountsText);
