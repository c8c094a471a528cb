#include "platform/os/mountpoints.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QSet>
#include <QString>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Kernel, session and package-image file systems: none of them is a place where a user
// keeps files.
bool isPseudoType(QByteArrayView type)
{
    static const QByteArrayList pseudo = {
        "proc",       "sysfs",   "cgroup",     "cgroup2",     "devpts",    "devtmpfs",
        "securityfs", "pstore",  "debugfs",    "tracefs",     "configfs",  "fusectl",
        "mqueue",     "hugetlbfs", "bpf",      "autofs",      "binfmt_misc", "efivarfs",
        "rpc_pipefs", "nsfs",    "selinuxfs",  "ramfs",       "squashfs",  "fuse.gvfsd-fuse",
        "fuse.portal", "fuse.snapfuse", "fuse.lxcfs",
    };
    return pseudo.contains(type);
}

bool isBelow(const QString &path, QStringView folder)
{
    return path == folder || (path.startsWith(folder) && path.size() > folder.size()
                              && path.at(folder.size()) == u'/');
}

// The kernel writes a blank, tab, line break and backslash in a name as \040, \011,
// \012 and \134; any other three-digit octal escape is decoded the same way.
QByteArray unescape(QByteArrayView field)
{
    QByteArray out;
    out.reserve(field.size());
    const auto isOctal = [](char d) { return d >= '0' && d <= '7'; };
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) && isOctal(field[i + 2])
            && isOctal(field[i + 3])) {
            out.append(char(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3)
                            | (field[i + 3] - '0')));
            i += 3;
            continue;
        }
        out.append(c);
    }
    return out;
}

} // namespace

QStringList parseMountPoints(QByteArrayView mountsText)
{
    QSet<QString> seen;
    QStringList roots;
    const QByteArrayList lines = mountsText.toByteArray().split('\n');
    for (const QByteArray &line : lines) {
        const QByteArrayList fields = line.simplified().split(' ');
        if (fields.size() < 3 || !fields.at(1).startsWith('/'))
            continue;
        const QByteArray &type = fields.at(2);
        if (isPseudoType(type))
            continue;
        QString point = QString::fromUtf8(unescape(fields.at(1)));
        if (type == "tmpfs") {
            if (isBelow(point, u"/run") || isBelow(point, u"/sys") || isBelow(point, u"/dev")
                || isBelow(point, u"/proc"))
                continue;
        }
        if (isBelow(point, u"/proc") || isBelow(point, u"/sys"))
            continue;
        if (!point.endsWith(u'/'))
            point += u'/';
        if (!seen.contains(point)) {
            seen.insert(point);
            roots.append(point);
        }
    }
    std::sort(roots.begin(), roots.end());
    return roots;
}
