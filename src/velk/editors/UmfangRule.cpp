#include "UmfangRule_p.h"

#include <algorithm>
#include <QStringView>

namespace velk::UmfangRule {
namespace {

// The prefixes of the limit parts, in the order of UmfangFields::Limit.
const QLatin1StringView kLimitPrefix[UmfangFields::LimitCount] = {
    QLatin1StringView("size > "), QLatin1StringView("size < "),
    QLatin1StringView("age > "), QLatin1StringView("age < "),
};

bool isSizeLimit(int limit) { return limit == UmfangFields::SizeBigger || limit == UmfangFields::SizeSmaller; }

bool isDigits(QStringView s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Patterns that match everything are not written.
bool isLeftOut(QStringView pattern)
{
    return pattern.isEmpty() || pattern == u"*" || pattern == u"*.*";
}

// Whether a one-line text box shows `value` as it is: no line breaks or other control
// characters, and no more than its maximum length.
bool fitsTextBox(QStringView value)
{
    return value.size() <= 32767
        && std::none_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 0x20; });
}

// Puts a pattern part into its field; false when the form cannot hold it.
bool takePattern(QString &field, bool &taken, QStringView pattern)
{
    if (isLeftOut(pattern))
        return true; // means "everything": nothing to keep
    if (taken || !fitsTextBox(pattern))
        return false;
    field = pattern.toString();
    taken = true;
    return true;
}

bool takeLimit(UmfangLimit &limit, int kind, QStringView rest)
{
    if (limit.checked)
        return false;
    const qsizetype blank = rest.indexOf(u' ');
    if (blank < 0)
        return false;
    const QStringView number = rest.left(blank);
    const QStringList &units = isSizeLimit(kind) ? sizeUnits() : ageUnits();
    const QStringView unitText = rest.mid(blank + 1);
    const auto found = std::find_if(units.begin(), units.end(), [unitText](const QString &u) { return u == unitText; });
    const int unit = found == units.end() ? -1 : int(found - units.begin());
    if (!isDigits(number) || unit < 0 || number.size() > 32767)
        return false;
    limit = {true, number.toString(), unit};
    return true;
}

bool takeAttribute(UmfangFields &fields, QStringView part)
{
    if (part.size() != 7 || !part.startsWith(u"attr ") || (part[5] != u'+' && part[5] != u'-'))
        return false;
    const qsizetype letter = attributeLetters().indexOf(part[6]);
    if (letter < 0)
        return false;
    bool &box = part[5] == u'+' ? fields.attrSet[size_t(letter)] : fields.attrNotSet[size_t(letter)];
    if (box)
        return false;
    box = true;
    return true;
}

// Calls `f` with each non-empty part of `rule`, in order, without copying it.
template<typename F>
void forEachPart(QStringView rule, F f)
{
    qsizetype start = 0;
    while (start < rule.size()) {
        qsizetype bar = rule.indexOf(u'|', start);
        if (bar < 0)
            bar = rule.size();
        if (bar > start)
            f(rule.sliced(start, bar - start));
        start = bar + 1;
    }
}

void appendPhrase(QString &out, QStringView part)
{
    const qsizetype blank = part.indexOf(u' ');
    const QStringView key = blank < 0 ? part : part.left(blank);
    const QStringView value = blank < 0 ? QStringView() : part.mid(blank + 1);
    auto phrase = [&out, value](const char16_t *words) {
        out += QStringView(words);
        out += value;
    };
    if (key == u"doc" || key == u"file")
        phrase(u"Datei ");
    else if (key == u"par" || key == u"path")
        phrase(u"Verzeichnis ");
    else if (key == u"subject")
        phrase(u"Betreff ");
    else if (key == u"person")
        phrase(u"Person ");
    else if (key == u"size")
        phrase(u"Größe ");
    else if (key == u"age")
        phrase(u"Alter ");
    else if (key == u"attr") {
        if (value.startsWith(u'-'))
            out += u"ohne ";
        out += u"Attribut ";
        out += value.startsWith(u'-') || value.startsWith(u'+') ? value.mid(1) : value;
    } else {
        out += part;
    }
}

} // namespace

QString attributeLetters() { return QStringLiteral("ARHSPG"); }

QStringList sizeUnits()
{
    static const QStringList units{QStringLiteral("Bytes"), QStringLiteral("KB"), QStringLiteral("MB"),
                                   QStringLiteral("GB")};
    return units;
}

QStringList ageUnits()
{
    static const QStringList units{QStringLiteral("Tage"), QStringLiteral("Wochen"), QStringLiteral("Monate"),
                                   QStringLiteral("Jahre")};
    return units;
}

QStringList parts(const QString &rule)
{
    QStringList list;
    forEachPart(rule, [&list](QStringView part) { list.append(part.toString()); });
    return list;
}

QString phrase(const QString &part)
{
    QString out;
    appendPhrase(out, part);
    return out;
}

QString description(const QString &rule)
{
    QString text;
    text.reserve(rule.size() + rule.size() / 2);
    forEachPart(rule, [&text](QStringView part) {
        if (!text.isEmpty())
            text += u", ";
        appendPhrase(text, part);
    });
    return text;
}

UmfangFields fieldsOf(const QString &rule)
{
    UmfangFields fields;
    bool fileTaken = false;
    bool pathTaken = false;
    forEachPart(rule, [&](QStringView part) {
        bool held = false;
        if (part.startsWith(u"doc "))
            held = takePattern(fields.file, fileTaken, part.mid(4));
        else if (part.startsWith(u"par "))
            held = takePattern(fields.path, pathTaken, part.mid(4));
        else if (part.startsWith(u"attr "))
            held = takeAttribute(fields, part);
        else {
            for (int kind = 0; kind < UmfangFields::LimitCount && !held; ++kind) {
                if (part.startsWith(kLimitPrefix[kind]))
                    held = takeLimit(fields.limits[size_t(kind)], kind, part.mid(kLimitPrefix[kind].size()));
            }
        }
        if (!held)
            fields.extra.append(part.toString());
    });
    return fields;
}

QString ruleOf(const UmfangFields &fields)
{
    QString out;
    auto part = [&out](auto... pieces) {
        if (!out.isEmpty())
            out += u'|';
        (out.append(pieces), ...);
    };
    if (!isLeftOut(fields.file))
        part(u"doc ", fields.file);
    if (!isLeftOut(fields.path))
        part(u"par ", fields.path);
    for (int kind = 0; kind < UmfangFields::LimitCount; ++kind) {
        const UmfangLimit &limit = fields.limits[size_t(kind)];
        if (!limit.checked || limit.number.isEmpty())
            continue;
        const QStringList &units = isSizeLimit(kind) ? sizeUnits() : ageUnits();
        part(kLimitPrefix[kind], limit.number, u" ", units[std::clamp(limit.unit, 0, int(units.size()) - 1)]);
    }
    const QString letters = attributeLetters();
    for (int i = 0; i < UmfangFields::AttrCount; ++i) {
        if (fields.attrSet[size_t(i)])
            part(u"attr +", letters[i]);
        if (fields.attrNotSet[size_t(i)])
            part(u"attr -", letters[i]);
    }
    for (const QString &extra : fields.extra)
        part(extra);
    return out;
}

} // namespace velk::UmfangRule
