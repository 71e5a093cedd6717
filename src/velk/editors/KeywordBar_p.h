#pragma once

#include <velk/common/Collection.h>
#include <velk/editors/velkKeywordData.h>
#include <velk/velk_export.h>

#include <QHash>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace velk {

/// The keywords of a velkKeyword bar and what a pick does to their counts.
class VELK_TESTS_EXPORT KeywordBarModel
{
public:
    using DataPtr = std::shared_ptr<velkKeywordData>;

    const Collection<DataPtr> &keywords() const { return m_keywords; }
    int count() const { return m_keywords.Count(); }
    /// Keyword `i` (1-based); empty outside 1 .. count.
    DataPtr at(int i) const { return m_keywords.value(i); }
    /// Position (1-based) of the keyword with this text; 0 when there is none.
    int indexOf(const QString &text) const { return m_keywords.IndexOf(text); }

    /// Appends a keyword; false (and nothing added) for a text already present.
    bool add(const QString &text, int clicks = 0, int clicksOther = 0);
    void clear() { m_keywords.Clear(); }
    /// Counts the pick of keyword `i`: its Clicks grow by 1 and, when `i` > 3, its
    /// ClicksOther becomes 2; every other keyword's ClicksOther grows by 1. False (and
    /// nothing counted) outside 1 .. count.
    bool countPick(int i);
    /// Orders the keywords by Ranking, highest first; equal rankings keep their order.
    void rank();

private:
    Collection<DataPtr> m_keywords; // keyed by Text
};

/// Counts kept between sessions: one text "Clicks,ClicksOther,Text" per keyword.
class VELK_TESTS_EXPORT KeywordLearning
{
public:
    struct Counts
    {
        QString text;
        int clicks = 0;
        int clicksOther = 0;
    };

    /// Reads the stored texts; a malformed one is skipped, a repeated text counts once.
    void load(const QStringList &stored);
    /// The stored counts of `text`, or nullptr.
    const Counts *find(const QString &text) const;
    /// The texts to store: the loaded keywords in their order, then the remembered ones
    /// that are not loaded, in their stored order. Remembers the result.
    QStringList merge(const Collection<KeywordBarModel::DataPtr> &loaded);

    /// One stored text taken apart; false when it is malformed.
    static bool parse(const QString &line, Counts &out);
    static QString format(const velkKeywordData &data);

private:
    std::vector<Counts> m_counts;
    QHash<QString, int> m_index;
};

/// Where the parts of a velkKeyword bar go, in twips: the caption on top, below it the
/// keyword buttons from the left, each as wide as its caption's text plus 120 and 50
/// apart, then the popup button.
struct VELK_TESTS_EXPORT KeywordBarLayout
{
    static constexpr int MaxButtons = 8;
    static constexpr int ButtonPaddingTwips = 120;
    static constexpr int ButtonGapTwips = 50;
    static constexpr int PopupWidthTwips = 330;

    QRect label;
    std::vector<QRect> buttons; ///< one per shown keyword button (at most 8)
    QRect popup;

    /// `textWidths` are the button captions' text widths (twips; only the first 8 are
    /// used), `captionWidth` the caption's, `lineHeight` the height of a text line.
    static KeywordBarLayout compute(const std::vector<int> &textWidths, int captionWidth, int lineHeight);
    /// The right and bottom edge of everything, twips.
    QSize extent() const;
};

} // namespace velk
