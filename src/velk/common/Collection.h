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
    int Count() const { return int(m_values.size()); }
    bool isEmpty() const { return m_values.empty(); }
    /// Makes room for `count` items in all, so that filling a known number costs one allocation.
    void reserve(int count) { m_values.reserve(size_t(qMax(count, 0))); }

    /// Appends `value`, or inserts it before position `before` (1-based) when given.
    /// Returns false (and adds nothing) when `key` is already in use.
    bool Add(T value, const QString &key = QString(), int before = 0)
    {
        if (!key.isEmpty() && Exists(key))
            return false;
        const int at = (before >= 1 && before <= Count()) ? before - 1 : Count();
        if (!key.isEmpty() || !m_keys.empty()) {
            m_keys.resize(m_values.size()); // in step already once a key was given
            m_keys.insert(m_keys.begin() + at, key);
        }
        m_values.insert(m_values.begin() + at, std::move(value));
        if (!key.isEmpty())
            ++m_keyed;
        invalidateKeys(at);
        return true;
    }

    bool Exists(const QString &key) const { return indexOfKey(key) >= 0; }
    /// Position (1-based) of `key`, 0 when absent.
    int IndexOf(const QString &key) const { return indexOfKey(key) + 1; }

    /// Item at `index` (1-based); nullptr when out of range.
    T *Item(int index) { return inRange(index) ? &m_values[index - 1] : nullptr; }
    const T *Item(int index) const { return inRange(index) ? &m_values[index - 1] : nullptr; }
    T *Item(const QString &key)
    {
        const int i = indexOfKey(key);
        return i >= 0 ? &m_values[i] : nullptr;
    }
    const T *Item(const QString &key) const
    {
        const int i = indexOfKey(key);
        return i >= 0 ? &m_values[i] : nullptr;
    }
    /// Item at `index`, or a default value when out of range.
    T value(int index, const T &fallback = T()) const { return inRange(index) ? m_values[index - 1] : fallback; }
    T value(const QString &key, const T &fallback = T()) const
    {
        const int i = indexOfKey(key);
        return i >= 0 ? m_values[i] : fallback;
    }
    QString Key(int index) const { return inRange(index) && !m_keys.empty() ? m_keys[index - 1] : QString(); }

    bool Remove(int index)
    {
        if (!inRange(index))
            return false;
        if (!m_keys.empty()) {
            if (!m_keys[index - 1].isEmpty())
                --m_keyed;
            m_keys.erase(m_keys.begin() + (index - 1));
        }
        m_values.erase(m_values.begin() + (index - 1));
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
        m_values.clear();
        m_keys.clear();
        m_keyIndex.clear();
        m_keyed = 0;
        m_indexedUpTo = 0;
        m_staleKeys = false;
    }

    // Range-for over the values, in order.
    using const_iterator = typename std::vector<T>::const_iterator;
    const_iterator begin() const { return m_values.begin(); }
    const_iterator end() const { return m_values.end(); }

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
                if (!m_keys[i].isEmpty())
                    m_keyIndex.insert(m_keys[i], i);
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

    std::vector<T> m_values;
    // Keys by position, empty until the first keyed item: most collections carry none.
    std::vector<QString> m_keys;
    mutable QHash<QString, int> m_keyIndex;
    mutable int m_indexedUpTo = 0;
    mutable bool m_staleKeys = false; ///< the index holds entries at or past m_indexedUpTo
    int m_keyed = 0;
};

} // namespace velk
