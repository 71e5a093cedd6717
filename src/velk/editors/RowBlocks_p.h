#pragma once

// Shared records made many at a time: instead of one heap allocation per record, records
// (with their shared_ptr counts) are cut from large blocks, one after another, so a list
// filled at once lies in memory in its own order and passes over it read memory in order.
// A block is freed when the last record cut from it is gone (and the maker has moved on),
// so a record kept by someone keeps its whole block alive.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <memory>
#include <new>

namespace velk {

class RowBlocks
{
public:
    RowBlocks() = default;
    RowBlocks(const RowBlocks &) = delete;
    RowBlocks &operator=(const RowBlocks &) = delete;
    ~RowBlocks() { leave(); }

    /// Makes the next records come from a new block with room for about `bytes`.
    void startBlock(std::size_t bytes)
    {
        leave();
        m_block = Block::create(std::max(bytes, kMinBlock));
    }

    /// A new T (constructed from `args`) in the current block, or in a new one when it is full.
    template<typename T, typename... Args>
    std::shared_ptr<T> make(Args &&...args)
    {
        return std::allocate_shared<T>(Allocator<T>{this}, std::forward<Args>(args)...);
    }

private:
    static constexpr std::size_t kMinBlock = 16 * 1024;
    static constexpr std::size_t kAlign = alignof(std::max_align_t);

    struct Block
    {
        std::atomic<std::size_t> live{1}; // records cut from it, plus one while it is current
        std::size_t used = 0;
        std::size_t size = 0;

        static Block *create(std::size_t bytes)
        {
            void *memory = ::operator new(headerSize() + bytes, std::align_val_t(kAlign));
            Block *block = new (memory) Block;
            block->size = bytes;
            return block;
        }
        static constexpr std::size_t headerSize() { return (sizeof(Block) + kAlign - 1) / kAlign * kAlign; }
        char *data() { return reinterpret_cast<char *>(this) + headerSize(); }
        void release()
        {
            if (live.fetch_sub(1, std::memory_order_acq_rel) == 1) {
                this->~Block();
                ::operator delete(static_cast<void *>(this), std::align_val_t(kAlign));
            }
        }
    };

    // Each record starts with the block it came from, so that freeing needs nothing else.
    static constexpr std::size_t kRecordHeader = kAlign;

    void *take(std::size_t bytes)
    {
        const std::size_t need = kRecordHeader + (bytes + kAlign - 1) / kAlign * kAlign;
        if (!m_block || m_block->size - m_block->used < need)
            startBlock(m_block ? m_block->size : need);
        if (m_block->size - m_block->used < need)
            startBlock(need);
        char *at = m_block->data() + m_block->used;
        m_block->used += need;
        m_block->live.fetch_add(1, std::memory_order_relaxed);
        *reinterpret_cast<Block **>(at) = m_block;
        return at + kRecordHeader;
    }

    static void give(void *p)
    {
        char *at = static_cast<char *>(p) - kRecordHeader;
        (*reinterpret_cast<Block **>(at))->release();
    }

    void leave()
    {
        if (m_block)
            m_block->release();
        m_block = nullptr;
    }

    // The allocator allocate_shared keeps beside each record; freeing only reads the
    // record's own header, so a record may outlive the RowBlocks that made it.
    template<typename T>
    struct Allocator
    {
        using value_type = T;
        RowBlocks *blocks;

        template<typename U>
        Allocator(const Allocator<U> &other) : blocks(other.blocks) {}
        explicit Allocator(RowBlocks *b) : blocks(b) {}

        T *allocate(std::size_t n)
        {
            static_assert(alignof(T) <= kAlign);
            return static_cast<T *>(blocks->take(n * sizeof(T)));
        }
        void deallocate(T *p, std::size_t) { give(p); }
        template<typename U>
        bool operator==(const Allocator<U> &) const { return true; }
    };

    Block *m_block = nullptr;
};

} // namespace velk
