#include "DataSource_p.h"

#include <QDate>
#include <QDateTime>

#include <cmath>

namespace velk::data {

QString decimalText(double value)
{
    if (std::isnan(value))
        return {};
    if (value == 0) // also -0
        return QStringLiteral("0");
    QString text = QString::number(value, 'g', 15);
    const qsizetype point = text.indexOf(u'.');
    if (point >= 0)
        text[point] = u',';
    return text;
}

QString valueText(const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return decimalText(value.toDouble());
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.time() == QTime(0, 0) ? dt.date().toString(QStringLiteral("dd.MM.yyyy"))
                                        : dt.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

namespace {
bool digitsAt(const QString &t, qsizetype at, int n)
{
    for (int i = 0; i < n; ++i) {
        if (at + i >= t.size() || !t[at + i].isDigit())
            return false;
    }
    return true;
}
} // namespace

QString isoDateText(const QString &t)
{
    if (t.size() < 10 || !digitsAt(t, 0, 4) || t[4] != u'-' || !digitsAt(t, 5, 2) || t[7] != u'-' || !digitsAt(t, 8, 2))
        return t;
    QString shown;
    shown.reserve(19);
    shown += QStringView(t).mid(8, 2);
    shown += u'.';
    shown += QStringView(t).mid(5, 2);
    shown += u'.';
    shown += QStringView(t).left(4);
    if (t.size() < 16 || (t[10] != u' ' && t[10] != u'T'))
        return shown;
    QString time = t.mid(11, 8);
    if (time.size() == 5)
        time += QStringLiteral(":00");
    if (time == u"00:00:00")
        return shown;
    return shown + u' ' + time;
}

int typeCodeOfDeclared(const QString &declared)
{
    const QString t = declared.toUpper();
    auto has = [&t](const char *word) { return t.contains(QLatin1String(word)); };
    if (t.isEmpty())
        return 0;
    if (has("DATETIME") || has("TIMESTAMP"))
        return TypeCode::DateTime;
    if (has("DATE"))
        return TypeCode::Date;
    if (has("TIME"))
        return TypeCode::Time;
    if (has("BIGINT"))
        return TypeCode::BigInt;
    if (has("SMALLINT") || has("TINYINT"))
        return TypeCode::SmallInt;
    if (has("INT"))
        return TypeCode::Integer;
    if (has("CHAR"))
        return TypeCode::Text;
    if (has("TEXT") || has("CLOB") || has("MEMO"))
        return TypeCode::LongText;
    if (has("BLOB"))
        return TypeCode::Binary;
    if (has("REAL") || has("FLOA") || has("DOUB"))
        return TypeCode::Double;
    if (has("BOOL"))
        return TypeCode::Boolean;
    if (has("MONEY") || has("CURRENCY"))
        return TypeCode::Currency;
    return TypeCode::Numeric;
}

} // namespace velk::data
