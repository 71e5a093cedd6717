#pragma once

#include <velk/common/Color.h>
#include <velk/velk_export.h>

#include <QString>
#include <QStringView>

#include <memory>

namespace velk {

class SheetData;
class SheetRows;

/// A row's Expanded field: reads and writes as a bool. A write that changes it tells the
/// sheet holding the row, so the next paint, key or scroll shows the tree as it is now
/// without a Refresh; the write itself costs the same whatever the list's length.
class VELK_EXPORT SheetExpanded
{
public:
    SheetExpanded() = default;
    /// A copy takes the value only: it belongs to no row.
    SheetExpanded(const SheetExpanded &other)
        : m_on(other.m_on)
    {
    }
    SheetExpanded &operator=(const SheetExpanded &other) { return *this = bool(other); }
    SheetExpanded &operator=(bool on);
    operator bool() const { return m_on; }

private:
    friend class SheetData;
    friend class SheetRows;

    // The row's sheet lives here, beside the flag that must reach it.
    SheetRows *m_owner = nullptr;
    bool m_on = false;
};

/// "No colour of its own" for SheetData::BackColor: the list's colours apply.
inline constexpr Color NoColor = 0xFFFFFFFFu;

/// One row of a velkSheet: a line of tab-separated cells with a tree level, colours and
/// host data. The tree links, Index and Visible are kept by the sheet holding the row and
/// are worked out when read, so they are always current; a row that is in no sheet has no
/// links and Index 0.
///
/// The fields are ordered by use rather than by interface: a sheet holds a million of
/// these, so the fields that passes over all rows read lie together at the front, and the
/// tree links are kept by the sheet in an array of their own.
class VELK_EXPORT SheetData
{
    // First, so that it shares a cache line with the use count just before the row and
    // the Selected flag: finding the selected rows and then reading their cells touches
    // that line and the text.
    QString m_text;

public:
    SheetData() = default;
    ~SheetData() = default;
    SheetData(const SheetData &) = delete;
    SheetData &operator=(const SheetData &) = delete;

    bool Selected = false;
    bool Init = true;                 ///< the row's data has been supplied (requested rows)
    bool Deleted = false;             ///< marked for velkSheet::Delete()
    short Indent = 0;                 ///< tree level, 0 = top
    short CheckState = 0;             ///< 0 no box, 1 unchecked, 2 checked
    short Format = 0;                 ///< display bits; bit 2 draws the cells bold
    short Height = 0;                 ///< fixed height in twips; below 1 = computed

private:
    // Read with the fields around them by passes over all rows (renumbering, adopting and
    // releasing, resetting boxes by icon).
    int m_index = 0;
    QString m_icon;

public:
    SheetExpanded Expanded;           ///< children shown
    Color BackColor = NoColor;        ///< own background; NoColor = the list's colours
    Color ForeColor = SystemColor::WindowText;
    QString Tag;                      ///< free for the host
    std::shared_ptr<void> TagObject;  ///< free for the host (any shared object)
    QString Sort;                     ///< sort key of AddSortItem, SetSort and Query

    /// Position in the sheet's ListItems (1-based); 0 when the row is in no sheet.
    int Index() const;
    /// Tree links; nullptr where there is none. A row is the child of the nearest row
    /// above it with a smaller Indent.
    SheetData *Parent() const;
    SheetData *FirstChild() const;
    SheetData *NextSibling() const;
    SheetData *PrevSibling() const;
    /// True when every ancestor is expanded.
    bool Visible() const;

    /// Top and bottom of the row in the list's drawing space, twips (set by the painter).
    int y1() const { return m_y1; }
    void setY1(int twips) { m_y1 = twips; }
    int y2() const { return m_y2; }
    void setY2(int twips) { m_y2 = twips; }

    /// Name of the row's icon; empty for none.
    const QString &Icon() const { return m_icon; }
    void setIcon(const QString &name) { m_icon = name; }

    /// The cells, separated by tabs.
    const QString &Text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    /// Largest number of lines in a cell (lines end at LF; an empty cell has none).
    int Lines() const;

    /// Cell `col` (from 1); "" when `col` < 1 or the row has fewer cells.
    QString GetSubText(int col) const;
    /// The same cell as a view into Text (valid until Text changes).
    QStringView subTextView(int col) const;
    /// Replaces cell `col`, padding with empty cells; a tab always follows the new text.
    /// Ignored for `col` outside 1 .. 32767.
    void SetSubText(int col, const QString &txt);

private:
    friend class SheetRows;

    SheetRows *owner() const { return Expanded.m_owner; }

    int m_y1 = 0;
    int m_y2 = 0;
};

} // namespace velk
