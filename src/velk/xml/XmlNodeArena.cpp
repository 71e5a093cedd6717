#include "XmlNodeArena_p.h"

#include <cstdlib>

namespace velk {

// A slab starts with its header; nodes follow. Slabs are aligned to their size, so the
// slab of any node is its address with the low bits cleared.
struct XmlNodeArena::Slab
{
    // Nodes cut from the slab and not yet freed, plus one while the arena still cuts
    // from it. Only the user-interface thread creates and drops nodes.
    std::size_t live = 1;
};

namespace {

constexpr std::size_t kAlign = XmlNodeArena::kAlign;
constexpr std::size_t kHeader = (sizeof(std::size_t) + kAlign - 1) / kAlign * kAlign;

std::size_t roundUp(std::size_t bytes)
{
    return (bytes + kAlign - 1) / kAlign * kAlign;
}

} // namespace

void *XmlNodeArena::allocate(std::size_t bytes)
{
    bytes = roundUp(bytes);
    if (bytes > kSlabBytes - kHeader)
        throw std::bad_alloc(); // a node is a few hundred bytes; nothing larger is cut here
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

void XmlNodeArena::deallocate(void *p) noexcept
{
    auto *slab = reinterpret_cast<Slab *>(reinterpret_cast<std::uintptr_t>(p) & ~std::uintptr_t(kSlabBytes - 1));
    if (--slab->live == 0)
        std::free(slab);
}

void XmlNodeArena::retire()
{
    if (m_slab && --m_slab->live == 0)
        std::free(m_slab);
    m_slab = nullptr;
}

} // namespace velk
