#include "DBViewQuery_p.h"

#include <velk/common/LeadingNumber_p.h>
#include <velk/common/NumberFormat.h>
#include <velk/date/DateRange.h>
#include <velk/platform/DataConnection.h>
#include <velk/platform/DataRecordset.h>

#include <QDate>
#include <QRegularExpression>

namespace velk {
namespace {

const QString And = QStringLiteral(" AND ");

// Opens `sql`; false when it fails or has no rows (the step then ends empty).
bool openRows(DataConnection *db, const QString &sql, std::unique_ptr<DataRecordset> &rs)
{
    if (!db || !db->isOpen() || !db->OpenRecordset(sql, 2, rs) || !rs || rs->RecordCount() == 0)
        return false;
    rs->MoveFirst();
    return !rs->Eof();
}

bool isNumberText(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?\\d+([.,]\\d+)?$"));
    return number.match(text).hasMatch();
}

QString quoted(const QString &text)
{
    QString out = text;
    out.replace(u'\'', QStringLiteral("''"));
    return u'\'' + out + u'\'';
}

// The bracketed field names of a row text template, in order.
QStringList templateFields(const QString &textValue)
{
    QStringList names;
    static const QRegularExpression bracketed(QStringLiteral("\\[([^\\]]*)\\]"));
    for (auto it = bracketed.globalMatch(textValue); it.hasNext();)
        names << it.next().captured(1);
    return names;
}

double numberOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString) {
        QString text = value.toString().trimmed();
        return isNumberText(text) ? text.replace(u',', u'.').toDouble() : 0.0;
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0.0;
}

} // namespace

QString DBViewQuery::typeOfCode(int code)
{
    switch (code) {
    case 7:
    case 8:
    case 135:
        return QStringLiteral("Date");
    case 10:
    case 12:
    case 200:
    case 201:
    case 202:
    case 203:
        return QStringLiteral("String");
    default:
        return QStringLiteral("Value");
    }
}

void DBViewQuery::readTableFields(DataConnection *db)
{
    tableFields.clear();
    std::unique_ptr<DataRecordset> rs;
    if (!db || !db->isOpen() || Table.trimmed().isEmpty() || !db->OpenRecordset(Table, 2, rs) || !rs)
        return;
    for (int i = 1; i <= rs->FieldCount(); ++i)
        tableFields.emplace_back(rs->FieldName(i), rs->FieldType(i));
}

DBViewField &DBViewQuery::addField(const QString &Name, int Width, const QString &label)
{
    DBViewField field;
    field.Name = Name;
    field.Width = Width == 0 ? 1000 : Width;
    field.label = label;
    for (const auto &[name, code] : tableFields) {
        if (name.compare(Name, Qt::CaseInsensitive) == 0) {
            field.type = typeOfCode(code);
            break;
        }
    }
    fields.push_back(field);
    return fields.back();
}

QString DBViewQuery::dateSide(const QString &side, bool isStart, bool asText)
{
    const QString part = side.trimmed();
    // Day, month and year of at most four digits each; anything else is no date.
    static const QRegularExpression dateText(QStringLiteral("^\\d{0,4}(\\.\\d{0,4}){0,2}$"));
    if (part.isEmpty() || !dateText.match(part).hasMatch())
        return {};
    // Years of three digits ("771") stay as typed; they name no date of the archive.
    const QString bound = DateBound(part, isStart, asText);
    static const QRegularExpression fullYear(QStringLiteral("\\d{4}#?$"));
    return fullYear.match(bound).hasMatch() ? bound : QString();
}

QString DBViewQuery::equalsTerm(const QString &expr, const QString &value, const QString &type)
{
    if (value.isEmpty())
        return expr + QStringLiteral(" IS NULL");
    if (type == u"String")
        return expr + u'=' + quoted(value);
    if (type == u"Date") {
        const QDate date = QDate::fromString(value.left(10).trimmed(), QStringLiteral("d.M.yyyy"));
        if (date.isValid())
            return expr + u'=' + date.toString(QStringLiteral("#MM/dd/yyyy#"));
        return expr + u'=' + quoted(value);
    }
    if (isNumberText(value.trimmed())) {
        QString number = value.trimmed();
        return expr + u'=' + number.replace(u',', u'.');
    }
    return expr + u'=' + quoted(value);
}

QString DBViewQuery::formatCell(const QVariant &value, const QString &typ)
{
    QString text = FormatValue(value, typ);
    text.replace(u',', u'.');
    return text;
}

QString DBViewQuery::where()
{
    QString terms;
    for (DBViewCondition &c : conditions) {
        if (c.isDate) {
            const int dash = c.text.indexOf(u'-');
            const QString from = dash < 0 ? c.text : c.text.left(dash);
            const QString to = dash < 0 ? c.text : c.text.mid(dash + 1);
            const QString fromSql = dateSide(from, true, false);
            const QString toSql = dateSide(to, false, false);
            if (!fromSql.isEmpty())
                terms += And + c.field + QStringLiteral(">=") + fromSql;
            if (!toSql.isEmpty())
                terms += And + c.field + QStringLiteral("<=") + toSql;
            c.toolTip = dateSide(from, true, true) + QStringLiteral(" - ") + dateSide(to, false, true);
        } else if (c.listIndex >= 1) {
            terms += And + equalsTerm(c.field, c.text, c.type);
        }
    }
    if (!DataValue.isEmpty()) {
        if (sign == Sign::Positive)
            terms += And + u'(' + DataValue + QStringLiteral(")>0");
        else if (sign == Sign::Negative)
            terms += And + u'(' + DataValue + QStringLiteral(")<0");
    }
    if (!terms.isEmpty())
        terms = terms.mid(5);
    if (Condition.isEmpty() && terms.isEmpty())
        return {};
    if (Condition.isEmpty())
        return QStringLiteral("WHERE ") + terms;
    if (terms.isEmpty())
        return QStringLiteral("WHERE ") + Condition;
    return QStringLiteral("WHERE (") + Condition + QStringLiteral(") AND (") + terms + u')';
}

QString DBViewQuery::conditionWhere() const
{
    return Condition.isEmpty() ? QString() : QStringLiteral("WHERE ") + Condition;
}

QString DBViewQuery::distinctSql(const QString &name) const
{
    return QStringLiteral("SELECT ") + name + QStringLiteral(" FROM ") + Table + u' ' + conditionWhere()
        + QStringLiteral(" GROUP BY ") + name;
}

QString DBViewQuery::groupCaption(int grouping) const
{
    const int index = grouping == 1 ? group1 : group2;
    return index >= 0 && index < captions.size() ? captions[index] : QString();
}

QString DBViewQuery::groupExpression(int grouping) const
{
    const int index = grouping == 1 ? group1 : group2;
    if (index < 0 || index >= selectionValues.size())
        return {};
    const QString &s = selectionValues[index];
    if (!s.startsWith(u'#'))
        return s;
    const int open = s.indexOf(u'(');
    const int close = open < 0 ? -1 : s.indexOf(u')', open + 1);
    if (open < 0 || close < 0 || s.left(open) != u"#MONTH")
        return s;
    const QString field = s.mid(open + 1, close - open - 1);
    return QStringLiteral("Year(") + field + QStringLiteral(")*12+Month(") + field + u')';
}

QString DBViewQuery::groupLabel(int grouping, const QString &value) const
{
    if (value.isEmpty() || value == u"<>")
        return QStringLiteral("(ohne)");
    const int index = grouping == 1 ? group1 : group2;
    if (index < 0 || index >= selectionValues.size() || !selectionValues[index].startsWith(u"#MONTH"))
        return value;
    const qint64 n = LeadingInteger(value);
    qint64 month = n % 12;
    qint64 year = n / 12;
    if (month == 0) {
        month = 12;
        --year;
    }
    return QStringLiteral("%1/%2").arg(month, 2, 10, QLatin1Char('0')).arg(year, 4, 10, QLatin1Char('0'));
}

QString DBViewQuery::replaced(const QString &caption, const QString &label) const
{
    const auto it = replacements.constFind(caption);
    if (it == replacements.constEnd())
        return label;
    const QString list = QStringLiteral("\r\n") + *it;
    const qsizetype at = list.indexOf(QStringLiteral("\r\n") + label + u'=');
    if (at < 0)
        return label;
    const qsizetype start = at + 2;
    // The line ends after "value=", even where the value itself holds a line break.
    const qsizetype end = list.indexOf(u'\n', start + label.size() + 1);
    QString line = end < 0 ? list.mid(start) : list.mid(start, end - start);
    if (line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

QString DBViewQuery::shownGroupLabel(int grouping, const QString &value) const
{
    return replaced(groupCaption(grouping), groupLabel(grouping, value));
}

QString DBViewQuery::typeOfExpression(const QString &expr) const
{
    if (expr.contains(u'(') || expr.contains(u'+'))
        return QStringLiteral("Value");
    for (const auto &[name, code] : tableFields)
        if (name.compare(expr, Qt::CaseInsensitive) == 0)
            return typeOfCode(code);
    for (const DBViewField &f : fields)
        if (f.Name.compare(expr, Qt::CaseInsensitive) == 0)
            return f.type;
    return QStringLiteral("Value");
}

int DBViewQuery::currentIndex() const
{
    return datas.empty() ? 0 : std::clamp(current, 1, int(datas.size()));
}

QString DBViewQuery::flatColumns() const
{
    QString columns;
    for (const DBViewField &f : fields)
        columns += f.Name + u':' + QString::number(f.Width) + (f.type == u"Value" ? QStringLiteral("R") : QString()) + u',';
    return columns;
}

QString DBViewQuery::flatSql(const QString &where) const
{
    QStringList names;
    for (const DBViewField &f : fields)
        names << f.Name;
    return QStringLiteral("SELECT ") + names.join(u',') + QStringLiteral(" FROM ") + Table + u' ' + where;
}

QString DBViewQuery::groupedColumns(int grouping) const
{
    QString columns = groupCaption(grouping) + QStringLiteral(":2000,");
    for (const DBViewData &d : datas)
        columns += d.txt + QStringLiteral(":1500R,");
    return columns;
}

QString DBViewQuery::groupedSql(const QString &where, const QString &group) const
{
    QString aggregates;
    for (size_t j = 0; j < datas.size(); ++j)
        aggregates += QStringLiteral(", ") + datas[j].value + QStringLiteral(" As Daten") + QString::number(j + 1);
    return QStringLiteral("SELECT ") + group + QStringLiteral(" As Wert") + aggregates + QStringLiteral(" FROM ") + Table
        + u' ' + where + QStringLiteral(" GROUP BY ") + group + QStringLiteral(" HAVING COUNT(") + group
        + QStringLiteral(")<>0");
}

QString DBViewQuery::detailSql(const QString &where, const QString &group, const QString &value) const
{
    QString details;
    for (size_t j = 0; j < datas.size(); ++j) {
        const QString &d = datas[j].value;
        const QString as = QStringLiteral(" As Daten") + QString::number(j + 1);
        if (d.contains(QStringLiteral("SUM")))
            details += QStringLiteral(", ") + QString(d).remove(QStringLiteral("SUM")) + as;
        else if (d.contains(QStringLiteral("COUNT")))
            details += QStringLiteral(", 1") + as;
        else
            details += QStringLiteral(", 0") + as;
    }
    for (const QString &field : templateFields(TextValue))
        details += QStringLiteral(", ") + field;
    return QStringLiteral("SELECT ") + details.mid(2) + QStringLiteral(" FROM ") + Table + u' '
        + (where.isEmpty() ? QStringLiteral("WHERE ") : where + And) + equalsTerm(group, value, typeOfExpression(group));
}

QString DBViewQuery::chartSql(const QString &where, const QString &group) const
{
    const int k = currentIndex();
    const QString dk = k ? datas[k - 1].value : QStringLiteral("COUNT(*)");
    const QString order = sort == SortOrder::Label ? group : sort == SortOrder::Up ? dk : dk + QStringLiteral(" DESC");
    return QStringLiteral("SELECT ") + group + QStringLiteral(" As Bezeichnung, ") + dk + QStringLiteral(" As Wert FROM ")
        + Table + u' ' + where + QStringLiteral(" GROUP BY ") + group + QStringLiteral(" HAVING ") + dk
        + QStringLiteral("<>0 ORDER BY ") + order;
}

QString DBViewQuery::crossSql(const QString &where) const
{
    const int k = currentIndex();
    const QString dk = k ? datas[k - 1].value : QStringLiteral("COUNT(*)");
    const QString g1 = groupExpression(1);
    return QStringLiteral("TRANSFORM ") + dk + QStringLiteral(" AS Wert SELECT ") + g1 + QStringLiteral(" AS Spalte1 FROM ")
        + Table + u' ' + where + QStringLiteral(" GROUP BY ") + g1 + QStringLiteral(" PIVOT ") + groupExpression(2);
}

DBViewReport DBViewQuery::run(DataConnection *db)
{
    DBViewReport report;
    const QString w = where();
    if (group1 > 0 && group2 > 0) {
        report.chart = !listMode;
        runCross(db, w, report);
    } else if (group1 > 0 || group2 > 0) {
        const int grouping = group1 > 0 ? 1 : 2;
        report.chart = !listMode;
        if (listMode)
            runGrouped(db, w, grouping, report);
        else
            runChart(db, w, grouping, report);
    } else {
        runFlat(db, w, report);
    }
    return report;
}

void DBViewQuery::runFlat(DataConnection *db, const QString &where, DBViewReport &report) const
{
    report.kind = DBViewReport::Kind::Flat;
    report.columns = flatColumns();
    std::unique_ptr<DataRecordset> rs;
    if (!openRows(db, flatSql(where), rs))
        return;
    for (; !rs->Eof(); rs->MoveNext()) {
        QString text;
        for (const DBViewField &f : fields) {
            text += rs->GetValue(f.Name);
            text += u'\t';
        }
        report.rows.push_back({text, 0, {}});
    }
}

void DBViewQuery::runGrouped(DataConnection *db, const QString &where, int grouping, DBViewReport &report) const
{
    report.kind = DBViewReport::Kind::Grouped;
    report.columns = groupedColumns(grouping);
    const QString group = groupExpression(grouping);
    std::unique_ptr<DataRecordset> rs;
    if (!openRows(db, groupedSql(where, group), rs))
        return;
    std::vector<double> totals(datas.size(), 0.0);
    QStringList dataNames;
    for (size_t j = 0; j < datas.size(); ++j)
        dataNames << QStringLiteral("Daten") + QString::number(j + 1);
    for (; !rs->Eof(); rs->MoveNext()) {
        const QString value = rs->GetValue(QStringLiteral("Wert"));
        QString text = shownGroupLabel(grouping, value);
        for (size_t j = 0; j < datas.size(); ++j) {
            const QVariant v = rs->GetVal(dataNames[j]);
            text += u'\t' + formatCell(v, datas[j].typ);
            totals[j] += numberOf(v);
        }
        report.rows.push_back({text, 0, {}});
        report.rows.push_back({QStringLiteral("..."), 1, detailSql(where, group, value)});
    }
    QString sum = QStringLiteral("^Summe:");
    for (size_t j = 0; j < datas.size(); ++j)
        sum += u'\t' + formatCell(totals[j], datas[j].typ);
    report.rows.push_back({sum, 0, {}});
}

void DBViewQuery::runChart(DataConnection *db, const QString &where, int grouping, DBViewReport &report) const
{
    report.kind = DBViewReport::Kind::Chart;
    std::unique_ptr<DataRecordset> rs;
    if (!openRows(db, chartSql(where, groupExpression(grouping)), rs))
        return;
    report.sets = 1;
    const int k = currentIndex();
    report.legends << (k ? datas[k - 1].txt : QString());
    report.values.resize(1);
    for (; !rs->Eof(); rs->MoveNext()) {
        report.xLabels << groupLabel(grouping, rs->GetValue(QStringLiteral("Bezeichnung")));
        report.values[0].push_back(numberOf(rs->GetVal(QStringLiteral("Wert"))));
    }
    report.positions = int(report.xLabels.size());
}

void DBViewQuery::runCross(DataConnection *db, const QString &where, DBViewReport &report) const
{
    report.kind = report.chart ? DBViewReport::Kind::CrossChart : DBViewReport::Kind::Cross;
    std::unique_ptr<DataRecordset> rs;
    if (!openRows(db, crossSql(where), rs)) {
        if (!report.chart)
            report.rows.push_back({QStringLiteral("???"), 0, {}});
        return;
    }
    QStringList pivots;
    for (int i = 2; i <= rs->FieldCount(); ++i)
        pivots << rs->FieldName(i);
    const int k = currentIndex();
    const QString typ = k ? datas[k - 1].typ : QString();

    if (report.chart) {
        report.sets = int(pivots.size());
        report.values.resize(pivots.size());
        for (const QString &p : pivots)
            report.legends << groupLabel(2, p);
        for (; !rs->Eof(); rs->MoveNext()) {
            report.xLabels << groupLabel(1, rs->GetValue(QStringLiteral("Spalte1")));
            for (qsizetype i = 0; i < pivots.size(); ++i)
                report.values[i].push_back(numberOf(rs->GetVal(pivots[i])));
        }
        report.positions = int(report.xLabels.size());
        return;
    }

    report.columns = QStringLiteral("Text:1500,");
    for (const QString &p : pivots)
        report.columns += groupLabel(2, p) + QStringLiteral(":1500R,");
    report.columns += QStringLiteral("Summe:1500R");
    std::vector<double> totals(pivots.size() + 1, 0.0);
    for (; !rs->Eof(); rs->MoveNext()) {
        QString text = shownGroupLabel(1, rs->GetValue(QStringLiteral("Spalte1")));
        double rowSum = 0;
        for (qsizetype i = 0; i < pivots.size(); ++i) {
            const QVariant v = rs->GetVal(pivots[i]);
            const double d = numberOf(v);
            text += u'\t' + formatCell(v, typ);
            rowSum += d;
            totals[i] += d;
        }
        totals.back() += rowSum;
        text += u'\t' + formatCell(rowSum, typ);
        report.rows.push_back({text, 0, {}});
    }
    QString sum = QStringLiteral("^Summe:");
    for (double t : totals)
        sum += u'\t' + formatCell(t, typ);
    report.rows.push_back({sum, 0, {}});
}

QStringList DBViewQuery::detailRows(DataConnection *db, const QString &sql) const
{
    QStringList rows;
    std::unique_ptr<DataRecordset> rs;
    if (sql.isEmpty() || !openRows(db, sql, rs))
        return rows;
    const QStringList names = templateFields(TextValue);
    for (; !rs->Eof(); rs->MoveNext()) {
        QString text = TextValue;
        for (const QString &name : names)
            text.replace(u'[' + name + u']', rs->GetValue(name));
        for (size_t j = 0; j < datas.size(); ++j)
            text += u'\t' + formatCell(rs->GetVal(QStringLiteral("Daten") + QString::number(j + 1)), datas[j].typ);
        rows << text;
    }
    return rows;
}

} // namespace velk
