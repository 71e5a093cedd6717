#pragma once

#include <velk/common/Collection.h>
#include <velk/common/Color.h>
#include <velk/sheet/SheetColumn.h>
#include <velk/sheet/SheetData.h>
#include <velk/sheet/SheetItems.h>
#include <velk/velk_export.h>

#include <QImage>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <memory>
#include <optional>

namespace velk {

class Canvas;
class SheetInternals;

/// The events of a velkSheet, with their arguments in interface order. Emitted synchronously; a handler's change to a reference argument is seen
/// by the sheet when the emit returns. Rows and columns are 1-based positions.
class VELK_EXPORT velkSheetEvents : public QObject
{
    Q_OBJECT
public:
    explicit velkSheetEvents(QObject *parent = nullptr);

Q_SIGNALS:
    void Click();
    void SetColumnWidth();
    void DblClick(int row, int col);
    void ColumnClick(int col);
    void Checked(int row, int PreState, int &NewState);
    void DragAllowedEffects(int &Effects);
    void DragRequest(QVariant &data, int DataFormat);
    void DragCheck(std::shared_ptr<velk::SheetData> shtdata, int &dragtype);
    void DropTextEnabled(const QString &txt, int &dropeffect, int posdrop, int posbefore, int posindent);
    void DropFileEnabled(const QStringList &files, int &dropeffect, int posdrop, int posbefore, int posindent);
    void DropText(const QString &txt, int &dropeffect, int posdrop, int posbefore, int posindent);
    void DropFile(const QStringList &files, int &dropeffect, int posdrop, int posbefore, int posindent);
    void StartEdit();
    void ContextMenu(int pos);
    void DrawItem(velk::Canvas *p, std::shared_ptr<velk::SheetData> itm, int x1, int y1, int x2, int y2);
    void SetEval(int row, int value);
    void Refresh();
    void CancelEdit();
    void SaveEdit();
    void Menu(const QString &cmd);
    void IsEditable(int row, int col, bool &enable);
    void expand(int row);
    void DragComplete(int dropeffect);
    void SetCheck(int row, int col, bool &enable);
    void RequestData(int pos);
    void ClickCol(int col);
    void Delete();
    void DropDownMenu(int pos);
    void DropTreeEdit(const QString &txt, int ind, int pos, int x, int y);
    void ShowLightEdit(int row, int modus);
};

/// The tree-list/grid control: rows of tab-separated cells under a set of columns, with
/// tree indentation, selection, sorting and grouping. Lengths are twips.
class VELK_EXPORT velkSheet : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Columns READ Columns WRITE setColumns STORED true)
    Q_PROPERTY(QString flags READ flags WRITE setFlags STORED true)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle STORED true)
    Q_PROPERTY(int OwnerDraw READ OwnerDraw WRITE setOwnerDraw STORED true)
    Q_PROPERTY(int LeftMargin READ LeftMargin WRITE setLeftMargin STORED true)
    Q_PROPERTY(velk::Color BackColor READ BackColor WRITE setBackColor STORED true)
    Q_PROPERTY(int TopMargin READ TopMargin WRITE setTopMargin STORED false)
    Q_PROPERTY(bool Redraw READ Redraw WRITE setRedraw STORED false)
    Q_PROPERTY(QString Tag READ Tag WRITE setTag STORED false)
    Q_PROPERTY(QString EditItems READ EditItems WRITE setEditItems STORED false)
    Q_PROPERTY(QString ColumnsRegistry READ ColumnsRegistry WRITE setColumnsRegistry STORED false)
    Q_PROPERTY(int Count READ Count WRITE setCount STORED false)
    Q_PROPERTY(int SelectedIndex READ SelectedIndex WRITE setSelectedIndex STORED false)
    Q_PROPERTY(int SelectedCol READ SelectedCol WRITE setSelectedCol STORED false)
    Q_PROPERTY(int SelectedCount READ SelectedCount STORED false)
    Q_PROPERTY(int NewIndex READ NewIndex STORED false)
    Q_PROPERTY(int QuickSortDirection READ QuickSortDirection STORED false)
    Q_PROPERTY(int TopIndex READ TopIndex WRITE setTopIndex STORED false)
    Q_PROPERTY(int VisibleLines READ VisibleLines STORED false)
    Q_PROPERTY(bool EditMode READ EditMode STORED false)
    Q_PROPERTY(double FontSize READ FontSize WRITE setFontSize STORED false)
    Q_PROPERTY(int FullHeight READ FullHeight STORED false)
    Q_PROPERTY(QString DragKeyword READ DragKeyword STORED false)

public:
    using RowPtr = std::shared_ptr<SheetData>;
    using ColumnPtr = std::shared_ptr<SheetColumn>;

    Q_INVOKABLE explicit velkSheet(QWidget *parent = nullptr);
    ~velkSheet() override;

    velkSheetEvents *events() const;

    // --- columns and flags ------------------------------------------------------------
    /// The column definition; "" for the default single column.
    QString Columns() const;
    /// Rebuilds the columns from a definition, merged with the layout stored under
    /// ColumnsRegistry.
    void setColumns(const QString &value);
    /// The flag words, trimmed.
    QString flags() const;
    void setFlags(const QString &value);
    const Collection<ColumnPtr> &ColumnList() const;
    /// Column `col`; empty outside 1 .. column count.
    Q_INVOKABLE velk::velkSheet::ColumnPtr GetColumnData(int col) const;
    /// Lays the columns out across the list width again.
    Q_INVOKABLE void RecalculateColumns();
    /// Where the user's column layout is stored: a settings key path and, after the last
    /// "\" or "/", the value name. Empty: not stored.
    QString ColumnsRegistry() const;
    void setColumnsRegistry(const QString &value);

    // --- rows -------------------------------------------------------------------------
    /// All rows in display order.
    SheetItems ListItems() const;
    /// Row at `pos`; empty outside 1 .. Count.
    Q_INVOKABLE velk::velkSheet::RowPtr ListItem(int pos) const;
    Q_INVOKABLE int Count() const;
    /// With the flag "requestdata": replaces the rows by `n` requested rows.
    void setCount(int n);
    Q_INVOKABLE velk::velkSheet::RowPtr AddItem(const QString &txt, const QString &ico = QString(),
                                                int Indent = 0, bool Expanded = false, int pos = 0,
                                                const QString &Tag = QString(), int CheckState = 0);
    Q_INVOKABLE velk::velkSheet::RowPtr AddSortItem(const QString &srt, const QString &txt,
                                                    const QString &ico = QString(), int Indent = 0,
                                                    bool Expanded = false, const QString &Tag = QString(),
                                                    int CheckState = 0);
    /// Position given to the row added last.
    int NewIndex() const;
    /// Removes the row at `pos` (its children stay); ignored out of range.
    Q_INVOKABLE void RemoveItem(int pos);
    Q_INVOKABLE void RemoveItems(int pos, int Anzahl);
    /// Removes every row whose Deleted is set; repaints once when any went.
    Q_INVOKABLE void Delete();
    Q_INVOKABLE void Clear();
    /// Position of `sht` in ListItems; 0 when it is not a row of this sheet.
    int GetPosition(const SheetData *sht) const;
    int GetPosition(const RowPtr &sht) const { return GetPosition(sht.get()); }
    Q_INVOKABLE void SetIndent(int pos, int ind);

    // --- tree -------------------------------------------------------------------------
    /// First-column texts of the row's ancestors and the row, top level first.
    Q_INVOKABLE QString GetFullText(int pos, const QString &sep = QStringLiteral("\\")) const;
    Q_INVOKABLE int QueryFirst(int art, int pos) const;
    Q_INVOKABLE int QueryNext(int art, int pos) const;
    Q_INVOKABLE bool HasUninitializedChilds(int row) const;

    // --- current row and selection ---------------------------------------------------
    /// The current row; empty when there is none.
    RowPtr Selected() const;
    int SelectedIndex() const;
    /// Makes `pos` current (requesting its data first) and raises Click.
    void setSelectedIndex(int pos);
    int SelectedCol() const;
    void setSelectedCol(int col);
    int SelectedCount() const;
    Collection<RowPtr> SelectedItems() const;
    Q_INVOKABLE void SelectAll();
    Q_INVOKABLE void Unselect();

    // --- sorting and grouping -------------------------------------------------------
    void QuickSort(int spalte, int direction = 0, std::optional<int> pos1 = std::nullopt,
                   std::optional<int> pos2 = std::nullopt);
    int QuickSortDirection() const;
    Q_INVOKABLE void SortSetMarker(int col, int direct);
    Q_INVOKABLE void SetSort(int pos, const QString &srt);
    Q_INVOKABLE void Sort();
    Q_INVOKABLE void Query(const QString &q, int col);

    // --- appearance -----------------------------------------------------------------
    bool Redraw() const;
    /// While false nothing is repainted; setting it true repaints.
    void setRedraw(bool on);
    /// Repaints the whole list and raises Refresh (nothing while Redraw is off).
    Q_INVOKABLE void Refresh();
    /// Repaints the row at `pos` (nothing while Redraw is off or out of range); `art` 1
    /// paints it highlighted and 2 grey until it is repainted with another art or the
    /// whole list is refreshed.
    Q_INVOKABLE void RefreshItem(int pos, int art = 0);
    int OwnerDraw() const;
    void setOwnerDraw(int twips);
    int LeftMargin() const;
    void setLeftMargin(int twips);
    int TopMargin() const;
    void setTopMargin(int twips);
    int BorderStyle() const;
    void setBorderStyle(int style);
    velk::Color BackColor() const;
    void setBackColor(velk::Color color);
    /// The list font's size in points.
    double FontSize() const;
    void setFontSize(double points);
    /// The height the control needs to show every shown row without scrolling, twips.
    int FullHeight() const;
    /// The native window of the control (0 before it has one).
    qintptr hwnd() const;
    /// Height of a text line of the list font, of a row step and of the header, twips.
    int lineHeight() const;
    int rowPitch() const;
    int headerHeight() const;

    // --- icons ----------------------------------------------------------------------
    /// Passed on to the embedded icon control "velkIcon1": adds a picture under a name
    /// that rows can use as their Icon.
    Q_INVOKABLE void AddIcon(const QString &icona, const QImage &picbox);
    void AddIcon(const QString &icona, QWidget *picbox);
    /// The picture of the icon named `ico` (white for an unknown name).
    Q_INVOKABLE QImage GetIcon(const QString &ico);

    // --- popup menu and drag ----------------------------------------------------------
    /// Adds a host entry "menu_item" to the popup menu "menu_popup", after the column
    /// entries. A caption beginning with "checked:" gives a checked entry captioned with
    /// the rest. Choosing it raises Menu(cmd).
    Q_INVOKABLE void AddMenu(const QString &cap, const QString &cmd);
    /// Removes every host entry whose command is `cmd` (nothing when none has it).
    Q_INVOKABLE void RemoveMenu(const QString &cmd);
    /// Removes all host entries.
    Q_INVOKABLE void ClearMenu();
    /// The first cell of the row the last drag started from.
    QString DragKeyword() const;

    /// Prints the shown rows on the installed printer (Arial 8, head line on every page).
    Q_INVOKABLE void PrintOut();

    // --- scrolling ------------------------------------------------------------------
    /// Position of the row at the top of the list; 0 for an empty list.
    int TopIndex() const;
    /// Scrolls row `n` (clamped to 1 .. Count) to the top, as far as the list scrolls.
    void setTopIndex(int n);
    /// Rows of the row pitch that fit on a page: the page size of Page Up and Page Down.
    int VisibleLines() const;
    /// Scrolls so that row `pos` is shown (to the top when it lies above, to the bottom
    /// when below); in "selectcolumn" mode also lays the current column out.
    Q_INVOKABLE void EnsureVisible(int pos);
    /// A wheel message from the host: `Delta` 120 per notch (positive scrolls up),
    /// `nKeys` the held keys (Shift 4 scrolls the columns); the position is not used.
    Q_INVOKABLE void ScrollWheel(int nKeys, int Delta, int xpos, int ypos);

    // --- editing ------------------------------------------------------------------
    /// Begins editing the current cell (IsEditable may refuse; StartEdit follows).
    Q_INVOKABLE void StartEdit();
    /// Ends editing and stores the text (SaveEdit follows); nothing while not editing.
    Q_INVOKABLE void SaveEdit();
    /// Ends editing without storing (CancelEdit follows); nothing while not editing.
    Q_INVOKABLE void CancelEdit();
    /// Whether the editor is shown.
    bool EditMode() const;
    /// Hands a text chosen in a tree pick list for row `l` + 1 to the host: raises
    /// DropTreeEdit(txt, the row's Indent, `l` + 1, x and y below the row's first column
    /// content in twips of the list).
    Q_INVOKABLE void SendDropTreeEdit(const QString &txt, int l);

    // --- host data ------------------------------------------------------------------
    QString Tag() const;
    void setTag(const QString &value);
    QString EditItems() const;
    void setEditItems(const QString &value);

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    // Tests reach the state, input, editor and view through SheetInternals (velkSheet_p.h).
    friend class SheetInternals;

    void measureFont();
    void repaintList();

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
