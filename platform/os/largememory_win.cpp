#include "platform/largememory.h"

#include <new>

#include <windows.h>

// Large pages on Windows need a privilege ordinary users lack, so the block is plain
// committed memory; its pages are zero-filled on first touch.
std::size_t LargeMemory::hugePageBytes()
{
    return 0;
}

LargeMemory::LargeMemory(std::size_t bytes)
{
    if (bytes == 0)
        return;
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const std::size_t page = info.dwPageSize;
    const std::size_t size = (bytes + page - 1) / page * page;
    void *address = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!address)
        throw std::bad_alloc();
    m_data = static_cast<std::byte *>(address);
    m_size = size;
    countMapped(m_size);
}

void LargeMemory::release() noexcept
{
    if (m_data) {
        countReleased(m_size);
        VirtualFree(m_data, 0, MEM_RELEASE);
    }
    m_data = nullptr;
    m_size = 0;
}

void adviseHugePages(void *, std::size_t)
{
}
