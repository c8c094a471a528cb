#include "platform/largememory.h"

#include <atomic>
#include <utility>

namespace {
std::atomic<std::size_t> heldBytes{0};
} // namespace

std::size_t LargeMemory::bytesHeld()
{
    return heldBytes.load(std::memory_order_relaxed);
}

void LargeMemory::countMapped(std::size_t bytes)
{
    heldBytes.fetch_add(bytes, std::memory_order_relaxed);
}

void LargeMemory::countReleased(std::size_t bytes)
{
    heldBytes.fetch_sub(bytes, std::memory_order_relaxed);
}

LargeMemory::~LargeMemory()
{
    release();
}

LargeMemory::LargeMemory(LargeMemory &&other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0))
{
}

LargeMemory &LargeMemory::operator=(LargeMemory &&other) noexcept
{
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}
