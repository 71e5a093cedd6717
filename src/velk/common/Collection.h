#pragma once

#include <QHash>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace velk {

/// An ordered list whose positions count from 1, with an optional unique string key
/// per item. Keys are compared binary. A missing position
/// or key is reported by the `std::optional`/`bool` results, never by throwing.
template<typename T>
class Collection
{
public:
    int Count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    /// Makes room for `count` items in all, so that filling a known number costs one allocation.
    void reserve(int count) { m_items.reserve(size_t(qMax(count, 0))); }

    /// Appends `value`, or inserts it before position `before` (1-based) when given.
    /// Returns false (and adds nothing) when `key` is already in use.
    bool Add(T value, const QString &key = QString(), int before = 0)
    {
        if (!key.isEmpty() && Exists(key))
            return false;
        const int at = (before >= 1 && before <= Count()) ? before - 1 : Count();
        m_items.insert(m_items.begin() + at, Entry{std::move(value), key});
        if (!key.isEmpty())
            ++m_keyed;
        invalidateKeys(at);
        return true;
    }

    bool Exists(const QString &key) const { return indexOfKey(key) >= 0; }
    /// Position (1-based) of `key`, 0 when absent.
    int IndexOf(const QString &key) const { return indexOfKey(key) + 1; }

    /// Item at `index` (1-based); nullptr when out of range.
    T *Item(int index) { return inRange(index) ? &m_items[index - 1].value : nullptr; }
    const T *Item(int index) const { return inRange(index) ? &m_items[index - 1].value : nullptr; }
    T *Item(const QString &key)
    {
        const int i = indexOfKey(key);
        return i >= 0 ? &m_items[i].value : nullptr;
    }
    const T *Item(const QString &key) const
    {
        const int i = indexOfKey(key);
        return i >= 0 ? &m_items[i].value : nullptr;
    }
    /// Item at `index`, or a default value when out of range.
    T value(int index, const T &fallback = T()) const { return inRange(index) ? m_items[index - 1].value : fallback; }
    T value(const QString &key, const T &fallback = T()) const
    {
        const int i = indexOfKey(key);
        return i >= 0 ? m_items[i].value : fallback;
    }
    QString Key(int index) const { return inRange(index) ? m_items[index - 1].key : QString(); }

    bool Remove(int index)
    {
        if (!inRange(index))
            return false;
        if (!m_items[index - 1].key.isEmpty())
            --m_keyed;
        m_items.erase(m_items.begin() + (index - 1));
        invalidateKeys(index - 1);
        return true;
    }
    bool Remove(const QString &key)
    {
        const int i = indexOfKey(key);
        return i >= 0 && Remove(i + 1);
    }
    void Clear()
    {
        m_items.clear();
        m_keyIndex.clear();
        m_keyed = 0;
        m_indexedUpTo = 0;
        m_staleKeys = false;
    }

private:
    // Declared ahead of the iterator that names it: clang looks it up only from here on.
    struct Entry
    {
        T value;
        QString key;
    };

public:
    // Range-for over the values, in order.
    class const_iterator
    {
    public:
        using It = typename std::vector<typename Collection::Entry>::const_iterator;
        explicit const_iterator(It it) : m_it(it) {}
        const T &operator*() const { return m_it->value; }
        const_iterator &operator++() { ++m_it; return *this; }
        bool operator!=(const const_iterator &o) const { return m_it != o.m_it; }
    private:
        It m_it;
    };
    const_iterator begin() const { return const_iterator(m_items.begin()); }
    const_iterator end() const { return const_iterator(m_items.end()); }

private:
    bool inRange(int index) const { return index >= 1 && index <= Count(); }

    // The key index is rebuilt lazily from the first changed position on, so that
    // appending keeps look-ups cheap and a run of inserts costs one rebuild.
    void invalidateKeys(int from) const
    {
        if (from < m_indexedUpTo) {
            m_indexedUpTo = from;
            m_staleKeys = true;
        }
    }
    int indexOfKey(const QString &key) const
    {
        if (key.isEmpty() || m_keyed == 0)
            return -1;
        // Appending leaves the index valid up to where it reached; only an insert or removal
        // before that point leaves entries to erase (scanning for them on every append
        // would make a run of keyed appends quadratic).
        if (m_indexedUpTo < Count() || m_staleKeys) {
            if (m_indexedUpTo == 0)
                m_keyIndex.clear();
            else if (m_staleKeys)
                eraseStaleKeys();
            for (int i = m_indexedUpTo; i < Count(); ++i) {
                if (!m_items[i].key.isEmpty())
                    m_keyIndex.insert(m_items[i].key, i);
            }
            m_indexedUpTo = Count();
            m_staleKeys = false;
        }
        const auto it = m_keyIndex.constFind(key);
        return it == m_keyIndex.constEnd() ? -1 : it.value();
    }
    void eraseStaleKeys() const
    {
        for (auto it = m_keyIndex.begin(); it != m_keyIndex.end();) {
            if (it.value() >= m_indexedUpTo)
                it = m_keyIndex.erase(it);
            else
                ++it;
        }
    }

    std::vector<Entry> m_items;
    mutable QHash<QString, int> m_keyIndex;
    mutable int m_indexedUpTo = 0;
    mutable bool m_staleKeys = false; ///< the index holds entries at or past m_indexedUpTo
    int m_keyed = 0;
};

} // namespace velk
