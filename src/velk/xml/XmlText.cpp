#include "XmlText_p.h"

#include "XmlScan_p.h"

#include <velk/common/LeadingNumber_p.h>
#include <velk/common/Rounding_p.h>
#include <velk/common/StringHelpers.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace velk::XmlText {

QStringView trimLeadingSpaces(QStringView s)
{
    qsizetype begin = 0;
    while (begin < s.size() && s[begin] == u' ')
        ++begin;
    return s.sliced(begin);
}

bool isBlank(QStringView s)
{
    return trimLeadingSpaces(s).isEmpty();
}

std::pair<QString, QString> splitTag(QStringView text)
{
    const qsizetype blank = text.indexOf(u' ');
    if (blank < 0)
        return {text.toString(), QString()};
    return {TrimBlanks(text.first(blank)).toString(), TrimBlanks(text.sliced(blank + 1)).toString()};
}

QStringView trimWhite(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin].unicode() < 33)
        ++begin;
    while (end > begin && s[end - 1].unicode() < 33)
        --end;
    return s.sliced(begin, end - begin);
}

void appendEncoded(QString &out, QStringView s)
{
    // Copy runs without special characters in one go; most text has none.
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c != u'&' && c != u'<' && c != u'>' && c != u'"')
            continue;
        out.append(s.sliced(runStart, i - runStart));
        switch (c) {
        case u'&': out.append(u"&amp;"); break;
        case u'<': out.append(u"&lt;"); break;
        case u'>': out.append(u"&gt;"); break;
        default: out.append(u"&quot;"); break;
        }
        runStart = i + 1;
    }
    out.append(s.sliced(runStart));
}

QString encodeEntities(QStringView s)
{
    QString out;
    out.reserve(s.size());
    appendEncoded(out, s);
    return out;
}

namespace {

// The four entities never overlap and resolving one never forms another, so one pass
// that tries them at each "&" gives what four successive replace passes give.
bool hasAt(QStringView s, qsizetype i, std::u16string_view word)
{
    return s.size() - i >= qsizetype(word.size()) && std::equal(word.begin(), word.end(), s.utf16() + i);
}

qsizetype entityAt(QStringView s, qsizetype i, char16_t &resolved)
{
    if (hasAt(s, i, u"&gt;")) { resolved = u'>'; return 4; }
    if (hasAt(s, i, u"&lt;")) { resolved = u'<'; return 4; }
    if (hasAt(s, i, u"&quot;")) { resolved = u'"'; return 6; }
    if (hasAt(s, i, u"&amp;")) { resolved = u'&'; return 5; }
    return 0;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

qsizetype decodeEntitiesInto(QStringView s, char16_t *out)
{
    const char16_t *const start = out;
    qsizetype runStart = 0;
    const char16_t *const text = s.utf16();
    for (qsizetype i = XmlScan::indexOf(text, s.size(), 0, u'&'); i >= 0;
         i = XmlScan::indexOf(text, s.size(), i + 1, u'&')) {
        char16_t resolved = 0;
        const qsizetype length = entityAt(s, i, resolved);
        if (length == 0)
            continue;
        out = std::copy_n(s.utf16() + runStart, i - runStart, out);
        *out++ = resolved;
        i += length - 1;
        runStart = i + 1;
    }
    out = std::copy_n(s.utf16() + runStart, s.size() - runStart, out);
    return out - start;
}

QString decodeEntities(QStringView s)
{
    if (!s.contains(u'&'))
        return s.toString();
    QString out(s.size(), Qt::Uninitialized);
    out.resize(decodeEntitiesInto(s, reinterpret_cast<char16_t *>(out.data())));
    return out;
}

QString escapeValue(QStringView s)
{
    QString out;
    out.reserve(s.size() + 8);
    for (QChar c : s) {
        switch (c.unicode()) {
        case u'\\': out.append(u"\\\\"); break;
        case u'|': out.append(u"\\|"); break;
        case u'\r': break;
        case u'\n': out.append(u"\\n"); break;
        case u'"': out.append(u"\\\""); break;
        default: out.append(c); break;
        }
    }
    return out;
}

QString unescapeValue(QStringView s)
{
    if (!s.contains(u'\\'))
        return s.toString();
    QString out;
    out.reserve(s.size());
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c != u'\\' || i + 1 == s.size()) {
            out.append(c);
            ++i;
            continue;
        }
        const QChar next = s[i + 1];
        if (next == u'n') {
            out.append(u"\r\n");
            i += 2;
        } else if (isDigit(next)) {
            const int code = RoundHalfEvenToInt(LeadingNumber(s.sliced(i + 1, qMin<qsizetype>(3, s.size() - i - 1)), NumberForm::Scientific), 0, 65536);
            if (code > 255) {
                // An impossible code keeps its escape as written.
                out.append(c);
                ++i;
            } else {
                out.append(QChar(char16_t(code)));
                i = qMin(i + 4, s.size());
            }
        } else {
            out.append(next);
            i += 2;
        }
    }
    return out;
}

namespace {

// The text up to the next `sep` (or all of it); `s` keeps what follows the separator.
QStringView takeToken(QStringView &s, QChar sep)
{
    const qsizetype at = s.indexOf(sep);
    if (at < 0) {
        const QStringView all = s;
        s = {};
        return all;
    }
    const QStringView token = s.first(at);
    s = s.sliced(at + 1);
    return token;
}

} // namespace

QString takeWord(QStringView &s)
{
    QString word;
    if (s.startsWith(u'"')) {
        s = s.sliced(1);
        word = takeToken(s, u'"').toString();
        while (s.startsWith(u'"')) {
            s = s.sliced(1);
            word += u'"';
            word += takeToken(s, u'"');
        }
    } else if (s.startsWith(u'\'')) {
        s = s.sliced(1);
        word = takeToken(s, u'\'').toString();
    } else {
        word = takeToken(s, u' ').toString();
        // Trailing blanks of the rest are left: every caller reads on from the front, and
        // trimming the end at each word would make a long text quadratic.
        s = trimLeadingSpaces(s);
    }
    qsizetype skip = 0;
    while (skip < s.size() && s[skip].unicode() < 33)
        ++skip;
    s = s.sliced(skip);
    return word;
}

} // namespace velk::XmlText
