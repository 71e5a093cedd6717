#pragma once

#include <velk/sheet/SheetData.h>
#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

class velkSheet;

/// The events of a velkMultiView, in interface order. By-reference arguments are read
/// back when the emit returns.
class VELK_EXPORT velkMultiViewEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// The host should fill the current view again (Refresh, a date preset, Enter in
    /// the date field).
    void Refresh();
    /// "alle verfügbaren Einträge" was chosen: `dat` (empty) may be set to the range
    /// the data covers; it is written into the date field.
    void DatumGetFullRange(QString &dat);
    /// The new-entry button C_NeuerSatz was pressed.
    void InputNewClick();
    /// Enter in the new-entry box Textbx.
    void InputNewText(const QString &txt);
    /// An entry of the popup menu was chosen; its par is in Selected.
    void MenuClick();
    /// Raised per entry before the popup menu opens; the answers set its mark, whether it
    /// can be chosen and whether it is shown.
    void MenuCheckState(const QString &par, bool &Checked, bool &Enabled, bool &Visible);
    /// The user picked an entry of selection combo `Index`.
    void ComboClick(int Index);
    /// Selection combo `Index` is about to open its list.
    void ComboDropDown(int Index);
    /// The sheet's column widths changed; `W` is its Columns definition.
    void SetColumnWidth(const QString &W);
    /// A row of the sheet (or the list) was clicked; `onoff` tells whether it is selected now.
    void RowSelect(int row, bool onoff);
    /// A column header was clicked; `Field` is the column's caption.
    void Sort(const QString &Field);
    /// The sheet asks whether cell `row`, `col` may be edited.
    void IsEditable(int row, int col, bool &editable);
    /// Editing of `row` began.
    void Edit(int row);
    /// A cell was edited (or emptied by Cut); `value` is its new text.
    void Update(int row, int col, const QString &value);
    /// A double click on the sheet.
    void DblClick(int row, int col);
};

/// One data area in interchangeable presentations: the list box "Liste", the chart
/// "velkChart1", the DB view "DBView1", the print preview "View1", or the sheet
/// "velkSheet1" set up for "Sheet", "DB" or "Table" (Show switches them). Beside the
/// sheet the keyword list "velkKeywords1" appears through the sheet's "Keywords" entry.
///
/// The head strip above the data shows Header1 and Header2 and holds the selection
/// combos "ComboAuswahl" (an array from 1), the date field "DatumsBereich" with its preset
/// button "C_DataPopup", and the new-entry button "C_NeuerSatz" with the box "Textbx".
/// A right-click on the list or the sheet opens "menu_popupitem", built from Menu.
///
/// Positions of the list and the combos are 1-based, 0 meaning none; positions out of
/// range are ignored.
class VELK_EXPORT velkMultiView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString SelectedView READ SelectedView STORED false)
    Q_PROPERTY(QString Selected READ Selected WRITE setSelected STORED false)
    Q_PROPERTY(QString Header1 READ Header1 WRITE setHeader1 STORED false)
    Q_PROPERTY(QString Header2 READ Header2 WRITE setHeader2 STORED false)
    Q_PROPERTY(QString PrinterSetting READ PrinterSetting WRITE setPrinterSetting STORED false)
    Q_PROPERTY(QString Menu READ Menu WRITE setMenu STORED false)
    Q_PROPERTY(int ListIndex READ ListIndex WRITE setListIndex STORED false)
    Q_PROPERTY(int ListCount READ ListCount STORED false)
    Q_PROPERTY(bool SheetRedraw READ SheetRedraw WRITE setSheetRedraw STORED false)
    Q_PROPERTY(bool Redraw READ Redraw WRITE setRedraw STORED false)
    Q_PROPERTY(int SheetMargin READ SheetMargin WRITE setSheetMargin STORED false)
    Q_PROPERTY(bool DatumVisible READ DatumVisible WRITE setDatumVisible STORED false)
    Q_PROPERTY(int DatumType READ DatumType WRITE setDatumType STORED false)
    Q_PROPERTY(QString DatumText READ DatumText WRITE setDatumText STORED false)
    Q_PROPERTY(bool InputNewVisible READ InputNewVisible WRITE setInputNewVisible STORED false)

public:
    using RowPtr = std::shared_ptr<SheetData>;

    Q_INVOKABLE explicit velkMultiView(QWidget *parent = nullptr);
    ~velkMultiView() override;

    velkMultiViewEvents *events() const;

    // --- views ------------------------------------------------------------------------
    /// Shows one presentation ("List", "Graph", "DBView", "View", "Sheet", "DB", "Table",
    /// "Table260") and hides the others; an unknown name hides them all, an empty name
    /// changes nothing. The data already filled in stays.
    Q_INVOKABLE void Show(const QString &view);
    QString SelectedView() const;
    /// Empties the list, the chart, the preview and the sheet.
    Q_INVOKABLE void Clear();
    /// Raises Refresh for the host to fill the current view.
    Q_INVOKABLE void Refresh();

    QString Selected() const;
    void setSelected(const QString &par);
    QString Header1() const;
    void setHeader1(const QString &text);
    QString Header2() const;
    void setHeader2(const QString &text);
    QString PrinterSetting() const;
    void setPrinterSetting(const QString &text);
    /// The popup menu: ","-separated "caption[|par]" entries, "-" a separator.
    QString Menu() const;
    void setMenu(const QString &definition);

    // --- DB view ----------------------------------------------------------------------
    Q_INVOKABLE void DBViewInit(const QString &dbfilename, const QString &Table, const QString &Condition);
    /// ","-separated "Name|Width|label|cond|value" entries (cond "yes" adds the condition).
    Q_INVOKABLE void DBViewInitFields(const QString &fields);
    /// ","-separated "cap=value" groupings; an empty value is the caption.
    Q_INVOKABLE void DBViewInitSelections(const QString &selections);
    /// DataValue + ";" + ","-separated "txt|value|typ" data columns.
    Q_INVOKABLE void DBViewInitDatas(const QString &data);
    Q_INVOKABLE void DBViewSetReplace(const QString &fld, const QString &repllist);
    Q_INVOKABLE void DBViewSetTextValue(const QString &txt);

    // --- chart ------------------------------------------------------------------------
    /// `rows` data sets over `cols` positions, lines when `linegraph`, else bars; `head`
    /// is the title. Column labels count from 1 again.
    Q_INVOKABLE void GraphInit(int rows, int cols, bool linegraph, const QString &head, const QString &foot = {});
    Q_INVOKABLE void GraphSetData(int row, int col, double wrt);
    Q_INVOKABLE void GraphSetRowLabel(int row, const QString &label);
    /// Labels the next x position.
    Q_INVOKABLE void GraphSetColLabel(const QString &label);

    // --- preview ----------------------------------------------------------------------
    Q_INVOKABLE void PreviewInit(const QString &Body, const QString &repl);

    // --- list -------------------------------------------------------------------------
    Q_INVOKABLE void ListAdd(const QString &txt, int ItemData = 0);
    Q_INVOKABLE void ListRemove(int pos);
    /// The entry's text; "" out of range.
    Q_INVOKABLE QString ListItem(int pos) const;
    /// The entry's number; 0 out of range.
    Q_INVOKABLE int ListItemData(int pos) const;
    Q_INVOKABLE void SetListItemData(int pos, int value);
    int ListCount() const;
    /// The selected entry, 0 when none.
    int ListIndex() const;
    void setListIndex(int pos);

    // --- sheet ------------------------------------------------------------------------
    /// Empties the sheet and gives it the column definition `cols`.
    Q_INVOKABLE void SheetInit(const QString &cols);
    Q_INVOKABLE velk::velkMultiView::RowPtr SheetAdd(const QString &txt, const QString &ico = QString(), int Indent = 0,
                                                     bool Expanded = false, int pos = 0, const QString &Tag = QString(),
                                                     int CheckState = 0);
    Q_INVOKABLE int SheetCount() const;
    /// Sets the row's text (`col` 0) or one of its cells.
    Q_INVOKABLE void SetSheetText(int pos, const QString &txt, int col = 0);
    /// The row's text (`col` 0) or one cell; "" out of range.
    Q_INVOKABLE QString GetSheetText(int pos, int col = 0) const;
    Q_INVOKABLE void SheetExpand(int pos, bool Expanded);
    /// The row's indent; -1 out of range.
    Q_INVOKABLE int GetSheetIndent(int pos) const;
    Q_INVOKABLE velk::velkMultiView::RowPtr SheetItem(int pos) const;
    Q_INVOKABLE void SheetRemoveItem(int pos);
    Q_INVOKABLE velk::velkSheet *SheetCtl() const;
    bool SheetRedraw() const;
    void setSheetRedraw(bool on);
    /// The sheet's left margin in twips.
    int SheetMargin() const;
    void setSheetMargin(int twips);
    /// The selected row's text; "" when none.
    Q_INVOKABLE QString Text() const;
    bool Redraw() const;
    void setRedraw(bool on);
    /// Fills the sheet with the result of `sql` on the database `dbname` (kind "ADO"):
    /// one column per field, one row per record and a closing row " ". A failed
    /// connection or query leaves the sheet empty.
    Q_INVOKABLE void GridDatabase(const QString &dbname, const QString &sql);

    // --- keywords ---------------------------------------------------------------------
    Q_INVOKABLE void ClearKeywords();
    /// Adds ","-separated keyword entries ("topic=keyword" or a keyword).
    Q_INVOKABLE void AddKeywords(const QString &k);
    Q_INVOKABLE void RefreshKeywords();

    // --- selection combos -------------------------------------------------------------
    /// Adds a combo (the next Index) with a tool tip.
    Q_INVOKABLE void ComboAddControl(const QString &tooltip);
    Q_INVOKABLE void ComboRemoveControls();
    Q_INVOKABLE void ComboAddItem(int Index, const QString &a);
    Q_INVOKABLE int ComboCount(int Index) const;
    Q_INVOKABLE QString ComboItem(int Index, int pos) const;
    Q_INVOKABLE QString ComboText(int Index) const;
    /// Selects entry `pos` (0 selects none) without raising ComboClick.
    Q_INVOKABLE void ComboSetIndex(int Index, int pos);
    Q_INVOKABLE int ComboIndex(int Index) const;

    // --- date field and new entry ------------------------------------------------------
    bool DatumVisible() const;
    void setDatumVisible(bool on);
    /// 0: a date range field (the default); 1: a single date. It chooses the presets.
    int DatumType() const;
    void setDatumType(int type);
    QString DatumText() const;
    /// Sets the field's text; it also becomes what the preset "Standard" returns to.
    void setDatumText(const QString &text);
    /// Writes the preset `preset` into the date field and raises Refresh.
    Q_INVOKABLE void DatumPreset(const QString &preset);
    bool InputNewVisible() const;
    void setInputNewVisible(bool on);
    Q_INVOKABLE void InputNewClear();

    // --- output -----------------------------------------------------------------------
    /// Prints the current view; `cap` titles the printed list.
    Q_INVOKABLE void PrintOut(const QString &cap = QString());
    Q_INVOKABLE void Copy();
    /// Copies the current cell of the "DB" view and empties it.
    Q_INVOKABLE void Cut();

    /// Raises MenuCheckState per entry and opens menu_popupitem at `globalPos`.
    Q_INVOKABLE void PopupMenu(const QPoint &globalPos);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
