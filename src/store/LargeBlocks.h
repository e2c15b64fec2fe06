#pragma once
#include <cstddef>
#include <utility>

namespace opusteca::memory {

// Has every large block of memory taken straight from the system, in every
// process that sets it (the program and its benchmarks), once at start.
//
// A search of a large archive grows a few buffers to tens of megabytes each.
// The C library otherwise serves blocks below a size it raises as the program
// frees large blocks from its own heap, where growing a block copies it: old
// and new copy are then both in memory at once. Taken from the system, a block
// grows in place and goes back whole when freed. Does nothing where the
// library has no such setting.
void mapLargeBlocks();

// Bytes that grow at their end, keeping what they hold: the buffers a search
// fills, from a few kilobytes to hundreds of megabytes. Never cleared.
//
// Once it reaches a few megabytes the block is taken from the system by
// itself, grown in place where the system can, and asks for its memory in
// huge pages where the system has them: a search of a million books otherwise
// spends a fifth of its time having pages of 4 KiB handed to it one by one.
class GrowingBlock {
public:
    GrowingBlock() = default;
    ~GrowingBlock() { release(); }
    GrowingBlock(GrowingBlock &&other) noexcept
        : m_data(std::exchange(other.m_data, nullptr)), m_capacity(std::exchange(other.m_capacity, 0)),
          m_discarded(std::exchange(other.m_discarded, 0)), m_mapped(std::exchange(other.m_mapped, false))
    {
    }
    GrowingBlock &operator=(GrowingBlock &&other) noexcept
    {
        if (this != &other) {
            release();
            m_data = std::exchange(other.m_data, nullptr);
            m_capacity = std::exchange(other.m_capacity, 0);
            m_discarded = std::exchange(other.m_discarded, 0);
            m_mapped = std::exchange(other.m_mapped, false);
        }
        return *this;
    }

    char *data() const { return m_data; }
    std::size_t capacity() const { return m_capacity; }
    // Room for at least `bytes`, what the block holds kept: at least twice the
    // room it had, so that filling it a little at a time copies little.
    // Throws std::bad_alloc when there is no such room.
    void reserve(std::size_t bytes)
    {
        if (bytes > m_capacity) grow(bytes);
    }
    // Gives the memory back; the block is empty.
    void release();
    // Says that the first `bytes` will not be read again: where the block is
    // mapped by itself, the whole huge pages among them go back to the system
    // at once. A block filled once and read from its start can so shrink as
    // it is read. Reading them afterwards gives no defined bytes.
    void discardFront(std::size_t bytes);

private:
    void grow(std::size_t bytes);

    char *m_data = nullptr;
    std::size_t m_capacity = 0;
    std::size_t m_discarded = 0; // the first bytes already given back
    bool m_mapped = false;       // taken from the system by this class
};

} // namespace opusteca::memory
