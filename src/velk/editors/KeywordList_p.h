#pragma once

#include <velk/velk_export.h>

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringTokenizer>

#include <functional>
#include <vector>

namespace velk {

/// One entry of a keyword list taken apart: "topic=keyword" or a keyword alone.
struct KeywordEntry
{
    bool hasTopic = false;
    QString topic;   ///< the part before the first "="
    QString keyword; ///< the rest after it, or the whole entry

    static KeywordEntry parse(const QString &entry);
};

/// The entries of a keyword list in case-insensitive order: an entry goes after every
/// entry whose lower-cased text is not greater than its own, so equal entries keep the
/// order they were added in. Entries are appended and sorted (stably) when next read,
/// so filling n entries costs n log n rather than a scan per entry. The texts and their
/// lower-cased forms live one after another in two buffers: an entry costs no string of
/// its own until it is read.
class VELK_TESTS_EXPORT KeywordList
{
public:
    void clear();
    /// Adds `entry`; an empty text is ignored.
    void add(QStringView entry);
    /// Adds each ","-separated part of `text`.
    void addAll(QStringView text);
    /// Removes the first entry equal to `entry`; false when there is none.
    bool remove(QStringView entry);
    bool contains(QStringView entry) const;
    int count() const { return int(m_entries.size()); }
    /// Entry `i` (0-based) in sorted order, valid until the list changes.
    QStringView at(int i) const;
    QStringList entries() const;

private:
    struct Item
    {
        qsizetype textFrom;    // where the text starts in m_texts
        qsizetype loweredFrom; // where the lower-cased text starts in m_lowered
        int textLength;
        int loweredLength;
        int loweredEquals; // where the first "=" is in the lower-cased text; -1 for none
    };
    QStringView text(const Item &item) const { return QStringView(m_texts).mid(item.textFrom, item.textLength); }
    QStringView lowered(const Item &item) const { return QStringView(m_lowered).mid(item.loweredFrom, item.loweredLength); }
    void ensureSorted() const;

    QString m_texts;
    QString m_lowered;
    mutable std::vector<Item> m_entries;
    mutable bool m_sorted = true;
};

/// Which rows of a filled keyword sheet a `SelectedKeywords` entry ticks: "topic=keyword"
/// ticks the row of that entry, a keyword alone ticks that keyword in every topic and
/// without one, and "=keyword" the keyword without a topic only. Rows are registered once
/// after filling; each look-up is a hash probe. The tables keep each key's hash and its
/// first and last row; the rows of one key are chained through the rows themselves, so
/// registering a row allocates nothing and reads no other row's text. A table takes in
/// the rows registered since its last look-up all at once, asking for the cells a few rows
/// ahead, so that a large list does not wait for each cell in turn; a table whose kind of
/// key is never asked for (entries only, or keywords only) is never built.
class VELK_TESTS_EXPORT KeywordTicks
{
public:
    void clear();
    /// Makes room for `rows` keyword rows, so filling does not rehash.
    void reserve(int rows);
    /// Registers the keyword row at `pos` made from `entry`. Rows come in rising `pos`.
    void addRow(int pos, const QString &entry);
    /// The rows the `SelectedKeywords` entry `selected` ticks, in row order.
    std::vector<int> rowsOf(QStringView selected) const;
    /// Calls `f` with each of those rows, in row order.
    template<typename F>
    void forEachRowOf(QStringView selected, F &&f) const
    {
        const Kind kind = selected.contains(u'=') ? ByEntry : ByKeyword;
        const Key key{false, selected};
        index(kind);
        forEachInChain(kind, find(kind, key, key.hash()), f);
    }
    /// Calls `f` with each row that one of the ";"-separated entries of `selected` ticks:
    /// entry after entry, each one's rows in row order. The cells, rows and texts of the
    /// entries a few places on are asked for ahead.
    template<typename F>
    void forEachTickedRow(QStringView selected, F &&f) const
    {
        struct Probe
        {
            QStringView text;
            Kind kind;
            quint32 hash;
            int candidate; // the first row of the first cell with the same hash, or -1
        };
        std::vector<Probe> probes;
        bool asks[2] = {false, false};
        for (const QStringView entry : QStringTokenizer(selected, u';', Qt::SkipEmptyParts)) {
            const Key key{false, entry};
            const Kind kind = entry.contains(u'=') ? ByEntry : ByKeyword;
            asks[kind] = true;
            probes.push_back(Probe{entry, kind, key.hash(), -1});
        }
        for (Kind kind : {ByEntry, ByKeyword}) {
            if (asks[kind])
                index(kind);
        }
        constexpr size_t kStage = 4; // entries between asking for a cell, its row and its text
        const size_t n = probes.size();
        for (size_t i = 0; i < n + 3 * kStage; ++i) {
            if (i < n)
                prefetchCell(probes[i].kind, probes[i].hash);
            if (i >= kStage && i - kStage < n) {
                Probe &p = probes[i - kStage];
                p.candidate = candidate(p.kind, p.hash);
                if (p.candidate >= 0)
                    __builtin_prefetch(&m_byRow[size_t(p.candidate)]);
            }
            if (i >= 2 * kStage && i - 2 * kStage < n) {
                const Probe &p = probes[i - 2 * kStage];
                if (p.candidate >= 0)
                    __builtin_prefetch(m_byRow[size_t(p.candidate)].entry.constData());
            }
            if (i >= 3 * kStage && i - 3 * kStage < n) {
                const Probe &p = probes[i - 3 * kStage];
                forEachInChain(p.kind, find(p.kind, Key{false, p.text}, p.hash), f);
            }
        }
    }
    /// The entry the row at `pos` was made from; empty for other rows.
    QString entryOf(int pos) const
    {
        return pos >= 0 && size_t(pos) < m_byRow.size() ? m_byRow[size_t(pos)].entry : QString();
    }
    /// The keyword rows in row order.
    const std::vector<int> &rows() const { return m_rows; }

    /// `selected` rebuilt after the user changed ticks, `isTicked` telling each row's
    /// state now: entries in their old order, unknown ones kept; an entry whose rows are
    /// all ticked stays; a keyword alone some of whose rows were cleared gives way to the
    /// entries of its rows still ticked; then the ticked rows no entry covers, in row order.
    /// A row without a topic is named by its keyword alone when every row of that keyword
    /// is ticked, else as "=keyword".
    QString rebuilt(const QString &selected, const std::function<bool(int)> &isTicked) const;

private:
    struct Row
    {
        QString entry;       // empty for rows that are not keyword rows
        int keywordFrom = 0; // where the keyword starts in `entry`: after the first "=", or 0
        // By kind of key (entry, keyword): the next row with the same key, -1 for none,
        // and the key's hash once the row is indexed.
        int next[2] = {-1, -1};
        quint32 hashes[2] = {0, 0};
    };
    // One key of a table: its hash, and the first and last of its rows (-1: a free slot).
    struct Slot
    {
        quint32 hash = 0;
        int first = -1;
        int last = -1;
    };
    // Open addressing with linear probing over a power-of-two number of cells.
    struct Table
    {
        std::vector<Slot> cells;
        int used = 0;
    };
    enum Kind { ByEntry, ByKeyword };

    // A key as `text`, with an "=" before it when `withEquals` holds.
    struct Key
    {
        bool withEquals;
        QStringView text;
        bool operator==(const Key &other) const;
        quint32 hash() const;
    };
    // The key of row `row` in the table of `kind`: by entry, the entry when that has a
    // topic, else "=" + entry; by keyword, the part after the first "=".
    Key keyOf(Kind kind, int row) const;
    const Slot *find(Kind kind, const Key &key, quint32 hash) const;
    // Calls `f` with the rows of `slot`'s key in row order; none for a null slot.
    template<typename F>
    void forEachInChain(Kind kind, const Slot *slot, F &f) const
    {
        for (int pos = slot ? slot->first : -1; pos >= 0; pos = m_byRow[size_t(pos)].next[kind])
            f(pos);
    }
    void prefetchCell(Kind kind, quint32 hash) const
    {
        const std::vector<Slot> &cells = m_tables[kind].cells;
        if (!cells.empty())
            __builtin_prefetch(&cells[hash & (cells.size() - 1)]);
    }
    // The first row of the first cell holding `hash`, without comparing texts; -1 if none.
    int candidate(Kind kind, quint32 hash) const;
    // Takes the rows registered since into the table of `kind`.
    void index(Kind kind) const;
    void append(Kind kind, int pos) const;
    static void grow(Table &table, size_t cells);
    // Whether `used` keys fit in `cells` cells without probing too long.
    static bool fits(size_t used, size_t cells) { return used * 10 <= cells * 7; }

    void appendRow(int pos, const std::function<bool(int)> &isTicked, QStringList &out, QSet<int> &covered) const;

    mutable Table m_tables[2];
    mutable std::vector<Row> m_byRow; // by row position; the links follow the tables
    std::vector<int> m_rows;
    mutable size_t m_indexed[2] = {0, 0}; // how many of m_rows each table holds
};

/// The "/"-separated query text, for asking whether an entry lies between two "/".
class VELK_TESTS_EXPORT KeywordQuery
{
public:
    explicit KeywordQuery(const QString &query);
    /// Whether "/" + query + "/" contains "/" + entry + "/".
    bool matches(const QString &entry) const;

private:
    QString m_framed;
    QSet<QString> m_parts;
    bool m_empty;
};

} // namespace velk
