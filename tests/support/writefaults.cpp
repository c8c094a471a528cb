#include "tests/support/writefaults.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <algorithm>
#include <csignal>

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    if (getrlimit(RLIMIT_FSIZE, &m_saved) != 0)
        return;
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = m_saved;
    lowered.rlim_cur = rlim_t(std::max<qint64>(bytes, 0));
    m_active = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_savedHandler);
}

namespace writefaults {

namespace {

// Fewer than the bytes of the shortest last block any writer leaves for its final flush.
constexpr qint64 kLastBlockShortfall = 5;

} // namespace

const char *tagOf(Point point)
{
    switch (point) {
    case Point::MidStream:
        return "mid-stream";
    case Point::InLastBlock:
        return "inside the last block";
    case Point::OneByteShort:
        return "one byte short";
    case Point::Exact:
        return "exact size";
    }
    return "";
}

void addRows(std::initializer_list<int> sizes, const char *unit)
{
    QTest::addColumn<int>("size");
    QTest::addColumn<Point>("point");
    for (const int size : sizes) {
        for (const Point point : kAllPoints)
            QTest::addRow("%d %s, %s", size, unit, tagOf(point)) << size << point;
    }
}

qint64 limitAt(Point point, qint64 finishedSize)
{
    switch (point) {
    case Point::MidStream:
        return finishedSize / 2;
    case Point::InLastBlock:
        return finishedSize - kLastBlockShortfall;
    case Point::OneByteShort:
        return finishedSize - 1;
    case Point::Exact:
        return finishedSize;
    }
    return finishedSize;
}

bool runUnderLimit(qint64 limit, const std::function<void()> &write)
{
    const FileSizeLimit sizeLimit(limit);
    if (!sizeLimit.isActive())
        return false;
    write();
    return true;
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden
                                          | QDir::System,
                                  QDir::Name);
}

OldTarget::OldTarget(const QString &name)
    : m_name(name), m_oldBytes("an older file, to be kept whole")
{
    QFile file(path());
    m_valid = m_folder.isValid() && file.open(QIODevice::WriteOnly)
        && file.write(m_oldBytes) == m_oldBytes.size();
}

QByteArray OldTarget::bytes() const
{
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace writefaults
