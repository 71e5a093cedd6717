#include "SheetQuery_p.h"

namespace velk {

QString SheetQuery::groupName(const QString &q, bool *ok)
{
    const bool grouped = q.startsWith(u'(');
    if (ok)
        *ok = grouped;
    if (!grouped)
        return QString();
    const qsizetype close = q.indexOf(u')', 1);
    return q.mid(1, close < 0 ? -1 : close - 1);
}

QString SheetQuery::groupValue(QStringView cell, const QString &name)
{
    // "," + name + "=" looked for in "," + cell: at the start no comma is needed.
    QString needle;
    needle.reserve(name.size() + 2);
    needle += u',';
    needle += name;
    needle += u'=';
    const QStringView bare = QStringView(needle).mid(1);
    if (cell.startsWith(bare))
        return cell.mid(bare.size()).toString();
    const qsizetype at = cell.indexOf(needle);
    return at < 0 ? QString() : cell.mid(at + needle.size()).toString();
}

QString SheetQuery::headerText(const QString &value)
{
    return QStringLiteral("^Gruppierung: ") + value;
}

} // namespace velk
