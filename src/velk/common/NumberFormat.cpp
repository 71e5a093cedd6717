#include "NumberFormat.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace velk {
namespace {

struct Token
{
    enum Kind { Digit, Point, Comma, Literal } kind;
    QChar digit; // '0' or '#'
    QString text;
};

struct Section
{
    std::vector<Token> tokens;
    int intZeros = 0;   // whole-number places from the leftmost "0" on
    int decimals = 0;   // places after the point
    int decZeros = 0;   // "0" places after the point
    bool grouping = false;
    bool hasDigits = false;
    bool hasPoint = false;
};

Section parseSection(QStringView f)
{
    Section s;
    bool afterPoint = false;
    int intPlaces = 0;
    int firstIntZero = -1;
    int lastIntDigit = -1;
    int firstIntDigit = -1;
    std::vector<int> commas;
    for (qsizetype i = 0; i < f.size(); ++i) {
        const QChar c = f[i];
        if (c == u'0' || c == u'#') {
            s.hasDigits = true;
            if (afterPoint) {
                ++s.decimals;
                if (c == u'0' && s.decZeros == s.decimals - 1)
                    ++s.decZeros;
            } else {
                if (c == u'0' && firstIntZero < 0)
                    firstIntZero = intPlaces;
                if (firstIntDigit < 0)
                    firstIntDigit = int(s.tokens.size());
                lastIntDigit = int(s.tokens.size());
                ++intPlaces;
            }
            s.tokens.push_back({Token::Digit, c, {}});
        } else if (c == u'.' && !afterPoint) {
            afterPoint = true;
            s.hasPoint = true;
            s.tokens.push_back({Token::Point, {}, {}});
        } else if (c == u',' && !afterPoint) {
            commas.push_back(int(s.tokens.size()));
            s.tokens.push_back({Token::Comma, {}, {}});
        } else if (c == u'"') {
            const qsizetype end = f.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? f.size() : end;
            s.tokens.push_back({Token::Literal, {}, f.mid(i + 1, stop - i - 1).toString()});
            i = stop;
        } else if (c == u'\\' && i + 1 < f.size()) {
            s.tokens.push_back({Token::Literal, {}, QString(f[++i])});
        } else {
            s.tokens.push_back({Token::Literal, {}, QString(c)});
        }
    }
    if (firstIntZero >= 0)
        s.intZeros = intPlaces - firstIntZero;
    for (int at : commas)
        if (at > firstIntDigit && at < lastIntDigit)
            s.grouping = true;
    return s;
}

// The decimal digits of |value| rounded half away from zero to `decimals` places, read
// from its 15 significant digits (so 2.675 shows as 2,68, as typed).
void decimalDigits(double value, int decimals, QString &whole, QString &fraction)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    // buf: d.dddddddddddddde±xx
    QString digits;
    for (const char *p = buf; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += QLatin1Char(*p);
    int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    // Digits before the decimal point: exponent + 1.
    int pointAt = exponent + 1;
    if (pointAt < 0) {
        digits = QString(-pointAt, u'0') + digits;
        pointAt = 0;
    }
    if (digits.size() < pointAt + decimals)
        digits += QString(pointAt + decimals - digits.size(), u'0');
    const int keep = pointAt + decimals;
    const bool roundUp = keep < digits.size() && digits[keep] >= u'5';
    digits.truncate(keep);
    if (roundUp) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (digits[i] == u'9') {
                digits[i] = u'0';
            } else {
                digits[i] = QChar(digits[i].unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            digits.prepend(u'1');
            ++pointAt;
        }
    }
    whole = digits.left(pointAt);
    fraction = digits.mid(pointAt);
    qsizetype lead = 0;
    while (lead < whole.size() && whole[lead] == u'0')
        ++lead;
    whole.remove(0, lead);
}

bool hasNonZero(const QString &digits)
{
    for (QChar c : digits)
        if (c != u'0' && c != u'.')
            return true;
    return false;
}

QString grouped(const QString &digits)
{
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += u'.';
        out += digits[i];
    }
    return out;
}

QString render(const Section &s, double value, bool withSign)
{
    if (!s.hasDigits && !s.hasPoint) {
        // A format without places shows its literals only.
        QString out;
        for (const Token &t : s.tokens)
            if (t.kind == Token::Literal)
                out += t.text;
        return out;
    }
    QString whole, fraction;
    decimalDigits(value, s.decimals, whole, fraction);
    while (fraction.size() > s.decZeros && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (whole.size() < s.intZeros)
        whole.prepend(QString(s.intZeros - whole.size(), u'0'));
    if (s.grouping)
        whole = grouped(whole);
    const bool isZero = !hasNonZero(whole) && !hasNonZero(fraction);

    QString out;
    if (withSign && value < 0 && !isZero)
        out += u'-';
    bool wholeWritten = false;
    qsizetype fractionAt = 0;
    for (const Token &t : s.tokens) {
        switch (t.kind) {
        case Token::Digit:
            if (!wholeWritten) {
                out += whole;
                wholeWritten = true;
            } else if (fractionAt > 0 && fractionAt <= fraction.size()) {
                out += fraction[fractionAt - 1];
                ++fractionAt;
            }
            break;
        case Token::Point:
            if (!wholeWritten)
                out += whole;
            wholeWritten = true;
            if (!fraction.isEmpty())
                out += u',';
            fractionAt = 1;
            break;
        case Token::Comma:
            break;
        case Token::Literal:
            out += t.text;
            break;
        }
    }
    return out;
}

} // namespace

QString FormatNumber(double value, const QString &format)
{
    if (!std::isfinite(value))
        return {};
    if (format.isEmpty()) {
        QString text = QString::number(value, 'g', 15);
        if (text.contains(u'e'))
            text = QString::number(value, 'f', 0);
        return text.replace(u'.', u',');
    }
    // Sections split at ";" outside quotes.
    std::vector<QStringView> sections;
    const QStringView f(format);
    qsizetype start = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < f.size(); ++i) {
        if (f[i] == u'"')
            quoted = !quoted;
        else if (f[i] == u'\\')
            ++i;
        else if (f[i] == u';' && !quoted) {
            sections.push_back(f.mid(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(f.mid(start));

    const Section first = parseSection(sections[0]);
    if (value < 0 && sections.size() > 1 && !sections[1].isEmpty())
        return render(parseSection(sections[1]), value, false);
    if (sections.size() > 2 && !sections[2].isEmpty()) {
        QString whole, fraction;
        decimalDigits(value, first.decimals, whole, fraction);
        if (!hasNonZero(whole) && !hasNonZero(fraction))
            return render(parseSection(sections[2]), 0.0, false);
    }
    return render(first, value, true);
}

QString FormatValue(const QVariant &value, const QString &format)
{
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString text = value.toString().trimmed();
        static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
        if (!number.match(text).hasMatch())
            return value.toString();
        QString plain = text;
        plain.replace(u',', u'.');
        return FormatNumber(plain.toDouble(), format);
    }
    default:
        break;
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok ? FormatNumber(d, format) : value.toString();
}

} // namespace velk
