#include "PageScript_p.h"

#include <velk/common/StringHelpers.h>

#include <QLocale>

#include <cmath>

namespace velk {

namespace {

constexpr double limit = 1e9;

double finiteOrZero(double v)
{
    return std::isfinite(v) && std::abs(v) < limit ? v : 0.0;
}

// Reads a number at `pos`, moving past it; false when none is there.
bool readNumber(QStringView s, qsizetype &pos, double &value)
{
    qsizetype p = pos;
    double whole = 0, fraction = 0, scale = 1;
    bool any = false, inFraction = false;
    for (; p < s.size(); ++p) {
        const QChar c = s[p];
        if (c.isDigit()) {
            any = true;
            if (inFraction)
                fraction += c.digitValue() * (scale /= 10);
            else if (whole < limit)
                whole = whole * 10 + c.digitValue();
        } else if ((c == u'.' || c == u',') && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
    }
    if (!any)
        return false;
    pos = p;
    value = finiteOrZero(whole + fraction);
    return true;
}

struct ExpressionReader
{
    QStringView s;
    double x, y, sp;
    qsizetype pos = 0;

    void skipBlanks()
    {
        while (pos < s.size() && s[pos].isSpace())
            ++pos;
    }
    double operand()
    {
        skipBlanks();
        double sign = 1;
        while (pos < s.size() && (s[pos] == u'-' || s[pos] == u'+')) {
            if (s[pos] == u'-')
                sign = -sign;
            ++pos;
        }
        double value = 0;
        if (readNumber(s, pos, value))
            return sign * value;
        const QStringView rest = s.mid(pos);
        if (rest.startsWith(u"sp", Qt::CaseInsensitive)) {
            pos += 2;
            return sign * sp;
        }
        if (rest.startsWith(u"x", Qt::CaseInsensitive)) {
            ++pos;
            return sign * x;
        }
        if (rest.startsWith(u"y", Qt::CaseInsensitive)) {
            ++pos;
            return sign * y;
        }
        if (pos < s.size())
            ++pos; // an unknown character reads as 0
        return 0;
    }
    double product()
    {
        double value = operand();
        for (skipBlanks(); pos < s.size() && (s[pos] == u'*' || s[pos] == u'/'); skipBlanks()) {
            const bool divide = s[pos++] == u'/';
            const double right = operand();
            value = divide ? (right == 0 ? 0 : value / right) : value * right;
            value = finiteOrZero(value);
        }
        return value;
    }
    double sum()
    {
        double value = product();
        for (skipBlanks(); pos < s.size() && (s[pos] == u'+' || s[pos] == u'-'); skipBlanks()) {
            const bool minus = s[pos++] == u'-';
            value = finiteOrZero(minus ? value - product() : value + product());
        }
        return value;
    }
};

bool readsAsNumber(const QString &s, double &value)
{
    const QString t = s.trimmed();
    if (t.isEmpty())
        return false;
    bool digit = false;
    for (QChar c : t) {
        if (c.isDigit())
            digit = true;
        else if (c != u'.' && c != u',' && c != u'-' && c != u'+' && c != u'%')
            return false;
    }
    value = finiteOrZero(ParseNumber(t));
    return digit;
}

} // namespace

double pageNumber(QStringView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    const bool negative = pos < text.size() && text[pos] == u'-';
    if (negative || (pos < text.size() && text[pos] == u'+'))
        ++pos;
    double value = 0;
    if (!readNumber(text, pos, value))
        return 0;
    return negative ? -value : value;
}

QString formatAmount(double value)
{
    static const QLocale german(QLocale::German, QLocale::Germany);
    return german.toString(finiteOrZero(value), 'f', 2);
}

double evaluatePageExpression(QStringView expr, double x, double y, double sp)
{
    ExpressionReader reader{expr, x, y, sp};
    return reader.sum();
}

bool evaluatePageCondition(const QString &condition)
{
    static const char *const operators[] = {"<>", "<=", ">=", "=", "<", ">"};
    for (const char *op : operators) {
        const qsizetype at = condition.indexOf(QLatin1String(op));
        if (at < 0)
            continue;
        const QString left = condition.left(at).trimmed();
        const QString right = condition.mid(at + qsizetype(qstrlen(op))).trimmed();
        double a = 0, b = 0;
        int order = 0;
        if (readsAsNumber(left, a) && readsAsNumber(right, b))
            order = a < b ? -1 : a > b ? 1 : 0;
        else
            order = left.compare(right);
        const QLatin1String o(op);
        if (o == QLatin1String("<>"))
            return order != 0;
        if (o == QLatin1String("<="))
            return order <= 0;
        if (o == QLatin1String(">="))
            return order >= 0;
        if (o == QLatin1String("="))
            return order == 0;
        return o == QLatin1String("<") ? order < 0 : order > 0;
    }
    const QString value = condition.trimmed();
    return !value.isEmpty() && value != QLatin1String("0");
}

} // namespace velk
