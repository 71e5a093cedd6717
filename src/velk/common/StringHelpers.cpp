#include "StringHelpers.h"

namespace velk {

QString TrimBlanks(const QString &s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin] == u' ')
        ++begin;
    while (end > begin && s[end - 1] == u' ')
        --end;
    return (begin == 0 && end == s.size()) ? s : s.mid(begin, end - begin);
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
    // Removing the front in place keeps a long definition consumed token by token linear
    // in practice: QString::remove moves the tail once per token, no reallocation.
    s.remove(0, at + sep.size());
    return token;
}

QString GetTokenTrim(QString &s, const QString &sep)
{
    QString token = TrimBlanks(GetToken(s, sep));
    s = TrimBlanks(s);
    return token;
}

} // namespace velk
