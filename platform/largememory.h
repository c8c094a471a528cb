#pragma once

#include <cstddef>

// One block of memory for a large working buffer (a file's bytes, a table's cell chunks),
// taken straight from the operating system. On Linux a block of 2 MiB or more is aligned to
// 2 MiB and advised for transparent huge pages: filling tens of megabytes then costs a few
// page faults instead of thousands. Elsewhere it is plain committed memory. The memory is
// zero-filled and released when the owner goes. Move-only.
class LargeMemory
{
public:
    LargeMemory() = default;
    // At least bytes usable bytes; none for 0. Throws std::bad_alloc when the system has no
    // memory to give.
    explicit LargeMemory(std::size_t bytes);
    ~LargeMemory();
    LargeMemory(LargeMemory &&other) noexcept;
    LargeMemory &operator=(LargeMemory &&other) noexcept;
    LargeMemory(const LargeMemory &) = delete;
    LargeMemory &operator=(const LargeMemory &) = delete;

    std::byte *data() const { return m_data; }
    // The usable size: the request rounded up to the system's granularity.
    std::size_t size() const { return m_size; }

    // The size from which blocks are aligned and advised for huge pages (0 where none are).
    static std::size_t hugePageBytes();

    // The usable bytes of all blocks alive in the process: what the allocator's own figures
    // do not show, as these blocks come straight from the system.
    static std::size_t bytesHeld();

private:
    void release() noexcept;
    // Called by the system-specific code once a block is mapped, and before it is given back.
    static void countMapped(std::size_t bytes);
    static void countReleased(std::size_t bytes);

    std::byte *m_data = nullptr;
    std::size_t m_size = 0;
};

// Advises the whole 2 MiB ranges inside [data, data + bytes) for huge pages: for a large buffer
// another allocator gave that nothing has touched yet. A no-op where there are none.
void adviseHugePages(void *data, std::size_t bytes);
