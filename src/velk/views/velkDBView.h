#pragma once

#include <velk/velk_export.h>

#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

class velkSheet;

/// A report over one database table: the host names the table, a condition, the fields
/// that are shown or filtered, the data columns (aggregate expressions) and the
/// groupings; the view builds the SQL, reads the rows through a DataConnection and shows
/// them as a flat list, a grouped list with expandable detail rows or a cross table in
/// its sheet "velkSheet1", or as a chart in "velkChart1".
///
/// Child controls: the grouping combos "ComboGrp" (Index 1, 2) with "Label2" between
/// them (a click swaps the groupings), the hidden list "ListGroup" of the groupings'
/// values, the condition combos "ComboCondition" and date range boxes "TextCondition"
/// (Index from 1; "Tag" holds the field name) created by FieldAdd, and the menus
/// "menu_ansicht" (menu_liste, menu_graph, menu_data entries, menu_refresh) and
/// "menu_optionen" (menu_sortlabel/up/down, menu_wertealle/pos/neg).
///
/// Values entering SQL from the combos and detail rows are escaped; a failed connection
/// or query leaves the view empty instead of raising an error.
class VELK_EXPORT velkDBView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Table READ Table WRITE setTable STORED false)
    Q_PROPERTY(QString Condition READ Condition WRITE setCondition STORED false)
    Q_PROPERTY(QString Header1 READ Header1 WRITE setHeader1 STORED false)
    Q_PROPERTY(QString Header2 READ Header2 WRITE setHeader2 STORED false)
    Q_PROPERTY(QString TextValue READ TextValue WRITE setTextValue STORED false)
    Q_PROPERTY(QString DataValue READ DataValue WRITE setDataValue STORED false)
    Q_PROPERTY(QString Database READ Database WRITE setDatabase STORED false)
    Q_PROPERTY(QString PrinterSetting READ PrinterSetting WRITE setPrinterSetting STORED false)
    Q_PROPERTY(int FieldCount READ FieldCount WRITE setFieldCount STORED false)
    Q_PROPERTY(int datacount READ datacount WRITE setDatacount STORED false)

public:
    Q_INVOKABLE explicit velkDBView(QWidget *parent = nullptr);
    ~velkDBView() override;

    /// The FROM source, used as it stands.
    QString Table() const;
    void setTable(const QString &table);
    /// A filter without the word WHERE; may be empty.
    QString Condition() const;
    void setCondition(const QString &condition);
    QString Header1() const;
    void setHeader1(const QString &text);
    QString Header2() const;
    void setHeader2(const QString &text);
    /// Row text of detail rows: field names in brackets ("[Titel] [Datum]").
    QString TextValue() const;
    void setTextValue(const QString &text);
    /// An expression the sign filter (menu_wertepos/menu_werteneg) compares with 0.
    QString DataValue() const;
    void setDataValue(const QString &expr);
    /// Connects: "kind://connection text", or an "ADO" text without "://".
    QString Database() const;
    void setDatabase(const QString &text);
    QString PrinterSetting() const;
    void setPrinterSetting(const QString &text);
    /// Removes the condition controls, reads the table's field list and starts a new
    /// field table of `n` fields.
    int FieldCount() const;
    void setFieldCount(int n);
    /// Starts a new data table; with 0 it holds "Anzahl" = COUNT(*) with format "#".
    int datacount() const;
    void setDatacount(int n);

    /// Adds a field; with `cond` also its condition control (a combo of its distinct
    /// values, or for a date field a date range box starting with `value`).
    Q_INVOKABLE void FieldAdd(const QString &Name, int Width, const QString &label, bool cond,
                              const QString &value);
    /// Adds a data column: caption, aggregate expression, number format.
    Q_INVOKABLE void DataAdd(const QString &txt, const QString &value, const QString &typ);
    Q_INVOKABLE void SelectionClear();
    /// Adds a grouping: caption and expression ("#MONTH(field)" groups by month).
    Q_INVOKABLE void SelectionAdd(const QString &cap, const QString &value);
    /// A replacement list "value=text" (CR LF separated) for the grouping captioned `fld`.
    Q_INVOKABLE void SetReplace(const QString &fld, const QString &repllist);
    /// Builds and runs the queries and shows the result.
    Q_INVOKABLE void Refresh();
    /// The sheet's Columns text.
    Q_INVOKABLE QString GetHeader() const;
    Q_INVOKABLE velk::velkSheet *GetSheet() const;
    /// Opens menu_ansicht (id 1) or menu_optionen (id 2) at x, y (twips in this view).
    Q_INVOKABLE void Click(int id, float x, float y);
    /// The visible rows: cells joined by "; ", "^" marks removed, lines ending in CR LF.
    Q_INVOKABLE QString GetCVSData() const;
    /// Writes the shown list to `file` (";"-separated, quoted); not while the chart is shown.
    Q_INVOKABLE void ExportExcel(const QString &file);
    /// Prints what is shown: the chart's picture on one page, or the list as a page text
    /// with Header1 as its title and Header2 below it.
    Q_INVOKABLE void PrintOut();

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    friend struct velkDBViewAccess;
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
