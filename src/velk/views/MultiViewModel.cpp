#include "MultiViewModel_p.h"

#include <velk/date/DateRange.h>

#include <algorithm>

namespace velk {
namespace {

const QString kSheetFlags = QStringLiteral("richtext");
const QString kDBFlags = QStringLiteral("richtext singleselect lightgrid edit selectcolumn background");
const QString kTableFlags = QStringLiteral("richtext multiselect lightgrid edit selectcolumn background");

QString dayText(const QDate &day)
{
    return day.toString(QStringLiteral("dd.MM.yyyy"));
}

QString monthText(const QDate &day)
{
    return day.toString(QStringLiteral("MM.yyyy"));
}

// A day of a range text; invalid outside the years 1 to 9999, which odd texts can reach.
QDate parseDay(const QString &text)
{
    const QDate day = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    return day.isValid() && day.year() >= 1 && day.year() <= 9999 ? day : QDate();
}

// "from - to" in the form `text` gives, or one date alone when both are the same.
QString rangeText(const QDate &from, const QDate &to, QString (*text)(const QDate &))
{
    return from == to ? text(from) : text(from) + QStringLiteral(" - ") + text(to);
}

bool isWholeMonths(const QDate &from, const QDate &to)
{
    return from.day() == 1 && to.day() == to.daysInMonth();
}

// The field's range moved by `months`: whole months stay month texts, other ranges move
// day by day. An empty or unreadable field counts as the current month.
QString shiftRange(const QString &current, const QDate &today, int months)
{
    QDate from = parseDay(DateRangeStart(current));
    QDate to = parseDay(DateRangeEnd(current));
    if (current.trimmed().isEmpty() || !from.isValid() || !to.isValid() || to < from) {
        from = QDate(today.year(), today.month(), 1);
        to = from.addMonths(1).addDays(-1);
    }
    if (isWholeMonths(from, to))
        return rangeText(from.addMonths(months), QDate(to.year(), to.month(), 1).addMonths(months), monthText);
    return rangeText(from.addMonths(months), to.addMonths(months), dayText);
}

QString shiftDay(const QString &current, const QDate &today, int months)
{
    QDate day = current.trimmed().isEmpty() ? today : parseDay(DateRangeStart(current));
    if (!day.isValid())
        day = today;
    return dayText(day.addMonths(months));
}

} // namespace

MultiViewSetup MultiViewSetup::of(const QString &view)
{
    MultiViewSetup s;
    s.storedName = view;
    if (view == u"List")
        s.child = Child::List;
    else if (view == u"Graph")
        s.child = Child::Graph;
    else if (view == u"DBView")
        s.child = Child::DBView;
    else if (view == u"View")
        s.child = Child::Preview;
    else if (view == u"Sheet")
        s = {Child::Sheet, view, kSheetFlags, 260};
    else if (view == u"DB")
        s = {Child::Sheet, view, kDBFlags, 260};
    else if (view == u"Table")
        s = {Child::Sheet, view, kTableFlags, 50};
    else if (view == u"Table260")
        s = {Child::Sheet, QStringLiteral("Table"), kTableFlags, 260};
    return s;
}

std::vector<MultiViewMenuEntry> ParseMultiViewMenu(QStringView definition)
{
    std::vector<MultiViewMenuEntry> entries;
    qsizetype start = 0;
    while (start <= definition.size()) {
        qsizetype end = definition.indexOf(u',', start);
        if (end < 0)
            end = definition.size();
        const QStringView entry = definition.mid(start, end - start);
        start = end + 1;
        if (entry.trimmed().isEmpty())
            continue;
        if (entry.trimmed() == u"-") {
            entries.push_back({QString(), QString(), true});
            continue;
        }
        const qsizetype bar = entry.indexOf(u'|');
        MultiViewMenuEntry e;
        e.caption = (bar < 0 ? entry : entry.left(bar)).toString();
        e.par = bar < 0 ? e.caption : entry.mid(bar + 1).toString();
        entries.push_back(std::move(e));
    }
    return entries;
}

QString ListCopyText(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

void AppendSheetCopyLine(QString &out, const QString &rowText, int indent)
{
    for (int i = 0; i < indent; ++i)
        out += u'\t';
    QStringView cells = rowText;
    if (cells.endsWith(u'\t'))
        cells.chop(1);
    out += cells;
    out += QStringLiteral("\r\n");
}

QStringList DatePresetEntries(bool singleDate)
{
    if (singleDate)
        return {QStringLiteral("Heute"), QStringLiteral("-"), QStringLiteral("ein Monat weiter zurück"),
                QStringLiteral("ein Monat weiter voraus"), QStringLiteral("-"), QStringLiteral("Ende letztes Jahr"),
                QStringLiteral("Ende vorletztes Jahr")};
    return {QStringLiteral("Standard"), QStringLiteral("Aktueller Kontoauszug"), QStringLiteral("-"),
            QStringLiteral("Ein Monat weiter zurück"), QStringLiteral("Ein Monat weiter voraus"), QStringLiteral("-"),
            QStringLiteral("Aktueller Monat"), QStringLiteral("Aktuelles Jahr"), QStringLiteral("Letztes Jahr"),
            QStringLiteral("Vorletztes Jahr"), QStringLiteral("-"), QStringLiteral("alle verfügbaren Einträge")};
}

QString ApplyDatePreset(const QString &preset, const QString &current, const QDate &today, const QString &standard)
{
    const QString year = QString::number(today.year());
    if (preset == u"Standard")
        return standard;
    // A statement runs from the first day of the previous month up to today.
    if (preset == u"Aktueller Kontoauszug")
        return rangeText(QDate(today.year(), today.month(), 1).addMonths(-1), today, dayText);
    if (preset == u"Ein Monat weiter zurück")
        return shiftRange(current, today, -1);
    if (preset == u"Ein Monat weiter voraus")
        return shiftRange(current, today, 1);
    if (preset == u"Aktueller Monat")
        return monthText(today);
    if (preset == u"Aktuelles Jahr")
        return year;
    if (preset == u"Letztes Jahr")
        return QString::number(today.year() - 1);
    if (preset == u"Vorletztes Jahr")
        return QString::number(today.year() - 2);
    if (preset == u"Heute")
        return dayText(today);
    if (preset == u"ein Monat weiter zurück")
        return shiftDay(current, today, -1);
    if (preset == u"ein Monat weiter voraus")
        return shiftDay(current, today, 1);
    if (preset == u"Ende letztes Jahr")
        return QStringLiteral("31.12.") + QString::number(today.year() - 1);
    if (preset == u"Ende vorletztes Jahr")
        return QStringLiteral("31.12.") + QString::number(today.year() - 2);
    return {};
}

std::vector<MultiViewField> ParseMultiViewFields(const QString &fields)
{
    std::vector<MultiViewField> out;
    for (const QString &entry : fields.split(u',', Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split(u'|');
        MultiViewField f;
        f.name = parts.value(0);
        f.width = parts.value(1).trimmed().toInt();
        f.label = parts.value(2);
        f.cond = parts.value(3).trimmed().compare(QStringLiteral("yes"), Qt::CaseInsensitive) == 0;
        f.value = parts.value(4);
        out.push_back(std::move(f));
    }
    return out;
}

std::vector<std::pair<QString, QString>> ParseMultiViewSelections(const QString &selections)
{
    std::vector<std::pair<QString, QString>> out;
    for (const QString &entry : selections.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype eq = entry.indexOf(u'=');
        const QString cap = eq < 0 ? entry : entry.left(eq);
        const QString value = eq < 0 ? QString() : entry.mid(eq + 1);
        out.emplace_back(cap, value.isEmpty() ? cap : value);
    }
    return out;
}

std::vector<MultiViewData> ParseMultiViewDatas(const QString &datas, QString &dataValue)
{
    const qsizetype semi = datas.indexOf(u';');
    dataValue = semi < 0 ? datas : datas.left(semi);
    std::vector<MultiViewData> out;
    if (semi < 0)
        return out;
    for (const QString &entry : datas.mid(semi + 1).split(u',', Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split(u'|');
        out.push_back({parts.value(0), parts.value(1), parts.value(2)});
    }
    return out;
}

std::vector<QRect> FlowHeadStrip(const std::vector<int> &widths, const std::vector<bool> &pairs, int stripWidth,
                                 int top, int rowHeight, int gap, int &bottom)
{
    std::vector<QRect> rects;
    rects.reserve(widths.size());
    stripWidth = std::max(stripWidth, 1);
    int x = 0;
    int y = top;
    bool rowUsed = false;
    for (size_t i = 0; i < widths.size(); ++i) {
        int w = std::clamp(widths[i], 1, stripWidth);
        // A control and the one paired with it move to the next row together.
        int needed = w;
        if (i + 1 < widths.size() && i + 1 < pairs.size() && pairs[i + 1])
            needed += gap + std::clamp(widths[i + 1], 1, stripWidth);
        const bool paired = i < pairs.size() && pairs[i];
        // A paired control only wraps on its own when even it does not fit.
        if (rowUsed && x + (paired ? w : needed) > stripWidth) {
            x = 0;
            y += rowHeight + gap;
        }
        rects.emplace_back(x, y, w, rowHeight);
        x += w + gap;
        rowUsed = true;
    }
    bottom = rowUsed ? y + rowHeight + gap : top;
    return rects;
}

} // namespace velk
