#include "LeadingNumber_p.h"

#include <charconv>
#include <string>

namespace velk {
namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

qsizetype skipBlanks(QStringView s)
{
    qsizetype i = 0;
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t' || s[i] == u'\n'))
        ++i;
    return i;
}

} // namespace

double LeadingNumber(QStringView s)
{
    qsizetype i = skipBlanks(s);
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        negative = s[i++] == u'-';
    const qsizetype begin = i;
    while (i < s.size() && isDigit(s[i]))
        ++i;
    if (i < s.size() && s[i] == u'.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i;
    }
    // Only ASCII digits and one point are left, so a plain byte copy is exact; from_chars
    // is used because it ignores the process locale (a German locale reads "," as point).
    std::string digits;
    digits.reserve(size_t(i - begin));
    for (qsizetype k = begin; k < i; ++k)
        digits += char(s[k].unicode());
    if (digits.empty() || digits == ".")
        return 0.0;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::fixed);
    if (ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}

qint64 LeadingInteger(QStringView s)
{
    constexpr qint64 limit = 999'999'999'999'999;
    qsizetype i = skipBlanks(s);
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        negative = s[i++] == u'-';
    qint64 value = 0;
    for (; i < s.size() && isDigit(s[i]); ++i)
        value = qMin(limit, value * 10 + (s[i].unicode() - u'0'));
    return negative ? -value : value;
}

} // namespace velk
