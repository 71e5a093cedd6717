#include "RecordArena_p.h"

#include <cstdlib>

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

} // namespace

void *RecordArena::allocate(std::size_t bytes)
{
    bytes = roundUp(bytes);
    if (bytes > kSlabBytes - kHeader)
        throw std::bad_alloc(); // a record is a few hundred bytes; nothing larger is cut here
    if (!m_slab || m_used + bytes > kSlabBytes) {
        retire();
        void *memory = std::aligned_alloc(kSlabBytes, kSlabBytes);
        if (!memory)
            throw std::bad_alloc();
        m_slab = new (memory) Slab;
        m_used = kHeader;
    }
    void *p = reinterpret_cast<char *>(m_slab) + m_used;
    m_used += bytes;
    ++m_slab->live;
    return p;
}

void RecordArena::deallocate(void *p) noexcept
{
    auto *slab = reinterpret_cast<Slab *>(reinterpret_cast<std::uintptr_t>(p) & ~std::uintptr_t(kSlabBytes - 1));
    if (--slab->live == 0)
        std::free(slab);
}

void RecordArena::retire()
{
    if (m_slab && --m_slab->live == 0)
        std::free(m_slab);
    m_slab = nullptr;
}

} // namespace velk
