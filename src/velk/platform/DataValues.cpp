#include "DataSource_p.h"

#include <QDate>
#include <QDateTime>

#include <charconv>
#include <cmath>
#include <cstring>

namespace velk::data {

QString decimalText(double value)
{
    if (std::isnan(value))
        return {};
    if (value == 0) // also -0
        return QStringLiteral("0");
    // Fifteen significant digits, as the databases print doubles; the point becomes ",".
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    for (char *p = buffer; p < result.ptr; ++p) {
        if (*p == '.') {
            *p = ',';
            break;
        }
    }
    return QString::fromLatin1(buffer, result.ptr - buffer);
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
bool digitsAt(const char *t, int at, int n)
{
    for (int i = at; i < at + n; ++i) {
        if (t[i] < '0' || t[i] > '9')
            return false;
    }
    return true;
}
} // namespace

// Built straight from the stored bytes: the record loop shows every date this way.
QString isoDateText(const char *t, int size)
{
    if (size < 10 || !digitsAt(t, 0, 4) || t[4] != '-' || !digitsAt(t, 5, 2) || t[7] != '-' || !digitsAt(t, 8, 2))
        return QString::fromUtf8(t, size);
    const bool hasTime = size >= 16 && (t[10] == ' ' || t[10] == 'T') && digitsAt(t, 11, 2) && t[13] == ':'
        && digitsAt(t, 14, 2);
    const bool hasSeconds = hasTime && size >= 19 && t[16] == ':' && digitsAt(t, 17, 2);
    const bool midnight = hasTime && std::memcmp(t + 11, "00:00", 5) == 0
        && (!hasSeconds || std::memcmp(t + 16, ":00", 3) == 0);
    QString shown(hasTime && !midnight ? 19 : 10, Qt::Uninitialized);
    QChar *o = shown.data();
    const int order[10] = {8, 9, -1, 5, 6, -1, 0, 1, 2, 3};
    for (int i = 0; i < 10; ++i)
        o[i] = order[i] < 0 ? QChar(u'.') : QChar(QLatin1Char(t[order[i]]));
    if (shown.size() == 19) {
        o[10] = u' ';
        for (int i = 0; i < 5; ++i)
            o[11 + i] = QLatin1Char(t[11 + i]);
        o[16] = u':';
        o[17] = QLatin1Char(hasSeconds ? t[17] : '0');
        o[18] = QLatin1Char(hasSeconds ? t[18] : '0');
    }
    return shown;
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
