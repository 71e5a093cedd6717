#pragma once

#include <velk/common/Color.h>
#include <velk/sheet/SheetColumnStore_p.h>
#include <velk/sheet/SheetFrame_p.h>
#include <velk/sheet/SheetLayout_p.h>
#include <velk/sheet/SheetModel_p.h>
#include <velk/sheet/SheetMouse_p.h>
#include <velk/velk_export.h>

#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace velk {

/// One of the host's entries in a sheet's popup menu.
struct SheetMenuEntry
{
    int index = 0;   ///< one above the highest loaded entry's when added; kept after removals
    QString caption;
    bool checked = false;
    QString cmd;     ///< the entry's Tag, raised with Menu when it is chosen

    /// An entry for AddMenu(cap, cmd): a caption beginning with "checked:" gives a checked
    /// entry captioned with the rest.
    static SheetMenuEntry fromCaption(const QString &cap, const QString &cmd);
};

/// Everything a sheet holds, in one place: the model (rows, columns, flags, current row,
/// selection, metrics), how the list is shown (margins, border, colour, Redraw, the
/// scroll position, rows painted highlighted), the host's texts, where the column layout
/// is kept, and the geometry worked out from all of it. Input, editor and view get this
/// object and change the sheet through it. The host's menu entries, the drag keyword and
/// the drop mark live here too.
///
/// The geometry (frame, column edges, the rows on the screen) is worked out once per
/// change: every change here, to the rows (SheetRows::generation), to the model
/// (SheetModel::revision) or to the window's size counts, and the first read after it
/// lays out again; every other read returns the kept result.
class VELK_TESTS_EXPORT SheetState
{
public:
    /// The window's side of the geometry, pixels: the control's size and the thickness of
    /// its scroll bars.
    struct WindowSize
    {
        QSize size;
        int barExtent = 0;
        bool operator==(const WindowSize &) const = default;
    };

    SheetState();
    SheetState(const SheetState &) = delete;
    SheetState &operator=(const SheetState &) = delete;

    SheetModel &model() { return m_model; }
    const SheetModel &model() const { return m_model; }

    // --- how the list is shown (setters return whether the value changed) -----------------
    int leftMargin() const { return m_leftMargin; }
    bool setLeftMargin(int twips) { return assign(m_leftMargin, twips); }
    int topMargin() const { return m_topMargin; }
    bool setTopMargin(int twips) { return assign(m_topMargin, twips); }
    /// 1: a one-pixel border around the control; 0: none.
    int borderStyle() const { return m_borderStyle; }
    bool setBorderStyle(int style) { return assign(m_borderStyle, style); }
    Color backColor() const { return m_backColor; }
    bool setBackColor(Color color) { return assign(m_backColor, color); }
    /// While false nothing is repainted.
    bool redraw() const { return m_redraw; }
    bool setRedraw(bool on) { return assign(m_redraw, on); }

    // --- the host's texts and the kept column layout -------------------------------------
    QString tag() const { return m_tag; }
    void setTag(const QString &value) { m_tag = value; }
    QString editItems() const { return m_editItems; }
    void setEditItems(const QString &value) { m_editItems = value; }
    SheetColumnStore &columnStore() { return m_columnStore; }
    const SheetColumnStore &columnStore() const { return m_columnStore; }

    // --- the popup menu's host entries and dragging -------------------------------------
    const std::vector<SheetMenuEntry> &menuEntries() const { return m_menuEntries; }
    const SheetMenuEntry &addMenuEntry(const QString &cap, const QString &cmd);
    /// Removes every entry whose command is `cmd`; returns how many went.
    int removeMenuEntries(const QString &cmd);
    void clearMenuEntries();
    /// Whether the header offers the popup menu: without "nopulldown", with two columns
    /// or more or at least one host entry.
    bool menuOffered() const;
    /// The first cell of the row a drag started from.
    QString dragKeyword() const { return m_dragKeyword; }
    void setDragKeyword(const QString &text) { m_dragKeyword = text; }
    const SheetDropMark &dropMark() const { return m_dropMark; }
    /// Returns whether the mark changed.
    bool setDropMark(const SheetDropMark &mark) { return assign(m_dropMark, mark); }

    // --- scrolling --------------------------------------------------------------------------
    /// The vertical scroll value as last set (shown rows from the top, or with "speed" the
    /// position); the geometry clamps it.
    int scrollValue() const { return m_scrollValue; }
    /// Clamped to 1 .. the largest useful value.
    void setScrollValue(int value);
    /// The horizontal scroll value: the first column laid out.
    int firstColumn() const { return m_firstColumn; }
    /// Clamped to 1 .. the largest useful first column.
    void setFirstColumn(int col);

    // --- rows painted highlighted or grey (RefreshItem's art) ------------------------------
    /// 0 none, 1 highlighted, 2 grey; kept until clearArts or the row goes.
    void setArt(const std::shared_ptr<SheetData> &row, int art);
    int artOf(const SheetData &row) const;
    bool hasArts() const { return !m_arts.empty(); }
    void clearArts() { m_arts.clear(); }

    // --- geometry ---------------------------------------------------------------------------
    /// Where the window's size comes from (the widget reads its own size; the state never
    /// holds a widget).
    void setWindowSize(std::function<WindowSize()> source);
    /// The size of the control inside its border, pixels.
    QSize innerSize() const;
    /// Where the surfaces and scroll bars go, the column edges and the viewport.
    const SheetFrame &frame() const;
    /// The list's rows on the screen now.
    const SheetLayout &layout() const;
    /// Something the state cannot see changed (a field of a row or column set directly):
    /// the next read lays out again.
    void changed() { ++m_generation; }
    /// How often the geometry has been worked out (for tests and benchmarks).
    quint64 layoutCount() const { return m_layoutCount; }

private:
    struct Key
    {
        quint64 generation = 0;
        quint64 rows = 0;
        quint64 model = 0;
        WindowSize window;
        bool operator==(const Key &) const = default;
    };

    template<typename T> bool assign(T &field, const T &value)
    {
        if (field == value)
            return false;
        field = value;
        changed();
        return true;
    }
    Key currentKey() const;
    QSize innerOf(QSize size) const;
    void ensureGeometry() const;

    SheetModel m_model;
    int m_leftMargin = 50;
    int m_topMargin = 20;
    int m_borderStyle = 1;
    Color m_backColor = SystemColor::WindowBackground;
    bool m_redraw = true;
    QString m_tag;
    QString m_editItems;
    SheetColumnStore m_columnStore;
    int m_scrollValue = 1;
    int m_firstColumn = 1;
    std::vector<std::pair<std::weak_ptr<SheetData>, int>> m_arts;
    std::vector<SheetMenuEntry> m_menuEntries;
    QString m_dragKeyword;
    SheetDropMark m_dropMark;
    std::function<WindowSize()> m_windowSize;

    quint64 m_generation = 0;
    // The geometry kept for m_key: worked out again on the first read after a change.
    mutable Key m_key;
    mutable SheetFrame m_frame;
    mutable std::optional<SheetLayout> m_layout;
    mutable quint64 m_layoutCount = 0;
};

} // namespace velk
