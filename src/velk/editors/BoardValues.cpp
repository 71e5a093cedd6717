#include <velk/editors/BoardValues_p.h>

#include <QUuid>

namespace velk::BoardValues {

namespace {
const QString crlf = QStringLiteral("\r\n");

QStringView keyOf(const QString &text)
{
    const qsizetype eq = text.indexOf(u'=');
    return eq < 0 ? QStringView(text) : QStringView(text).left(eq);
}
} // namespace

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
}

QString joined(const Collection<QString> &data)
{
    QString out;
    bool first = true;
    for (const QString &text : data) {
        if (!first)
            out += crlf;
        out += text;
        first = false;
    }
    return out;
}

int find(const Collection<QString> &data, const QString &key)
{
    int pos = 1;
    for (const QString &text : data) {
        if (keyOf(text).compare(key, Qt::CaseInsensitive) == 0)
            return pos;
        ++pos;
    }
    return 0;
}

QString value(const Collection<QString> &data, const QString &key)
{
    const int pos = find(data, key);
    if (pos == 0)
        return QString();
    const QString &text = *data.Item(pos);
    const qsizetype eq = text.indexOf(u'=');
    return eq < 0 ? QString() : text.mid(eq + 1);
}

void set(Collection<QString> &data, const QString &key, const QString &par)
{
    const int pos = find(data, key);
    if (pos == 0) {
        data.Add(key + u'=' + par);
        return;
    }
    // The stored key keeps its spelling; only the value changes.
    QString &text = *data.Item(pos);
    text = keyOf(text).toString() + u'=' + par;
}

void appendLines(QString &out, const Collection<QString> &data)
{
    for (const QString &text : data) {
        out += text;
        out += crlf;
    }
}

} // namespace velk::BoardValues
