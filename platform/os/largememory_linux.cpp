#include "platform/largememory.h"

#include <cstdint>
#include <new>

#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr std::size_t kHugePageBytes = std::size_t(2) << 20;

std::size_t roundUp(std::size_t value, std::size_t granularity)
{
    return (value + granularity - 1) / granularity * granularity;
}

std::byte *map(std::size_t bytes)
{
    void *address = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                         -1, 0);
    if (address == MAP_FAILED)
        throw std::bad_alloc();
    return static_cast<std::byte *>(address);
}

} // namespace

std::size_t LargeMemory::hugePageBytes()
{
    return kHugePageBytes;
}

LargeMemory::LargeMemory(std::size_t bytes)
{
    if (bytes == 0)
        return;
    if (bytes < kHugePageBytes) {
        m_size = roundUp(bytes, std::size_t(sysconf(_SC_PAGESIZE)));
        m_data = map(m_size);
        countMapped(m_size);
        return;
    }
    // Huge pages back only whole aligned 2 MiB ranges: one more huge page is mapped, and the
    // unaligned head and the tail beyond the block are given back at once.
    m_size = roundUp(bytes, kHugePageBytes);
    std::byte *mapped = map(m_size + kHugePageBytes);
    const auto address = reinterpret_cast<std::uintptr_t>(mapped);
    const std::size_t head = roundUp(address, kHugePageBytes) - address;
    if (head > 0)
        munmap(mapped, head);
    if (kHugePageBytes - head > 0)
        munmap(mapped + head + m_size, kHugePageBytes - head);
    m_data = mapped + head;
    countMapped(m_size);
    // Only advice: a kernel without transparent huge pages still gives ordinary pages.
    madvise(m_data, m_size, MADV_HUGEPAGE);
}

void LargeMemory::release() noexcept
{
    if (m_data) {
        countReleased(m_size);
        munmap(m_data, m_size);
    }
    m_data = nullptr;
    m_size = 0;
}

void adviseHugePages(void *data, std::size_t bytes)
{
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t from = roundUp(begin, kHugePageBytes);
    const std::uintptr_t to = (begin + bytes) / kHugePageBytes * kHugePageBytes;
    if (from < to)
        madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
}
