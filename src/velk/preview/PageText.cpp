#include "PageText.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace velk {

namespace {

constexpr int maxValues = 99;
// Loops inside loops multiply the text; expansion stops growing it past this size.
constexpr qsizetype maxExpandedChars = 16 * 1024 * 1024;

struct ReplacementList
{
    struct Entry
    {
        QString name;
        QStringList values;
    };
    std::vector<Entry> entries;             // in the order of the list
    QHash<QChar, std::vector<int>> byFirst; // entry indices, longest name first

    explicit ReplacementList(const QString &repl)
    {
        for (QStringView line : QStringView(repl).split(u'\n')) {
            if (line.endsWith(u'\r'))
                line.chop(1);
            const qsizetype eq = line.indexOf(u'=');
            const QString name = (eq < 0 ? line : line.left(eq)).trimmed().toString();
            if (name.isEmpty())
                continue;
            QStringList values = eq < 0 ? QStringList() : line.mid(eq + 1).toString().split(u';');
            if (values.size() > maxValues)
                values.resize(maxValues);
            entries.push_back({name, values});
        }
        for (int i = 0; i < int(entries.size()); ++i)
            byFirst[entries[i].name.front()].push_back(i);
        for (auto &list : byFirst) {
            std::stable_sort(list.begin(), list.end(), [this](int a, int b) {
                return entries[a].name.size() > entries[b].name.size();
            });
        }
    }

    // The entry whose name starts `text` at `pos` (longest first), or nullptr.
    const Entry *nameAt(QStringView text, qsizetype pos) const
    {
        if (pos >= text.size())
            return nullptr;
        const auto it = byFirst.constFind(text[pos]);
        if (it == byFirst.cend())
            return nullptr;
        const QStringView rest = text.mid(pos);
        for (int i : *it) {
            if (rest.startsWith(entries[i].name))
                return &entries[i];
        }
        return nullptr;
    }
};

// "(i)" at `pos` with i in 1..99: i and the length of "(i)"; else 0.
int indexAt(QStringView text, qsizetype pos, qsizetype &length)
{
    if (pos >= text.size() || text[pos] != u'(')
        return 0;
    qsizetype end = pos + 1;
    int value = 0;
    while (end < text.size() && text[end].isDigit() && end - pos <= 2)
        value = value * 10 + text[end++].digitValue();
    if (end == pos + 1 || end >= text.size() || text[end] != u')' || value < 1 || value > maxValues)
        return 0;
    length = end - pos + 1;
    return value;
}

QString replacePlaceholders(const QString &text, const ReplacementList &list)
{
    QString out;
    out.reserve(text.size());
    const QStringView view(text);
    qsizetype copied = 0;
    for (qsizetype pos = view.indexOf(u'#'); pos >= 0; pos = view.indexOf(u'#', pos)) {
        const ReplacementList::Entry *entry = list.nameAt(view, pos + 1);
        if (!entry) {
            ++pos;
            continue;
        }
        out += view.mid(copied, pos - copied);
        qsizetype end = pos + 1 + entry->name.size();
        qsizetype indexLength = 0;
        const int i = indexAt(view, end, indexLength);
        if (i > 0) {
            if (i <= entry->values.size())
                out += entry->values[i - 1];
            end += indexLength;
        } else if (!entry->values.isEmpty()) {
            out += entry->values.front();
        }
        copied = pos = end;
    }
    out += view.mid(copied);
    return out;
}

bool isLoopLine(QStringView line, const QString &name)
{
    const QStringView t = line.trimmed();
    return t.size() > 6 && t.left(6).compare(u"$loop ", Qt::CaseInsensitive) == 0 && t.mid(6).trimmed() == name;
}

int valueCount(const QStringList &values)
{
    int n = int(values.size());
    while (n > 0 && values[n - 1].isEmpty())
        --n;
    return n;
}

// A "$FOR a b text" line: whether copy k takes it, and the text.
bool forLineSelects(QStringView line, int k, QString &text)
{
    QString rest = line.mid(5).toString().trimmed();
    const QStringList parts = rest.split(u' ', Qt::SkipEmptyParts);
    const int start = parts.size() > 0 ? parts[0].toInt() : 0;
    const int step = std::max(1, parts.size() > 1 ? parts[1].toInt() : 1);
    for (int skip = 0; skip < 2 && !rest.isEmpty(); ++skip) {
        const qsizetype blank = rest.indexOf(u' ');
        rest = blank < 0 ? QString() : rest.mid(blank + 1).trimmed();
    }
    text = rest;
    return k >= start && (k - start) % step == 0;
}

// One copy of a loop block for value k of `entry`.
void emitCopy(const std::vector<QStringView> &block, int k, const ReplacementList::Entry &entry,
              const ReplacementList &list, QStringList &out)
{
    const QString index = QLatin1Char('(') + QString::number(k) + QLatin1Char(')');
    for (QStringView line : block) {
        QString text;
        if (line.left(5).compare(u"$for ", Qt::CaseInsensitive) == 0) {
            if (!forLineSelects(line, k, text))
                continue;
        } else {
            text = line.toString();
        }
        text.replace(QStringLiteral("(#)"), index);
        // A plain #NAME of the loop's own list takes the copy's value.
        QString indexed;
        indexed.reserve(text.size());
        qsizetype copied = 0;
        for (qsizetype pos = text.indexOf(u'#'); pos >= 0; pos = text.indexOf(u'#', pos + 1)) {
            const ReplacementList::Entry *at = list.nameAt(text, pos + 1);
            const qsizetype end = pos + 1 + (at ? at->name.size() : 0);
            if (at != &entry || (end < text.size() && text[end] == u'('))
                continue;
            indexed += QStringView(text).mid(copied, end - copied);
            indexed += index;
            copied = end;
        }
        indexed += QStringView(text).mid(copied);
        out << indexed;
    }
}

// Expands every "$LOOP NAME" block of `entry` in `lines`.
QStringList expandLoops(const QStringList &lines, const ReplacementList::Entry &entry,
                        const ReplacementList &list, qsizetype &size)
{
    QStringList out;
    const int copies = valueCount(entry.values);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        out << lines[i];
        if (!isLoopLine(lines[i], entry.name))
            continue;
        qsizetype open = i + 1;
        while (open < lines.size() && lines[open].trimmed() != QLatin1String("{"))
            ++open;
        if (open >= lines.size())
            continue;
        std::vector<QStringView> block;
        qsizetype blockChars = 0;
        qsizetype close = open + 1;
        for (int depth = 1; close < lines.size(); ++close) {
            const QString t = lines[close].trimmed();
            depth += t == QLatin1String("{") ? 1 : t == QLatin1String("}") ? -1 : 0;
            if (depth == 0)
                break;
            block.push_back(lines[close]);
            blockChars += lines[close].size() + 2;
        }
        for (qsizetype j = i + 1; j < open; ++j)
            out << lines[j];
        for (int k = 1; k <= copies && size + blockChars < maxExpandedChars; ++k) {
            emitCopy(block, k, entry, list, out);
            size += blockChars;
        }
        i = close; // the closing "}" (or the end) is consumed
    }
    return out;
}

} // namespace

QString ExpandPageText(const QString &txt, const QString &repl)
{
    const ReplacementList list(repl);
    if (list.entries.empty())
        return txt;
    const bool crlf = txt.contains(QLatin1String("\r\n"));
    QString text = txt;
    if (text.contains(QLatin1String("$loop "), Qt::CaseInsensitive)) {
        QStringList lines = QString(txt).remove(u'\r').split(u'\n');
        qsizetype size = txt.size();
        // Copies of a block only repeat loop lines that were there before.
        QSet<QString> loopNames;
        for (const QString &line : lines) {
            const QString t = line.trimmed();
            if (t.left(6).compare(QLatin1String("$loop "), Qt::CaseInsensitive) == 0)
                loopNames.insert(t.mid(6).trimmed());
        }
        for (const auto &entry : list.entries) {
            if (loopNames.contains(entry.name))
                lines = expandLoops(lines, entry, list, size);
        }
        text = lines.join(crlf ? QStringLiteral("\r\n") : QStringLiteral("\n"));
    }
    return replacePlaceholders(text, list);
}

} // namespace velk
