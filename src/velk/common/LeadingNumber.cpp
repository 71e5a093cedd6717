#include "LeadingNumber_p.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace velk {
namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// Whether a number from_chars found out of range is too large (and not too small). Its
// decimal magnitude is the position of the first non-zero digit relative to the point,
// plus the exponent.
bool overflowsUpwards(const std::string &number)
{
    const size_t e = number.find('e');
    const std::string mantissa = number.substr(0, e);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t firstNonZero = mantissa.find_first_of("123456789");
    if (firstNonZero == std::string::npos)
        return false;
    long long magnitude = firstNonZero < point ? (long long)(point - firstNonZero)
                                               : -(long long)(firstNonZero - point - 1);
    if (e != std::string::npos) {
        long long exponent = 0;
        const bool negative = number[e + 1] == '-';
        for (size_t i = e + 1; i < number.size(); ++i) {
            if (number[i] >= '0' && number[i] <= '9')
                exponent = std::min<long long>(exponent * 10 + (number[i] - '0'), 1LL << 40);
        }
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude > 0;
}

} // namespace

double LeadingNumber(QStringView s, NumberForm form)
{
    const bool scientific = form == NumberForm::Scientific;
    // The characters that belong to the number are collected as ASCII and converted by
    // from_chars, which ignores the process locale.
    std::string number;
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < s.size() && isBlank(s[i]))
            ++i;
    };
    const auto takeDigits = [&] {
        while (true) {
            if (scientific)
                skipBlanks();
            if (i >= s.size() || !isDigit(s[i]))
                return;
            number += char(s[i++].unicode());
        }
    };
    skipBlanks();
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+'))
        negative = s[i++] == u'-';
    takeDigits();
    if (i < s.size() && s[i] == u'.') {
        number += '.';
        ++i;
        takeDigits();
    }
    const size_t mantissaLength = number.size();
    if (mantissaLength == 0 || number == ".")
        return 0.0;
    if (scientific && i < s.size() && QStringView(u"EeDd").contains(s[i])) {
        number += 'e';
        ++i;
        skipBlanks();
        if (i < s.size() && (s[i] == u'-' || s[i] == u'+'))
            number += char(s[i++].unicode());
        const size_t before = number.size();
        takeDigits();
        if (number.size() == before)
            number.resize(mantissaLength);
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           scientific ? std::chars_format::general : std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range)
        value = scientific && overflowsUpwards(number) ? HUGE_VAL : 0.0;
    else if (ec != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

qint64 LeadingInteger(QStringView s)
{
    constexpr qint64 limit = 999'999'999'999'999;
    qsizetype i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        negative = s[i++] == u'-';
    qint64 value = 0;
    for (; i < s.size() && isDigit(s[i]); ++i)
        value = qMin(limit, value * 10 + (s[i].unicode() - u'0'));
    return negative ? -value : value;
}

} // namespace velk
