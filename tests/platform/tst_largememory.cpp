#include "platform/largememory.h"

#include <QFile>
#include <QTest>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

using namespace Qt::StringLiterals;

namespace {

constexpr std::size_t kMiB = std::size_t(1) << 20;

// The VmFlags of the mapping that holds address, or nullopt when it is not mapped (Linux
// lists them in /proc/self/smaps; elsewhere the question has no answer: nullopt as well).
std::optional<QByteArray> mappingFlags(const void *address)
{
    QFile smaps(u"/proc/self/smaps"_s);
    if (!smaps.open(QIODevice::ReadOnly))
        return std::nullopt;
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    bool inside = false;
    for (const QByteArray &line : smaps.readAll().split('\n')) {
        const qsizetype dash = line.indexOf('-');
        const qsizetype space = line.indexOf(' ');
        const qsizetype colon = line.indexOf(':');
        // A mapping's first line starts "from-to perms"; its fields start "Name:".
        if (dash > 0 && space > dash && (colon < 0 || colon > space)) {
            const std::uintptr_t from = line.left(dash).toULongLong(nullptr, 16);
            const std::uintptr_t to = line.mid(dash + 1, space - dash - 1).toULongLong(nullptr, 16);
            inside = from <= at && at < to;
        } else if (inside && line.startsWith("VmFlags:")) {
            return line.mid(8).trimmed();
        }
    }
    return std::nullopt;
}

#ifdef Q_OS_LINUX
// mincore() fails with ENOMEM for an address no mapping holds; it allocates nothing, so no
// new mapping can take a freed range while it is asked.
bool isMapped(const void *address)
{
    unsigned char resident = 0;
    return mincore(const_cast<void *>(address), 1, &resident) == 0 || errno != ENOMEM;
}
#endif

bool hasSmaps()
{
    return QFile::exists(u"/proc/self/smaps"_s);
}

} // namespace

class TestLargeMemory : public QObject
{
    Q_OBJECT

private slots:
    void allocate_data();
    void allocate();
    void emptyRequest();
    void moveHandsOverTheBlock();
    void moveAssignReleasesTheOldBlock();
    void bytesHeldFollowTheBlocks();
};

void TestLargeMemory::allocate_data()
{
    QTest::addColumn<qulonglong>("bytes");
    QTest::newRow("one byte") << qulonglong(1);
    QTest::newRow("one page") << qulonglong(4096);
    QTest::newRow("page and a byte") << qulonglong(4097);
    QTest::newRow("just under 2 MiB") << qulonglong(2 * kMiB - 1);
    QTest::newRow("2 MiB") << qulonglong(2 * kMiB);
    QTest::newRow("odd size over 5 MiB") << qulonglong(5 * kMiB + 3);
}

void TestLargeMemory::allocate()
{
    QFETCH(qulonglong, bytes);
    LargeMemory memory{std::size_t(bytes)};
    QVERIFY(memory.data());
    QVERIFY(memory.size() >= bytes);
    std::byte *data = memory.data();
    const std::size_t last = memory.size() - 1;
    QCOMPARE(data[0], std::byte{0});
    QCOMPARE(data[last / 2], std::byte{0});
    QCOMPARE(data[last], std::byte{0});
    // All of it is writable, the rounded-up tail included.
    std::memset(data, 0x5A, memory.size());
    QCOMPARE(data[last], std::byte{0x5A});

    const std::size_t huge = LargeMemory::hugePageBytes();
    if (huge == 0 || bytes < huge)
        return;
    QCOMPARE(reinterpret_cast<std::uintptr_t>(data) % huge, std::uintptr_t(0));
    QCOMPARE(memory.size() % huge, std::size_t(0));
    if (!hasSmaps())
        return;
    // "hg" is the kernel's mark of memory advised for huge pages, at both ends of the block.
    const std::optional<QByteArray> first = mappingFlags(data);
    const std::optional<QByteArray> end = mappingFlags(data + last);
    QVERIFY(first);
    QVERIFY(end);
    QVERIFY2(first->split(' ').contains("hg"), first->constData());
    QVERIFY2(end->split(' ').contains("hg"), end->constData());
}

void TestLargeMemory::emptyRequest()
{
    const LargeMemory none{0};
    QCOMPARE(none.data(), nullptr);
    QCOMPARE(none.size(), std::size_t(0));
    const LargeMemory unset;
    QCOMPARE(unset.data(), nullptr);
}

void TestLargeMemory::moveHandsOverTheBlock()
{
    LargeMemory source{3 * kMiB};
    source.data()[10] = std::byte{7};
    std::byte *const data = source.data();
    const std::size_t size = source.size();
    LargeMemory target(std::move(source));
    QCOMPARE(target.data(), data);
    QCOMPARE(target.size(), size);
    QCOMPARE(target.data()[10], std::byte{7});
    QCOMPARE(source.data(), nullptr);
    QCOMPARE(source.size(), std::size_t(0));
}

void TestLargeMemory::moveAssignReleasesTheOldBlock()
{
    LargeMemory target{3 * kMiB};
    std::byte *const old = target.data();
    LargeMemory source{64 * 1024};
    std::byte *const taken = source.data();
#ifdef Q_OS_LINUX
    QVERIFY(isMapped(old));
#endif
    target = std::move(source);
    QCOMPARE(target.data(), taken);
    QCOMPARE(target.data()[100], std::byte{0});
    QCOMPARE(source.data(), nullptr);
#ifdef Q_OS_LINUX
    QVERIFY(!isMapped(old)); // given back, not leaked
#endif
}

void TestLargeMemory::bytesHeldFollowTheBlocks()
{
    const std::size_t start = LargeMemory::bytesHeld();
    {
        LargeMemory small{10};
        LargeMemory large{3 * kMiB};
        QCOMPARE(LargeMemory::bytesHeld(), start + small.size() + large.size());
        // A move hands the block over: counted once, not twice, and not lost.
        LargeMemory moved(std::move(large));
        QCOMPARE(LargeMemory::bytesHeld(), start + small.size() + moved.size());
        small = std::move(moved);
        QCOMPARE(LargeMemory::bytesHeld(), start + small.size());
    }
    QCOMPARE(LargeMemory::bytesHeld(), start);
}

QTEST_GUILESS_MAIN(TestLargeMemory)
#include "tst_largememory.moc"
