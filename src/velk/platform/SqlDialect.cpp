#include "SqlDialect_p.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace velk {

namespace {

using Flavor = SqlDialect::Flavor;

// A clause keyword found outside parentheses and quotes; positions are in the output text.
struct Keyword
{
    qsizetype start = 0;
    qsizetype end = 0;
    QString word; ///< upper case
};

bool isIdentStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isIdentChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool isClauseKeyword(const QString &upper)
{
    static const QString words[] = {
        QStringLiteral("SELECT"), QStringLiteral("FROM"), QStringLiteral("GROUP"), QStringLiteral("BY"),
        QStringLiteral("HAVING"), QStringLiteral("ORDER"), QStringLiteral("LIMIT"), QStringLiteral("OFFSET"),
        QStringLiteral("UNION"), QStringLiteral("INTERSECT"), QStringLiteral("EXCEPT"),
        QStringLiteral("TRANSFORM"), QStringLiteral("PIVOT")};
    for (const QString &w : words) {
        if (upper == w)
            return true;
    }
    return false;
}

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// The one pass over the text: literals, functions and bracketed names are rewritten,
// quoted text and comments copied, clause keywords at the top level remembered.
class Lexer
{
public:
    Lexer(const QString &in, Flavor flavor)
        : m_in(in)
        , m_flavor(flavor)
        , m_lastBracketClose(in.lastIndexOf(u']'))
    {
        m_out.reserve(in.size() + in.size() / 8 + 16);
    }

    void run()
    {
        while (m_pos < m_in.size())
            step();
    }

    QString &out() { return m_out; }
    std::vector<Keyword> &keywords() { return m_keywords; }

private:
    void step()
    {
        const QChar c = m_in[m_pos];
        if (c == u'\'' || c == u'"')
            copyQuoted(c);
        else if (c == u'-' && peek(1) == u'-')
            copyLineComment();
        else if (c == u'[')
            bracketName();
        else if (c == u'#')
            dateLiteral();
        else if (c == u'(')
            openParen(false);
        else if (c == u')')
            closeParen();
        else if (isIdentStart(c))
            word();
        else
            m_out += m_in[m_pos++];
    }

    QChar peek(qsizetype ahead) const
    {
        return m_pos + ahead < m_in.size() ? m_in[m_pos + ahead] : QChar();
    }

    // Quotes inside are doubled ('O''Brien'), which this loop reads as close-and-reopen.
    void copyQuoted(QChar quote)
    {
        const qsizetype close = m_in.indexOf(quote, m_pos + 1);
        const qsizetype end = close < 0 ? m_in.size() : close + 1;
        m_out += QStringView(m_in).mid(m_pos, end - m_pos);
        m_pos = end;
    }

    void copyLineComment()
    {
        const qsizetype close = m_in.indexOf(u'\n', m_pos);
        const qsizetype end = close < 0 ? m_in.size() : close;
        m_out += QStringView(m_in).mid(m_pos, end - m_pos);
        m_pos = end;
    }

    void bracketName()
    {
        // Searching is bounded by the last ']' in the text, so many '[' without one stay linear.
        const qsizetype close = m_pos < m_lastBracketClose ? m_in.indexOf(u']', m_pos + 1) : -1;
        if (close < 0) {
            m_out += m_in[m_pos++];
            return;
        }
        m_out += u'"';
        for (qsizetype i = m_pos + 1; i < close; ++i) {
            if (m_in[i] == u'"')
                m_out += u'"';
            m_out += m_in[i];
        }
        m_out += u'"';
        m_pos = close + 1;
    }

    // Reads up to `maxDigits` digits at `at`; -1 when there is none.
    int number(qsizetype &at, int maxDigits) const
    {
        int value = 0;
        int digits = 0;
        while (digits < maxDigits && at < m_in.size() && isDigit(m_in[at])) {
            value = value * 10 + (m_in[at].unicode() - u'0');
            ++at;
            ++digits;
        }
        return digits == 0 ? -1 : value;
    }

    bool expect(qsizetype &at, QChar c) const
    {
        if (at < m_in.size() && m_in[at] == c) {
            ++at;
            return true;
        }
        return false;
    }

    // #m/d/yyyy# or #m/d/yyyy h:mm[:ss]#; anything else leaves the '#' as it is.
    void dateLiteral()
    {
        qsizetype at = m_pos + 1;
        const int month = number(at, 2);
        const bool slash1 = month >= 0 && expect(at, u'/');
        const int day = slash1 ? number(at, 2) : -1;
        const bool slash2 = day >= 0 && expect(at, u'/');
        int year = slash2 ? number(at, 4) : -1;
        if (year < 0 || month < 1 || month > 12 || day < 1 || day > 31) {
            m_out += m_in[m_pos++];
            return;
        }
        if (year < 50)
            year += 2000;
        else if (year < 100)
            year += 1900;
        int hour = -1, minute = 0, second = 0;
        qsizetype timeAt = at;
        while (timeAt < m_in.size() && m_in[timeAt] == u' ' && timeAt - at < 8)
            ++timeAt;
        if (timeAt > at) {
            hour = number(timeAt, 2);
            if (hour >= 0 && hour < 24 && expect(timeAt, u':') && (minute = number(timeAt, 2)) >= 0 && minute < 60) {
                if (expect(timeAt, u':'))
                    second = number(timeAt, 2);
                if (second >= 0 && second < 60)
                    at = timeAt;
                else
                    hour = -1;
            } else {
                hour = -1;
            }
        }
        if (!expect(at, u'#')) {
            m_out += m_in[m_pos++];
            return;
        }
        QString iso = QStringLiteral("%1-%2-%3").arg(year, 4, 10, QLatin1Char('0')).arg(twoDigits(month), twoDigits(day));
        if (hour >= 0)
            iso += QStringLiteral(" %1:%2:%3").arg(twoDigits(hour), twoDigits(minute), twoDigits(second));
        if (m_flavor == Flavor::Standard)
            m_out += hour >= 0 ? QStringLiteral("TIMESTAMP ") : QStringLiteral("DATE ");
        m_out += u'\'' + iso + u'\'';
        m_pos = at;
    }

    void openParen(bool function)
    {
        m_closers.push_back(function);
        if (!function)
            m_out += u'(';
        ++m_pos;
    }

    void closeParen()
    {
        ++m_pos;
        if (m_closers.empty()) {
            m_out += u')';
            return;
        }
        const bool function = m_closers.back();
        m_closers.pop_back();
        m_out += function ? QStringLiteral(") AS INTEGER)") : QStringLiteral(")");
    }

    void word()
    {
        const qsizetype start = m_pos;
        const bool qualified = start > 0 && m_in[start - 1] == u'.';
        while (m_pos < m_in.size() && isIdentChar(m_in[m_pos]))
            ++m_pos;
        const QStringView text = QStringView(m_in).mid(start, m_pos - start);
        if (text.size() > 9 || qualified) {
            m_out += text;
            return;
        }
        const QString upper = text.toString().toUpper();
        if (const QString part = datePart(upper); !part.isEmpty() && parenFollows()) {
            while (m_in[m_pos] != u'(')
                ++m_pos;
            m_out += m_flavor == Flavor::Sqlite ? QStringLiteral("CAST(strftime('%%1', ").arg(part)
                                                : QStringLiteral("CAST(EXTRACT(%1 FROM ").arg(upper);
            openParen(true);
            return;
        }
        if (m_closers.empty() && isClauseKeyword(upper))
            m_keywords.push_back({m_out.size(), m_out.size() + text.size(), upper});
        m_out += text;
    }

    static QString datePart(const QString &upper)
    {
        if (upper == u"YEAR")
            return QStringLiteral("Y");
        if (upper == u"MONTH")
            return QStringLiteral("m");
        if (upper == u"DAY")
            return QStringLiteral("d");
        return {};
    }

    bool parenFollows() const
    {
        qsizetype at = m_pos;
        while (at < m_in.size() && (m_in[at] == u' ' || m_in[at] == u'\t'))
            ++at;
        return at < m_in.size() && m_in[at] == u'(';
    }

    const QString &m_in;
    Flavor m_flavor;
    qsizetype m_lastBracketClose;
    qsizetype m_pos = 0;
    QString m_out;
    std::vector<Keyword> m_keywords;
    std::vector<bool> m_closers; ///< per open parenthesis: closes a date function
};

const Keyword *findKeyword(const std::vector<Keyword> &kws, const QString &word, qsizetype after, qsizetype before)
{
    for (const Keyword &k : kws) {
        if (k.start >= after && k.start < before && k.word == word)
            return &k;
    }
    return nullptr;
}

const Keyword *findLastKeyword(const std::vector<Keyword> &kws, const QString &word)
{
    for (auto it = kws.rbegin(); it != kws.rend(); ++it) {
        if (it->word == word)
            return &*it;
    }
    return nullptr;
}

bool isBlank(QChar c) { return c.isSpace(); }

// End of `text` without trailing blanks and ';' from `end` backwards.
qsizetype trimmedEnd(const QString &text, qsizetype end, qsizetype floor = 0)
{
    while (end > floor && (isBlank(text[end - 1]) || text[end - 1] == u';'))
        --end;
    return end;
}

// "agg AS alias" → agg (the alias is replaced); a trailing word after AS only.
QString withoutAlias(const QString &agg)
{
    qsizetype end = agg.size();
    while (end > 0 && isIdentChar(agg[end - 1]))
        --end;
    qsizetype asEnd = end;
    while (asEnd > 0 && isBlank(agg[asEnd - 1]))
        --asEnd;
    if (asEnd == end || asEnd < 3 || end == agg.size())
        return agg;
    const QStringView as = QStringView(agg).mid(asEnd - 2, 2);
    if (as.compare(u"AS", Qt::CaseInsensitive) != 0 || !isBlank(agg[asEnd - 3]))
        return agg;
    return agg.left(asEnd - 2).trimmed();
}

// The clause keywords that end a GROUP BY list.
const Keyword *groupListEnd(const std::vector<Keyword> &kws, qsizetype after, qsizetype before)
{
    for (const Keyword &k : kws) {
        if (k.start >= after && k.start < before
            && (k.word == u"HAVING" || k.word == u"ORDER" || k.word == u"LIMIT" || k.word == u"OFFSET"))
            return &k;
    }
    return nullptr;
}

const Keyword *groupBy(const std::vector<Keyword> &kws, const QString &text, qsizetype after, qsizetype before)
{
    for (size_t i = 0; i + 1 < kws.size(); ++i) {
        if (kws[i].start < after || kws[i].start >= before || kws[i].word != u"GROUP" || kws[i + 1].word != u"BY")
            continue;
        if (QStringView(text).mid(kws[i].end, kws[i + 1].start - kws[i].end).trimmed().isEmpty())
            return &kws[i + 1];
    }
    return nullptr;
}

std::optional<QString> rewriteTransform(const QString &text, const std::vector<Keyword> &kws)
{
    const Keyword &transform = kws.front();
    const Keyword *select = findKeyword(kws, QStringLiteral("SELECT"), transform.end, text.size());
    const Keyword *pivot = findLastKeyword(kws, QStringLiteral("PIVOT"));
    if (!select || !pivot || pivot->start < select->end)
        return std::nullopt;
    const Keyword *from = findKeyword(kws, QStringLiteral("FROM"), select->end, pivot->start);
    if (!from)
        return std::nullopt;
    const QString agg = withoutAlias(text.mid(transform.end, select->start - transform.end).trimmed());
    const QString list = text.mid(select->end, from->start - select->end).trimmed();
    const qsizetype pivotEnd = trimmedEnd(text, text.size(), pivot->end);
    const QString pivotExpr = text.mid(pivot->end, pivotEnd - pivot->end).trimmed();
    if (agg.isEmpty() || list.isEmpty() || pivotExpr.isEmpty())
        return std::nullopt;

    const qsizetype restEnd = trimmedEnd(text, pivot->start, from->start);
    QString rest;
    if (const Keyword *by = groupBy(kws, text, from->end, pivot->start)) {
        const Keyword *end = groupListEnd(kws, by->end, pivot->start);
        const qsizetype listEnd = end ? trimmedEnd(text, end->start, by->end) : restEnd;
        rest = text.mid(from->start, listEnd - from->start) + QStringLiteral(", ") + pivotExpr
            + text.mid(listEnd, restEnd - listEnd);
    } else {
        rest = text.mid(from->start, restEnd - from->start) + QStringLiteral(" GROUP BY ") + pivotExpr;
    }
    return QStringLiteral("SELECT ") + list + QStringLiteral(", ") + pivotExpr + QStringLiteral(" AS velk_pivot, ")
        + agg + QStringLiteral(" AS velk_value ") + rest;
}

// The expressions of a GROUP BY list, split at commas outside parentheses and quotes.
QStringList splitTopLevel(QStringView list)
{
    QStringList parts;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QChar c = list[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype close = list.indexOf(c, i + 1);
            i = close < 0 ? list.size() - 1 : close;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            depth = std::max(0, depth - 1);
        } else if (c == u',' && depth == 0) {
            parts << list.mid(start, i - start).trimmed().toString();
            start = i + 1;
        }
    }
    parts << list.mid(start).trimmed().toString();
    parts.removeAll(QString());
    return parts;
}

QString orderedByGroups(const QString &text, const std::vector<Keyword> &kws)
{
    const Keyword *by = groupBy(kws, text, 0, text.size());
    if (!by || findKeyword(kws, QStringLiteral("ORDER"), by->end, text.size())
        || findLastKeyword(kws, QStringLiteral("UNION")) || findLastKeyword(kws, QStringLiteral("INTERSECT"))
        || findLastKeyword(kws, QStringLiteral("EXCEPT")))
        return text;
    const Keyword *listEndKw = groupListEnd(kws, by->end, text.size());
    const qsizetype end = trimmedEnd(text, text.size(), by->end);
    const qsizetype listEnd = listEndKw ? trimmedEnd(text, listEndKw->start, by->end) : end;
    const QStringList groups = splitTopLevel(QStringView(text).mid(by->end, listEnd - by->end));
    if (groups.isEmpty())
        return text;
    QString order = QStringLiteral(" ORDER BY ");
    for (qsizetype i = 0; i < groups.size(); ++i)
        order += (i ? QStringLiteral(", ") : QString()) + groups[i] + QStringLiteral(" NULLS FIRST");
    const Keyword *limit = findKeyword(kws, QStringLiteral("LIMIT"), by->end, text.size());
    if (!limit)
        limit = findKeyword(kws, QStringLiteral("OFFSET"), by->end, text.size());
    const qsizetype at = limit ? trimmedEnd(text, limit->start, by->end) : end;
    return text.left(at) + order + (limit ? QStringLiteral(" ") : QString()) + text.mid(limit ? limit->start : at);
}

} // namespace

SqlDialect::Translation SqlDialect::translate(const QString &sql, Flavor flavor)
{
    Lexer lexer(sql, flavor);
    lexer.run();
    Translation result;
    result.sql = std::move(lexer.out());
    std::vector<Keyword> kws = std::move(lexer.keywords());
    if (!kws.empty() && kws.front().word == u"TRANSFORM"
        && QStringView(result.sql).left(kws.front().start).trimmed().isEmpty()) {
        if (std::optional<QString> rewritten = rewriteTransform(result.sql, kws)) {
            // The rewritten text is already translated; lexing it again only finds its keywords.
            Lexer again(*rewritten, flavor);
            again.run();
            result.sql = std::move(again.out());
            kws = std::move(again.keywords());
            result.pivot = true;
        }
    }
    result.sql = orderedByGroups(result.sql, kws);
    return result;
}

} // namespace velk
