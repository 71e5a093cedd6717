#pragma once

// The menu bar's definition string taken apart: a comma-separated list of items, each a
// separator "-", the far-end mark ">", an input field "$type:key", or "icon#caption#marker".

#include <velk/velk_export.h>

#include <QString>

#include <vector>

namespace velk {

/// One item of a menu definition.
struct VELK_TESTS_EXPORT MenuEntry
{
    enum Kind { Normal, Separator, FarEnd, Field };

    Kind kind = Normal;
    QString text;      ///< the whole item
    QString icon;      ///< Normal: icon name before the first "#", empty for none
    QString caption;   ///< Normal: the caption; other kinds: the whole item
    QString marker;    ///< Normal: the text after the second "#" ("v", "|v", ...)
    QString fieldType; ///< Field: "$text", "$date", "$eval" (the text before the first ":")
    QString fieldKey;  ///< Field: the text after the first ":"

    bool hasIcon() const { return kind == Normal && !icon.isEmpty(); }
    bool hasMarker() const { return kind == Normal && !marker.isEmpty(); }
    /// "|v": a split button whose arrow is a click target of its own.
    bool isSplit() const { return kind == Normal && marker == u"|v"; }
    /// A caption starting with "(" is not written; the item shows only its icon.
    bool isCaptionHidden() const { return kind == Normal && caption.startsWith(u'('); }
    bool isEvalField() const { return kind == Field && fieldType == u"$eval"; }
    /// Whether the mouse can act on the item (not a separator, the far-end mark or a field).
    bool isClickable() const { return kind == Normal; }

    static MenuEntry parse(const QString &text);
};

/// A parsed menu definition. Items are numbered from 1 in list order, separators and
/// fields included; splitting follows GetToken at ",", so an empty item between two
/// commas counts and a trailing "," adds none.
class VELK_TESTS_EXPORT MenuModel
{
public:
    MenuModel() = default;
    explicit MenuModel(const QString &menu);

    const QString &menu() const { return m_menu; }
    void setMenu(const QString &menu);

    int Count() const { return int(m_entries.size()); }
    /// Item `id` (from 1); an empty Normal entry when out of range.
    const MenuEntry &entry(int id) const;
    const std::vector<MenuEntry> &entries() const { return m_entries; }

    /// The whole text of item `id`; empty past the end.
    QString GetItem(int id) const;
    /// The caption of item `pos`: its text without icon part and marker.
    QString MenuItem(int pos) const;
    /// The item number of the field "$type:key" with exactly this key; 0 if none.
    int fieldWithKey(const QString &key) const;

    /// `menu` with item `id` replaced by `par`: the first id − 1 items each followed by ","
    /// (empty items added past the end), then `par`, then "," and the rest when the rest is
    /// not empty. An empty `par` with nothing after it drops the comma before it too.
    static QString withItemReplaced(const QString &menu, int id, const QString &par);

    /// An "$eval" field's text with flag `flag` (from 0) toggled: flag 0 between "?" and a
    /// blank, every other one between "x" and a blank. The text is first padded with
    /// blanks to EvalFieldLength characters; a flag past its end changes nothing else.
    static QString toggledEvalFlag(const QString &text, int flag);
    /// The shortest text an "$eval" field holds.
    static constexpr int EvalFieldLength = 7;

private:
    QString m_menu;
    std::vector<MenuEntry> m_entries;
};

} // namespace velk
