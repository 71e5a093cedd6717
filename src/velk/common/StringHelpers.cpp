#include "StringHelpers.h"

#include "LeadingNumber_p.h"

#include <QHash>

#include <array>
#include <bitset>

namespace velk {
namespace {

constexpr QChar kBackslash = u'\\';

bool isBelow33(QChar c) { return c.unicode() < 33; }

// Trims blanks off a string that is being consumed: erasing at either end of an unshared
// QString moves no characters, where assigning a trimmed copy would copy the whole rest.
void trimBlanksInPlace(QString &s)
{
    qsizetype lead = 0;
    while (lead < s.size() && s[lead] == u' ')
        ++lead;
    s.remove(0, lead);
    qsizetype end = s.size();
    while (end > 0 && s[end - 1] == u' ')
        --end;
    s.truncate(end);
}

// Lower-casing one code unit at a time keeps positions aligned with the unchanged text,
// which full Unicode lower-casing (where one character may become two) would not.
QString lowerPerUnit(const QString &s)
{
    QString out(s.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < s.size(); ++i)
        out[i] = s[i].toLower();
    return out;
}

// Start and length of field `n` (from 1) of `s` split at `sep`; length -1 when there is none.
std::pair<qsizetype, qsizetype> fieldSpan(const QString &s, const QString &sep, int n)
{
    if (n < 1 || s.isEmpty())
        return {0, -1};
    qsizetype begin = 0;
    for (int field = 1; field < n; ++field) {
        const qsizetype at = sep.isEmpty() ? -1 : s.indexOf(sep, begin);
        if (at < 0)
            return {0, -1};
        begin = at + sep.size();
    }
    const qsizetype end = sep.isEmpty() ? -1 : s.indexOf(sep, begin);
    return {begin, (end < 0 ? s.size() : end) - begin};
}

// Finds unescaped `sep` from index `from` on. `run` carries the count of backslashes that
// end just before index `scanned`, so that the backslashes before a hit are counted once
// in total instead of once per hit.
class UnescapedFinder
{
public:
    UnescapedFinder(QStringView s, QStringView sep) : m_s(s), m_sep(sep) {}

    qsizetype next(qsizetype from)
    {
        if (m_sep.isEmpty())
            return -1;
        for (qsizetype at = m_s.indexOf(m_sep, from); at >= 0; at = m_s.indexOf(m_sep, at + 1)) {
            advanceTo(at);
            if (m_run % 2 == 0)
                return at;
        }
        return -1;
    }

private:
    void advanceTo(qsizetype at)
    {
        for (; m_scanned < at; ++m_scanned)
            m_run = m_s[m_scanned] == kBackslash ? m_run + 1 : 0;
    }

    QStringView m_s;
    QStringView m_sep;
    qsizetype m_scanned = 0;
    qsizetype m_run = 0;
};

// Each escaping step replaces single characters by fixed texts, so the whole sequence
// maps every input character to one fixed text. Working that text out once per distinct
// character gives the same result as the step-by-step replacement in a single pass.
QString escapeOneCharacter(QChar c, const QString &special)
{
    QString text;
    if (c == kBackslash)
        text = QStringLiteral("\\\\");
    else if (c == u'|')
        text = QStringLiteral("\\|");
    else if (c == u'\r')
        return text;
    else if (c == u'\n')
        text = QStringLiteral("\\n");
    else
        text = c;
    for (QChar sc : special) {
        if (!text.contains(sc))
            continue;
        const QString escaped = sc.unicode() >= 32
            ? QString(kBackslash) + sc
            : QString(kBackslash) + QStringLiteral("%1").arg(int(sc.unicode()), 3, 10, QChar(u'0'));
        QString next;
        for (QChar t : std::as_const(text)) {
            if (t == sc)
                next += escaped;
            else
                next += t;
        }
        text = next;
    }
    return text;
}

} // namespace

QStringView TrimBlanks(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin] == u' ')
        ++begin;
    while (end > begin && s[end - 1] == u' ')
        --end;
    return s.sliced(begin, end - begin);
}

QString TrimBlanks(const QString &s)
{
    const QStringView trimmed = TrimBlanks(QStringView(s));
    return trimmed.size() == s.size() ? s : trimmed.toString();
}

QString GetToken(QString &s, const QString &sep)
{
    const qsizetype at = sep.isEmpty() ? -1 : s.indexOf(sep);
    if (at < 0) {
        QString all;
        all.swap(s);
        return all;
    }
    QString token = s.left(at);
    // Qt 6 erases from the front of an unshared string by moving its start, without
    // copying the tail, so consuming a long definition token by token stays linear.
    s.remove(0, at + sep.size());
    return token;
}

QString GetTokenTrim(QString &s, const QString &sep)
{
    QString token = GetToken(s, sep);
    trimBlanksInPlace(token);
    trimBlanksInPlace(s);
    return token;
}

QString LeftOfSep(const QString &s, const QString &sep)
{
    const qsizetype at = sep.isEmpty() ? -1 : s.indexOf(sep);
    return at < 0 ? s : s.left(at);
}

QString GetField(const QString &s, const QString &sep, int n)
{
    const auto [begin, length] = fieldSpan(s, sep, n);
    return length < 0 ? QString() : s.mid(begin, length);
}

QString GetNthToken(const QString &s, const QString &sep, int n)
{
    // Taking n tokens from a copy ends on the same span as counting fields.
    return GetField(s, sep, n);
}

QString GetLine(QString &s)
{
    QString line = GetToken(s, QStringLiteral("\n"));
    if (line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

QString GetWord(QString &s)
{
    QString word;
    if (s.startsWith(u'"')) {
        const QString quote = QStringLiteral("\"");
        s.remove(0, 1);
        word = GetToken(s, quote);
        while (s.startsWith(u'"')) { // a doubled quote inside the word
            s.remove(0, 1);
            word += u'"';
            word += GetToken(s, quote);
        }
    } else if (s.startsWith(u'\'')) {
        s.remove(0, 1);
        word = GetToken(s, QStringLiteral("'"));
    } else {
        word = GetToken(s, QStringLiteral(" "));
        trimBlanksInPlace(s);
    }
    qsizetype lead = 0;
    while (lead < s.size() && isBelow33(s[lead]))
        ++lead;
    s.remove(0, lead);
    return word;
}

int FindUnescaped(const QString &s, const QString &sep)
{
    UnescapedFinder finder(s, sep);
    return int(finder.next(0) + 1);
}

QString GetTokenEscaped(QString &s, const QString &sep)
{
    const int at = FindUnescaped(s, sep);
    if (at == 0) {
        QString all;
        all.swap(s);
        return all;
    }
    QString token = s.left(at - 1);
    s.remove(0, at - 1 + sep.size());
    return token;
}

QString GetListValue(const QString &list, const QString &key)
{
    const QStringView view(list);
    UnescapedFinder finder(view, u"|");
    qsizetype begin = 0;
    while (begin < view.size()) {
        const qsizetype bar = finder.next(begin);
        const qsizetype end = bar < 0 ? view.size() : bar;
        const QStringView entry = view.sliced(begin, end - begin);
        const qsizetype eq = entry.indexOf(u'=');
        const QStringView entryKey = eq < 0 ? entry : entry.first(eq);
        if (entryKey == key)
            return eq < 0 ? QString() : UnescapeText(entry.sliced(eq + 1).toString());
        begin = bar < 0 ? view.size() : bar + 1;
    }
    return QString();
}

QString EscapeText(const QString &s, const QString &special)
{
    QString out;
    out.reserve(s.size() + s.size() / 8);
    if (special.isEmpty()) {
        for (QChar c : s) {
            if (c == kBackslash || c == u'|') {
                out += kBackslash;
                out += c;
            } else if (c == u'\n') {
                out += QStringLiteral("\\n");
            } else if (c != u'\r') {
                out += c;
            }
        }
        return out;
    }
    // Latin-1 expansions in a plain table, the rare others in a hash.
    std::array<QString, 256> latin1;
    std::bitset<256> known;
    QHash<char16_t, QString> others;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u < 256) {
            if (!known[u]) {
                latin1[u] = escapeOneCharacter(c, special);
                known[u] = true;
            }
            out += latin1[u];
            continue;
        }
        if (!special.contains(c)) {
            out += c;
            continue;
        }
        auto it = others.constFind(u);
        if (it == others.constEnd())
            it = others.insert(u, escapeOneCharacter(c, special));
        out += *it;
    }
    return out;
}

QString UnescapeText(const QString &s)
{
    const qsizetype n = s.size();
    qsizetype at = s.indexOf(kBackslash);
    if (at < 0)
        return s;
    QString out;
    out.reserve(n);
    qsizetype copied = 0;
    // A trailing backslash has nothing to escape and stays as it is.
    while (at >= 0 && at + 1 < n) {
        out += QStringView(s).sliced(copied, at - copied);
        const QChar c = s[at + 1];
        if (c == u'n') {
            out += QStringLiteral("\r\n");
            copied = at + 2;
        } else if (c >= u'0' && c <= u'9') {
            const QStringView code = QStringView(s).sliced(at + 1, qMin<qsizetype>(3, n - at - 1));
            out += QChar(char16_t(LeadingInteger(code)));
            copied = at + 1 + code.size();
        } else {
            out += c;
            copied = at + 2;
        }
        at = s.indexOf(kBackslash, copied);
    }
    out += QStringView(s).sliced(copied);
    return out;
}

int FindWholeWord(int start, const QString &s, const QString &word)
{
    if (word.isEmpty())
        return 0;
    for (qsizetype at = s.indexOf(word, qMax(1, start) - 1); at >= 0; at = s.indexOf(word, at + 1)) {
        const qsizetype after = at + word.size();
        if ((at == 0 || !IsWordChar(s[at - 1])) && (after >= s.size() || !IsWordChar(s[after])))
            return int(at + 1);
    }
    return 0;
}

void ReplaceText(QString &s, const QString &find, const QString &repl, bool ignoreCase,
                 bool wholeWord)
{
    if (find.isEmpty())
        return;
    const QString searched = ignoreCase ? lowerPerUnit(s) : s;
    const QString needle = ignoreCase ? lowerPerUnit(find) : find;
    QString out;
    qsizetype copied = 0; // s[0, copied) is already in `out`, replaced where needed
    for (qsizetype at = searched.indexOf(needle); at >= 0;) {
        if (wholeWord) {
            // The character before a hit is the one of the text as changed so far: right
            // after a replacement that is the end of the inserted text.
            QChar before;
            bool hasBefore = true;
            if (at > copied)
                before = searched[at - 1];
            else if (!out.isEmpty())
                before = ignoreCase ? out.back().toLower() : out.back();
            else
                hasBefore = false;
            const qsizetype after = at + needle.size();
            if ((hasBefore && IsWordChar(before)) || (after < searched.size() && IsWordChar(searched[after]))) {
                at = searched.indexOf(needle, at + 1);
                continue;
            }
        }
        out += QStringView(s).sliced(copied, at - copied);
        out += repl;
        copied = at + needle.size();
        at = searched.indexOf(needle, copied);
    }
    if (copied == 0)
        return;
    out += QStringView(s).sliced(copied);
    s = out;
}

bool IsWordChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u'_';
}

QString TrimWhite(const QString &s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBelow33(s[begin]))
        ++begin;
    while (end > begin && isBelow33(s[end - 1]))
        --end;
    return s.mid(begin, end - begin);
}

void CutRight(QString &s, int n)
{
    if (s.size() <= n)
        s.clear();
    else if (n > 0)
        s.chop(n);
}

QString PadLeft(const QString &s, int n)
{
    if (n <= 0)
        return QString();
    if (s.size() < n)
        return QString(n - s.size(), u' ') + s;
    return s.left(n);
}

QString TrimText(const QVariant &value)
{
    return TrimBlanks(value.toString());
}

double ParseNumber(const QString &s)
{
    QString text = s;
    if (text.contains(u'.') && text.contains(u','))
        text.remove(u'.');
    text.replace(u',', u'.');
    text.remove(u'%');
    return LeadingNumber(text);
}

void AddSorted(Collection<QString> &collection, const QString &text, const QString &key)
{
    const QString lowered = text.toLower();
    int before = 0;
    for (int i = 1; i <= collection.Count(); ++i) {
        if (collection.Item(i)->toLower() > lowered) {
            before = i;
            break;
        }
    }
    collection.Add(text, key, before);
}

} // namespace velk
