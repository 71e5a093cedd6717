#include "UmfangRule_p.h"

#include <algorithm>

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
bool isLeftOut(const QString &pattern)
{
    return pattern.isEmpty() || pattern == u"*" || pattern == u"*.*";
}

// Whether a one-line text box shows `value` as it is: no line breaks or other control
// characters, and no more than its maximum length.
bool fitsTextBox(const QString &value)
{
    return value.size() <= 32767
        && std::none_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 0x20; });
}

// Puts a pattern part into its field; false when the form cannot hold it.
bool takePattern(QString &field, bool &taken, const QString &pattern)
{
    if (isLeftOut(pattern))
        return true; // means "everything": nothing to keep
    if (taken || !fitsTextBox(pattern))
        return false;
    field = pattern;
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
    const int unit = (isSizeLimit(kind) ? sizeUnits() : ageUnits()).indexOf(rest.mid(blank + 1).toString());
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
    return rule.split(u'|', Qt::SkipEmptyParts);
}

QString phrase(const QString &part)
{
    const qsizetype blank = part.indexOf(u' ');
    const QStringView key = blank < 0 ? QStringView(part) : QStringView(part).left(blank);
    const QString value = blank < 0 ? QString() : part.mid(blank + 1);
    if (key == u"doc" || key == u"file")
        return QStringLiteral("Datei ") + value;
    if (key == u"par" || key == u"path")
        return QStringLiteral("Verzeichnis ") + value;
    if (key == u"subject")
        return QStringLiteral("Betreff ") + value;
    if (key == u"person")
        return QStringLiteral("Person ") + value;
    if (key == u"size")
        return QStringLiteral("Größe ") + value;
    if (key == u"age")
        return QStringLiteral("Alter ") + value;
    if (key == u"attr") {
        if (value.startsWith(u'-'))
            return QStringLiteral("ohne Attribut ") + value.mid(1);
        return QStringLiteral("Attribut ") + (value.startsWith(u'+') ? value.mid(1) : value);
    }
    return part;
}

QString description(const QString &rule)
{
    QString text;
    for (const QString &part : parts(rule)) {
        if (!text.isEmpty())
            text += QStringLiteral(", ");
        text += phrase(part);
    }
    return text;
}

UmfangFields fieldsOf(const QString &rule)
{
    UmfangFields fields;
    bool fileTaken = false;
    bool pathTaken = false;
    for (const QString &part : parts(rule)) {
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
                    held = takeLimit(fields.limits[size_t(kind)], kind,
                                     QStringView(part).mid(kLimitPrefix[kind].size()));
            }
        }
        if (!held)
            fields.extra.append(part);
    }
    return fields;
}

QString ruleOf(const UmfangFields &fields)
{
    QStringList out;
    if (!isLeftOut(fields.file))
        out.append(QStringLiteral("doc ") + fields.file);
    if (!isLeftOut(fields.path))
        out.append(QStringLiteral("par ") + fields.path);
    for (int kind = 0; kind < UmfangFields::LimitCount; ++kind) {
        const UmfangLimit &limit = fields.limits[size_t(kind)];
        if (!limit.checked || limit.number.isEmpty())
            continue;
        const QStringList &units = isSizeLimit(kind) ? sizeUnits() : ageUnits();
        const QString &unit = units[std::clamp(limit.unit, 0, int(units.size()) - 1)];
        out.append(QString(kLimitPrefix[kind]) + limit.number + u' ' + unit);
    }
    const QString letters = attributeLetters();
    for (int i = 0; i < UmfangFields::AttrCount; ++i) {
        if (fields.attrSet[size_t(i)])
            out.append(QStringLiteral("attr +") + letters[i]);
        if (fields.attrNotSet[size_t(i)])
            out.append(QStringLiteral("attr -") + letters[i]);
    }
    out += fields.extra;
    return out.join(u'|');
}

} // namespace velk::UmfangRule
