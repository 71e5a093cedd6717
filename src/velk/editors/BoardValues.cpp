#include <velk/editors/BoardValues_p.h>

#include <velk/editors/BoardData.h>
#include <velk/editors/BoardLink.h>

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

namespace {
// Writes the digits without a temporary text (a board writes two numbers per box).
void appendNumber(QString &out, int value)
{
    char16_t digits[12];
    int at = 12;
    qint64 v = value;
    const bool negative = v < 0;
    if (negative)
        v = -v;
    do {
        digits[--at] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (negative)
        digits[--at] = u'-';
    out += QStringView(digits + at, 12 - at);
}

void appendLine(QString &out, QLatin1StringView key, const QString &value)
{
    out += key;
    out += value;
    out += crlf;
}
} // namespace

void appendConfig(QString &out, const BoardData &b)
{
    appendLine(out, QLatin1StringView("ID="), b.id);
    appendLine(out, QLatin1StringView("Caption="), b.caption);
    appendLine(out, QLatin1StringView("Description="), b.Description);
    out += QLatin1StringView("Pos=");
    appendNumber(out, b.x);
    out += u'/';
    appendNumber(out, b.y);
    out += crlf;
    appendLines(out, b.data);
}

void appendConfig(QString &out, const BoardLink &l)
{
    static const QString none;
    appendLine(out, QLatin1StringView("ID="), l.id);
    appendLine(out, QLatin1StringView("Location1="), l.Location1 ? l.Location1->id : none);
    appendLine(out, QLatin1StringView("Location2="), l.Location2 ? l.Location2->id : none);
    appendLines(out, l.data);
}

} // namespace velk::BoardValues
