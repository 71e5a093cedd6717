#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

namespace velk {

/// Storage for the nodes one parse creates. Nodes (with their shared-pointer control
/// blocks) are cut one after the other from aligned slabs, so a document of a million
/// elements costs a few hundred allocations instead of a million, and its nodes lie
/// together in memory. A slab counts the nodes cut from it and is released when the last
/// of them dies and the arena has moved on; a node a host keeps alive keeps its slab.
/// Freed node storage is not reused before its slab goes.
class XmlNodeArena
{
public:
    static constexpr std::size_t kSlabBytes = std::size_t(1) << 16;
    /// Storage is cut at this alignment, which suits nodes, child lists and their
    /// control blocks (pointers and strings), and packs them tighter than malloc's 16.
    static constexpr std::size_t kAlign = alignof(void *);

    XmlNodeArena() = default;
    XmlNodeArena(const XmlNodeArena &) = delete;
    XmlNodeArena &operator=(const XmlNodeArena &) = delete;
    ~XmlNodeArena() { retire(); }

    void *allocate(std::size_t bytes);
    /// Returns storage cut by any arena: the slab is found from the address.
    static void deallocate(void *p) noexcept;

    /// The allocator `std::allocate_shared` takes. Only allocating needs the arena;
    /// freeing finds the slab from the address, so a copy kept in a control block may
    /// outlive its arena.
    template<typename T>
    struct Allocator
    {
        using value_type = T;
        XmlNodeArena *arena;
        explicit Allocator(XmlNodeArena *a) : arena(a) {}
        template<typename U> Allocator(const Allocator<U> &other) : arena(other.arena) {}
        T *allocate(std::size_t n)
        {
            static_assert(alignof(T) <= kAlign, "the arena cuts storage at pointer alignment");
            return static_cast<T *>(arena->allocate(n * sizeof(T)));
        }
        void deallocate(T *p, std::size_t) noexcept { XmlNodeArena::deallocate(p); }
        template<typename U> bool operator==(const Allocator<U> &o) const { return arena == o.arena; }
    };

private:
    struct Slab;
    void retire();

    Slab *m_slab = nullptr;
    std::size_t m_used = 0;
};

} // namespace velk
