#pragma once

// For the tables that make a writer fail part-way, as a full medium would: a file size
// limit for the whole process and the points at which the tables set it.

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <functional>
#include <initializer_list>

// While alive, no file of this process may grow beyond the given size: a write past it
// fails with EFBIG instead of raising SIGXFSZ. The previous limit and the signal's handling
// come back on destruction, so a failing check inside the scope cannot leak the limit.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // False when the limit could not be set: the test proves nothing then.
    bool isActive() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
    bool m_active = false;
};

namespace writefaults {

// Where a fault table puts the limit, relative to the size of the finished file.
enum class Point {
    MidStream,    // half the finished size
    InLastBlock,  // a few bytes short: only the last buffered block cannot be written
    OneByteShort, // everything but the last byte
    Exact,        // the whole file, not a byte more
};

inline constexpr Point kAllPoints[] = {Point::MidStream, Point::InLastBlock, Point::OneByteShort,
                                      Point::Exact};

// A short row name for the point: "mid-stream", "exact size" ...
const char *tagOf(Point point);

// Adds the columns "size" (what the test makes its file of: records, rows ...) and "point",
// and a row for each size and point, "3 rows, mid-stream" and so on.
void addRows(std::initializer_list<int> sizes, const char *unit);

// The limit of the point for a file of finishedSize bytes.
qint64 limitAt(Point point, qint64 finishedSize);

// Runs write while no file may grow beyond limit; false, without running it, when the limit
// could not be set.
bool runUnderLimit(qint64 limit, const std::function<void()> &write);

// Every entry of the folder, hidden ones included, sorted by name.
QStringList folderEntries(const QString &folder);

// The file a write under a limit replaces: alone in a folder of its own, with old content
// that a failed write must leave as it was.
class OldTarget
{
public:
    explicit OldTarget(const QString &name);

    // False when the folder or the old file could not be made.
    bool isValid() const { return m_valid; }
    QString path() const { return m_folder.filePath(m_name); }
    QByteArray oldBytes() const { return m_oldBytes; }
    // What the file holds now.
    QByteArray bytes() const;
    // True while the folder holds the file and nothing else: no temporary file is left.
    bool isAlone() const { return folderEntries(m_folder.path()) == QStringList{m_name}; }

private:
    QTemporaryDir m_folder;
    QString m_name;
    QByteArray m_oldBytes;
    bool m_valid = false;
};

} // namespace writefaults

Q_DECLARE_METATYPE(writefaults::Point)
