#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>

namespace velk {

/// Storage for the many short texts one reading of a file creates (an XML document's
/// attribute texts and bodies, a board's ids and captions). Texts are copied
/// one after the other into large blocks, each followed by the terminating zero a QString
/// keeps, and every QString handed out shares its block through the block's reference
/// count: a node's texts cost no allocation of their own, and dropping them costs no free.
///
/// The strings behave as any implicitly shared QString: a copy shares, a change detaches,
/// and a string that has become the last owner of its block changes in place, which no
/// other string can see. A block is freed when the last string in it goes, so a host that
/// keeps one text alive after dropping its document keeps that text's block (at most
/// kBlockChars characters).
///
/// A block's reference count is raised once, when the block is made, by as many strings
/// as can fit in it; each string handed out takes one of those references, and the unused
/// ones are given back when the block is left. So handing out a string costs no atomic
/// count update, and the count never falls below the number of strings that share it.
class TextBlocks
{
public:
    static constexpr qsizetype kBlockChars = 32 * 1024;

    TextBlocks() = default;
    TextBlocks(const TextBlocks &) = delete;
    TextBlocks &operator=(const TextBlocks &) = delete;
    ~TextBlocks() { leaveBlock(); }

    /// Room for `length` characters and a terminator, valid until the next `take`.
    char16_t *room(qsizetype length)
    {
        if (m_end - m_next <= length)
            newBlock(length + 1);
        return m_next;
    }

    /// The first `length` characters written at `room()` as a string sharing the block.
    /// Zero characters give an empty (not null) string.
    QString take(qsizetype length)
    {
        if (length == 0)
            return QString(reinterpret_cast<const QChar *>(u""), 0);
        m_next[length] = u'\0';
        --m_unusedRefs; // a text of n characters fills n + 1, so a block never runs out
        QString text(QString::DataPointer(m_block.d_ptr(), m_next, length));
        m_next += length + 1;
        return text;
    }

    /// `text` copied into a block; a null text gives a null string.
    QString copy(QStringView text)
    {
        if (text.isNull())
            return QString();
        char16_t *out = room(text.size());
        std::copy_n(text.utf16(), text.size(), out);
        return take(text.size());
    }

private:
    void newBlock(qsizetype atLeast)
    {
        leaveBlock();
        // A text longer than a block gets a block of its own.
        m_block = QString::DataPointer(QTypedArrayData<char16_t>::allocate(qMax(atLeast, kBlockChars)));
        m_next = m_block.data();
        m_end = m_next + m_block.constAllocatedCapacity();
        m_unusedRefs = int(qMin<qsizetype>(m_end - m_next, 1 << 30) / 2 + 1);
        m_block.d_ptr()->ref_.fetchAndAddOrdered(m_unusedRefs);
    }

    void leaveBlock()
    {
        if (m_unusedRefs > 0)
            m_block.d_ptr()->ref_.fetchAndAddOrdered(-m_unusedRefs);
        m_unusedRefs = 0;
    }

    QString::DataPointer m_block; // the block being filled; this holds one reference
    int m_unusedRefs = 0;         // references taken for strings not yet handed out
    char16_t *m_next = nullptr;
    char16_t *m_end = nullptr;
};

} // namespace velk
