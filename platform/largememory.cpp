#include "platform/largememory.h"

#include <utility>

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
