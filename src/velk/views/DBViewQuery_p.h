#pragma once

// The DB view's query side without windows: what the host defined (table, condition,
// fields, data columns, selections, replacement lists), the state of the condition
// controls, groupings and menus as plain values, the SQL built from them, and the
// reports read through a DataConnection. velkDBView copies its controls' state in,
// runs a report and hands the result to its sheet or chart.

#include <velk/velk_export.h>

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace velk {

class DataConnection;
class DataRecordset;

struct DBViewField
{
    QString Name;
    int Width = 1000;
    QString label;
    QString type = QStringLiteral("Value"); ///< "Date", "String" or "Value"
};

struct DBViewData
{
    QString txt;
    QString value;
    QString typ;
};

/// A condition combo (for a "String" or "Value" field) or date range box ("Date").
struct DBViewCondition
{
    bool isDate = false;
    QString field;
    QString type;
    int listIndex = 0;  ///< combo: 0 is "(alle)"
    QString text;       ///< combo: the chosen value; date box: its range text
    QString toolTip;    ///< date box: the resolved range, set by where()
};

struct DBViewRow
{
    QString text;
    int indent = 0;
    QString tag;
};

struct DBViewReport
{
    enum class Kind { Empty, Flat, Grouped, Chart, Cross, CrossChart };
    Kind kind = Kind::Empty;
    bool chart = false;        ///< the chart is shown (else the sheet)
    QString columns;           ///< the sheet's Columns
    std::vector<DBViewRow> rows;
    // Chart: sets × positions, values[set - 1][position - 1].
    int sets = 0;
    int positions = 0;
    QStringList legends;
    QStringList xLabels;
    std::vector<std::vector<double>> values;
};

class VELK_TESTS_EXPORT DBViewQuery
{
public:
    enum class Sign { All, Positive, Negative };
    enum class SortOrder { Label, Up, Down };

    QString Table;
    QString Condition;
    QString TextValue;
    QString DataValue;
    std::vector<DBViewField> fields;
    std::vector<DBViewData> datas;
    int current = 1;                 ///< the data column k (1-based)
    /// Selections: index 0 is "(ohne)"; captions as the grouping combos show them,
    /// values as the hidden list holds them.
    QStringList captions{QStringLiteral("(ohne)")};
    QStringList selectionValues{QStringLiteral("(ohne)")};
    int group1 = 0;                  ///< ComboGrp(1).ListIndex
    int group2 = 0;                  ///< ComboGrp(2).ListIndex
    QHash<QString, QString> replacements;
    std::vector<DBViewCondition> conditions;
    Sign sign = Sign::All;
    SortOrder sort = SortOrder::Label;
    bool listMode = true;
    /// The table's fields (name, type code) as FieldCount read them.
    std::vector<std::pair<QString, int>> tableFields;

    /// "Date" for 7, 8, 135; "String" for 10, 12, 200–203; else "Value".
    static QString typeOfCode(int code);
    /// Reads the table's field list (an empty list when the table cannot be opened).
    void readTableFields(DataConnection *db);
    /// Appends a field; its type comes from the table's field list.
    DBViewField &addField(const QString &Name, int Width, const QString &label);

    /// The WHERE clause with every term ("" when there is none); sets the date boxes'
    /// tool tips.
    QString where();
    /// The WHERE clause of the Condition alone.
    QString conditionWhere() const;
    /// The distinct values of a condition combo's field.
    QString distinctSql(const QString &name) const;

    /// The group expression of grouping 1 or 2 (its selection's value, "#MONTH(f)" made
    /// a month number).
    QString groupExpression(int grouping) const;
    /// A group value shown as a label ("(ohne)", "mm/yyyy" for #MONTH).
    QString groupLabel(int grouping, const QString &value) const;
    /// `label` replaced by the line "value=text" of the replacement list of `caption`.
    QString replaced(const QString &caption, const QString &value) const;

    QString flatColumns() const;
    QString flatSql(const QString &where) const;
    QString groupedColumns(int grouping) const;
    QString groupedSql(const QString &where, const QString &group) const;
    QString detailSql(const QString &where, const QString &group, const QString &value) const;
    QString chartSql(const QString &where, const QString &group) const;
    QString crossSql(const QString &where) const;

    /// Builds and runs the report the groupings and menus ask for. A missing connection
    /// or a failing query gives an empty report of its kind.
    DBViewReport run(DataConnection *db);
    /// The detail rows of an expanded group: `sql` is the "..." row's Tag.
    QStringList detailRows(DataConnection *db, const QString &sql) const;

    /// `value` as an SQL term on `expr`: "expr IS NULL" when empty; texts quoted with
    /// their quotes doubled, numbers ("12,5") as numbers, dates as #mm/dd/yyyy#.
    static QString equalsTerm(const QString &expr, const QString &value, const QString &type);
    /// A date range box's side resolved: the SQL literal or display text; "" for an
    /// empty side or a text that is no date.
    static QString dateSide(const QString &side, bool isStart, bool asText);
    /// A value formatted with a data column's typ, "," made ".".
    static QString formatCell(const QVariant &value, const QString &typ);

private:
    int currentIndex() const;
    QString groupCaption(int grouping) const;
    QString typeOfExpression(const QString &expr) const;
    QString shownGroupLabel(int grouping, const QString &value) const;
    void runFlat(DataConnection *db, const QString &where, DBViewReport &report) const;
    void runGrouped(DataConnection *db, const QString &where, int grouping, DBViewReport &report) const;
    void runChart(DataConnection *db, const QString &where, int grouping, DBViewReport &report) const;
    void runCross(DataConnection *db, const QString &where, DBViewReport &report) const;
};

} // namespace velk
