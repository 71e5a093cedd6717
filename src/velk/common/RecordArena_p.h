#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace velk {

/// Storage for the many shared records one pass creates (an XML document's nodes, the
/// rows of a keyword fill). Records (with their shared-pointer control blocks) are cut
/// one after the other from aligned slabs, so a million records cost a few hundred
/// allocations instead of a million, and they lie in memory in the order they were made.
/// A slab counts the records cut from it and is released when the last of them dies and
/// the arena has moved on; a record a host keeps alive keeps its slab. Freed storage is
/// not reused before its slab goes. Released slabs wait, up to 8 MB of them, for the next
/// arena to cut from. Records are made and dropped on one thread.
class RecordArena
{
public:
    static constexpr std::size_t kSlabBytes = std::size_t(1) << 16;
    /// Storage is cut at this alignment, which suits records of pointers, integers and
    /// strings with their control blocks, and packs them tighter than malloc's 16.
    static constexpr std::size_t kAlign = alignof(void *);

    RecordArena() = default;
    RecordArena(const RecordArena &) = delete;
    RecordArena &operator=(const RecordArena &) = delete;
    ~RecordArena() { retire(); }

    void *allocate(std::size_t bytes);
    /// Returns `bytes` of storage cut by any arena: the slab is found from the address.
    static void deallocate(void *p, std::size_t bytes) noexcept;

    /// The allocator `std::allocate_shared` takes. Only allocating needs the arena;
    /// freeing finds the slab from the address, so a copy kept in a control block may
    /// outlive its arena.
    template<typename T>
    struct Allocator
    {
        using value_type = T;
        RecordArena *arena;
        explicit Allocator(RecordArena *a) : arena(a) {}
        template<typename U> Allocator(const Allocator<U> &other) : arena(other.arena) {}
        T *allocate(std::size_t n)
        {
            static_assert(alignof(T) <= kAlign, "the arena cuts storage at pointer alignment");
            return static_cast<T *>(arena->allocate(n * sizeof(T)));
        }
        void deallocate(T *p, std::size_t n) noexcept { RecordArena::deallocate(p, n * sizeof(T)); }
        template<typename U> bool operator==(const Allocator<U> &o) const { return arena == o.arena; }
    };

    /// A new T made from `args` in this arena's storage.
    template<typename T, typename... Args>
    std::shared_ptr<T> make(Args &&...args)
    {
        return std::allocate_shared<T>(Allocator<T>(this), std::forward<Args>(args)...);
    }

private:
    struct Slab;
    void retire();

    Slab *m_slab = nullptr;
    std::size_t m_used = 0;
};

} // namespace velk
