#include "RecordArena_p.h"

#include <cstdlib>
#include <mutex>

// Under AddressSanitizer the arena marks what it has not handed out, or has taken back,
// as unaddressable, so a record read after it died or past its end is reported as it
// would be with malloc.
#if defined(__SANITIZE_ADDRESS__)
#define VELK_ARENA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELK_ARENA_ASAN 1
#endif
#endif
#ifdef VELK_ARENA_ASAN
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#endif

namespace velk {

// A slab starts with its header; records follow. Slabs are aligned to their size, so the
// slab of any record is its address with the low bits cleared.
struct RecordArena::Slab
{
    // Records cut from the slab and not yet freed, plus one while the arena still cuts
    // from it.
    std::size_t live = 1;
};

namespace {

constexpr std::size_t kAlign = RecordArena::kAlign;
constexpr std::size_t kHeader = (sizeof(std::size_t) + kAlign - 1) / kAlign * kAlign;

std::size_t roundUp(std::size_t bytes)
{
    return (bytes + kAlign - 1) / kAlign * kAlign;
}

// Slabs given back wait here for the next arena, up to a few megabytes. malloc serves a
// block aligned to its own size by mapping fresh pages and unmaps them again on free, so
// without this every slab of a pass that repeats (a list filled again, a document
// reloaded) would cost two system calls and a fault per page. The pool lives until the
// process ends; arenas on any thread share it.
class SlabPool
{
public:
    static SlabPool &instance()
    {
        static SlabPool *pool = new SlabPool; // never destroyed: records may die at exit
        return *pool;
    }

    void *take()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            if (m_free) {
                FreeSlab *slab = m_free;
                m_free = slab->next;
                --m_count;
                return slab;
            }
        }
        return std::aligned_alloc(RecordArena::kSlabBytes, RecordArena::kSlabBytes);
    }

    void give(void *memory) noexcept
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            if (m_count < kKept) {
                m_free = new (memory) FreeSlab{m_free};
                ++m_count;
                return;
            }
        }
        std::free(memory);
    }

private:
    static constexpr std::size_t kKept = 128; // 8 MB
    struct FreeSlab
    {
        FreeSlab *next;
    };
    std::mutex m_mutex;
    FreeSlab *m_free = nullptr;
    std::size_t m_count = 0;
};

} // namespace

void *RecordArena::allocate(std::size_t bytes)
{
    bytes = roundUp(bytes);
    if (bytes > kSlabBytes - kHeader)
        throw std::bad_alloc(); // a record is a few hundred bytes; nothing larger is cut here
    if (!m_slab || m_used + bytes > kSlabBytes) {
        retire();
        void *memory = SlabPool::instance().take();
        if (!memory)
            throw std::bad_alloc();
        ASAN_UNPOISON_MEMORY_REGION(memory, kHeader);
        ASAN_POISON_MEMORY_REGION(static_cast<char *>(memory) + kHeader, kSlabBytes - kHeader);
        m_slab = new (memory) Slab;
        m_used = kHeader;
    }
    void *p = reinterpret_cast<char *>(m_slab) + m_used;
    ASAN_UNPOISON_MEMORY_REGION(p, bytes);
    m_used += bytes;
    ++m_slab->live;
    return p;
}

void RecordArena::deallocate(void *p, std::size_t bytes) noexcept
{
    ASAN_POISON_MEMORY_REGION(p, roundUp(bytes));
    auto *slab = reinterpret_cast<Slab *>(reinterpret_cast<std::uintptr_t>(p) & ~std::uintptr_t(kSlabBytes - 1));
    if (--slab->live == 0)
        SlabPool::instance().give(slab);
}

void RecordArena::retire()
{
    if (m_slab && --m_slab->live == 0)
        SlabPool::instance().give(m_slab);
    m_slab = nullptr;
}

} // namespace velk
