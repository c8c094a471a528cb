#include "platform/os/driveroots_linux.h"
#include "platform/os/mountpoints.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestDriveRoots : public QObject
{
    Q_OBJECT

private slots:
    void parseMountPoints_data();
    void parseMountPoints();
    void rootsReadTheTableAfreshEachTime();
    void missingTableGivesNoRoots();
};

void TestDriveRoots::parseMountPoints_data()
{
    QTest::addColumn<QByteArray>("mounts");
    QTest::addColumn<QStringList>("roots");

    QTest::newRow("root disk") << QByteArray("/dev/sda1 / ext4 rw,relatime 0 0\n")
                               << QStringList{u"/"_s};
    QTest::newRow("pseudo file systems skipped")
        << QByteArray("proc /proc proc rw 0 0\n"
                      "sysfs /sys sysfs rw 0 0\n"
                      "devtmpfs /dev devtmpfs rw 0 0\n"
                      "devpts /dev/pts devpts rw 0 0\n"
                      "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
                      "tmpfs /sys/fs/cgroup tmpfs rw 0 0\n"
                      "tmpfs /run tmpfs rw 0 0\n"
                      "tmpfs /run/user/1000 tmpfs rw 0 0\n"
                      "tmpfs /dev/shm tmpfs rw 0 0\n"
                      "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
                      "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw 0 0\n"
                      "/dev/sda2 /home ext4 rw 0 0\n")
        << QStringList{u"/home/"_s};
    QTest::newRow("removable media under run kept")
        << QByteArray("/dev/sdb1 /run/media/user/LIRAS vfat rw 0 0\n"
                      "/dev/sdc1 /media/user/NTFS fuseblk rw 0 0\n")
        << QStringList{u"/media/user/NTFS/"_s, u"/run/media/user/LIRAS/"_s};
    QTest::newRow("tmpfs elsewhere kept") << QByteArray("tmpfs /tmp tmpfs rw 0 0\n")
                                          << QStringList{u"/tmp/"_s};
    QTest::newRow("escaped blank and backslash")
        << QByteArray("/dev/sdb1 /media/user/MY\\040DISK vfat rw 0 0\n"
                      "/dev/sdb2 /media/a\\134b\\011c vfat rw 0 0\n")
        << QStringList{u"/media/a\\b\tc/"_s, u"/media/user/MY DISK/"_s};
    QTest::newRow("utf-8 name") << QByteArray("/dev/sdb1 /media/\xd0\xbf\xd1\x80\xd0\xb8\xd0\xb1\xd0\xbe\xd1\x80 vfat rw 0 0\n")
                                << QStringList{u"/media/прибор/"_s};
    QTest::newRow("duplicates once, sorted")
        << QByteArray("/dev/sdb1 /mnt/b ext4 rw 0 0\n"
                      "/dev/sda1 / ext4 rw 0 0\n"
                      "/dev/sdb1 /mnt/b ext4 rw 0 0\n"
                      "/dev/sdc1 /mnt/a ext4 rw 0 0\n")
        << QStringList{u"/"_s, u"/mnt/a/"_s, u"/mnt/b/"_s};
    QTest::newRow("malformed lines skipped")
        << QByteArray("\n"
                      "garbage\n"
                      "dev relative ext4 rw 0 0\n"
                      "/dev/sda1 /data\n"
                      "/dev/sda1 /data xfs rw 0 0")
        << QStringList{u"/data/"_s};
    QTest::newRow("proc-like names are not prefixes")
        << QByteArray("/dev/sdb1 /process ext4 rw 0 0\n"
                      "tmpfs /running tmpfs rw 0 0\n")
        << QStringList{u"/process/"_s, u"/running/"_s};
    QTest::newRow("empty") << QByteArray() << QStringList{};
}

void TestDriveRoots::parseMountPoints()
{
    QFETCH(QByteArray, mounts);
    QFETCH(QStringList, roots);
    QCOMPARE(::parseMountPoints(mounts), roots);
}

void TestDriveRoots::rootsReadTheTableAfreshEachTime()
{
    QTemporaryDir dir;
    const QString table = dir.filePath(u"mounts"_s);
    const auto write = [&table](const QByteArray &text) {
        QFile file(table);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    };
    write("/dev/sda1 / ext4 rw 0 0\n");
    const LinuxDriveRoots drives(table);
    QCOMPARE(drives.roots(), QStringList{u"/"_s});
    write("/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 /media/usb vfat rw 0 0\n");
    QCOMPARE(drives.roots(), QStringList({u"/"_s, u"/media/usb/"_s}));
}

void TestDriveRoots::missingTableGivesNoRoots()
{
    QTemporaryDir dir;
    QVERIFY(LinuxDriveRoots(dir.filePath(u"none"_s)).roots().isEmpty());
    // The process's own table is readable and holds at least the root file system.
    QVERIFY(!LinuxDriveRoots().roots().isEmpty());
}

QTEST_GUILESS_MAIN(TestDriveRoots)
#include "tst_driveroots.moc"
