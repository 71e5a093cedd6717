#include "SettingsTree_p.h"

#include <algorithm>

namespace velk {
namespace {

constexpr char16_t kPathSep = u'\\';
const QString kDefaultName = QStringLiteral("@");

QStringList splitPath(const QString &keyPath)
{
    return keyPath.split(kPathSep, Qt::SkipEmptyParts);
}

QString fold(const QString &name)
{
    return name.toCaseFolded();
}

QString foldedPath(const QString &keyPath)
{
    return fold(splitPath(keyPath).join(kPathSep));
}

QString foldedValueName(const QString &name)
{
    return name == kDefaultName ? QString() : fold(name);
}

bool isUnpairedSurrogate(QStringView s, qsizetype i)
{
    const QChar c = s[i];
    if (c.isHighSurrogate())
        return i + 1 >= s.size() || !s[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !s[i - 1].isHighSurrogate();
    return false;
}

void appendHex4(QString &out, char16_t c)
{
    static const char digits[] = "0123456789abcdef";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += QLatin1Char(digits[(c >> shift) & 0xF]);
}

std::optional<char16_t> readHex4(QStringView s, qsizetype pos)
{
    if (pos + 4 > s.size())
        return std::nullopt;
    bool ok = false;
    const uint code = s.sliced(pos, 4).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return char16_t(code);
}

// ---- key names: "%XXXX" escapes -------------------------------------------------------

QString encodeKeyName(const QString &name)
{
    QString out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c < 0x20 || c == u'%' || c == u'[' || c == u']' || isUnpairedSurrogate(name, i)) {
            out += u'%';
            appendHex4(out, c);
        } else {
            out += QChar(c);
        }
    }
    return out;
}

std::optional<QString> decodeKeyPath(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%') {
            out += text[i];
            continue;
        }
        const std::optional<char16_t> c = readHex4(text, i + 1);
        if (!c)
            return std::nullopt;
        out += QChar(*c);
        i += 4;
    }
    return out;
}

// ---- quoted texts: backslash escapes -------------------------------------------------

void appendQuoted(QString &out, const QString &text)
{
    out += u'"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        switch (c) {
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'"': out += QLatin1String("\\\""); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        default:
            if (c < 0x20 || isUnpairedSurrogate(text, i)) {
                out += QLatin1String("\\u");
                appendHex4(out, c);
            } else {
                out += QChar(c);
            }
        }
    }
    out += u'"';
}

// Reads a quoted text starting at `pos` (which must be the opening quote); `pos` ends
// after the closing quote.
std::optional<QString> readQuoted(QStringView line, qsizetype &pos)
{
    if (pos >= line.size() || line[pos] != u'"')
        return std::nullopt;
    QString out;
    for (qsizetype i = pos + 1; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'"') {
            pos = i + 1;
            return out;
        }
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++i >= line.size())
            return std::nullopt;
        switch (line[i].unicode()) {
        case u'\\': out += u'\\'; break;
        case u'"': out += u'"'; break;
        case u'r': out += u'\r'; break;
        case u'n': out += u'\n'; break;
        case u't': out += u'\t'; break;
        case u'u': {
            const std::optional<char16_t> code = readHex4(line, i + 1);
            if (!code)
                return std::nullopt;
            out += QChar(*code);
            i += 4;
            break;
        }
        default: return std::nullopt;
        }
    }
    return std::nullopt;
}

// ---- value data -----------------------------------------------------------------------

void appendData(QString &out, const SettingsValue &value)
{
    switch (value.type) {
    case SettingsValue::String:
        appendQuoted(out, value.text);
        break;
    case SettingsValue::Binary:
        out += QLatin1String("hex:");
        out += QString::fromLatin1(value.bytes.toHex(','));
        break;
    case SettingsValue::Number:
        out += QLatin1String("dword:");
        out += QStringLiteral("%1").arg(value.number, 8, 16, QLatin1Char('0'));
        break;
    case SettingsValue::MultiString:
        out += QLatin1String("multi:");
        for (qsizetype i = 0; i < value.strings.size(); ++i) {
            if (i > 0)
                out += u',';
            appendQuoted(out, value.strings[i]);
        }
        break;
    }
}

bool isRestBlank(QStringView line, qsizetype pos)
{
    return line.sliced(pos).trimmed().isEmpty();
}

std::optional<QByteArray> readHexBytes(QStringView data)
{
    QByteArray bytes;
    if (data.trimmed().isEmpty())
        return bytes;
    bytes.reserve(data.size() / 3 + 1);
    for (QStringView part : data.tokenize(QChar(u','))) {
        bool ok = false;
        const uint byte = part.trimmed().toUInt(&ok, 16);
        if (!ok || part.trimmed().size() > 2)
            return std::nullopt;
        bytes += char(byte);
    }
    return bytes;
}

std::optional<QStringList> readQuotedList(QStringView data)
{
    data = data.trimmed();
    QStringList strings;
    if (data.isEmpty())
        return strings;
    qsizetype pos = 0;
    for (;;) {
        std::optional<QString> s = readQuoted(data, pos);
        if (!s)
            return std::nullopt;
        strings << *s;
        if (pos >= data.size())
            return strings;
        if (data[pos] != u',')
            return std::nullopt;
        ++pos;
    }
}

std::optional<SettingsValue> readData(QStringView data)
{
    if (data.startsWith(u'"')) {
        qsizetype pos = 0;
        std::optional<QString> text = readQuoted(data, pos);
        if (!text || !isRestBlank(data, pos))
            return std::nullopt;
        return SettingsValue::fromString(*text);
    }
    if (data.startsWith(QLatin1String("hex:"))) {
        std::optional<QByteArray> bytes = readHexBytes(data.sliced(4));
        return bytes ? std::optional(SettingsValue::fromBinary(*bytes)) : std::nullopt;
    }
    if (data.startsWith(QLatin1String("dword:"))) {
        const QStringView digits = data.sliced(6).trimmed();
        bool ok = false;
        const uint number = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 8)
            return std::nullopt;
        return SettingsValue::fromNumber(number);
    }
    if (data.startsWith(QLatin1String("multi:"))) {
        std::optional<QStringList> strings = readQuotedList(data.sliced(6));
        return strings ? std::optional(SettingsValue::fromStrings(*strings)) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace

// ---- tree -----------------------------------------------------------------------------

SettingsTree::Key *SettingsTree::findKey(const QString &keyPath)
{
    const auto it = m_keys.find(foldedPath(keyPath));
    return it == m_keys.end() ? nullptr : &it->second;
}

const SettingsTree::Key *SettingsTree::findKey(const QString &keyPath) const
{
    const auto it = m_keys.find(foldedPath(keyPath));
    return it == m_keys.end() ? nullptr : &it->second;
}

SettingsTree::Key &SettingsTree::ensureKey(const QString &keyPath)
{
    // Walk down part by part so that an existing parent keeps the case it was created with.
    Key *key = &m_keys[QString()];
    QString folded;
    for (const QString &part : splitPath(keyPath)) {
        if (!folded.isEmpty())
            folded += kPathSep;
        folded += fold(part);
        const QString parentPath = key->path;
        key = &m_keys[folded];
        if (key->path.isEmpty())
            key->path = parentPath.isEmpty() ? part : parentPath + kPathSep + part;
    }
    return *key;
}

bool SettingsTree::keyExists(const QString &keyPath) const
{
    return findKey(keyPath) != nullptr;
}

void SettingsTree::createKey(const QString &keyPath)
{
    ensureKey(keyPath);
}

bool SettingsTree::removeKey(const QString &keyPath)
{
    const QString folded = foldedPath(keyPath);
    const auto it = m_keys.find(folded);
    if (folded.isEmpty() || it == m_keys.end())
        return false;
    const auto below = m_keys.lower_bound(folded + kPathSep);
    const auto end = m_keys.lower_bound(folded + u']');
    m_keys.erase(below, end);
    m_keys.erase(it);
    return true;
}

QStringList SettingsTree::subKeys(const QString &keyPath) const
{
    const QString folded = foldedPath(keyPath);
    if (!m_keys.count(folded))
        return {};
    const QString prefix = folded.isEmpty() ? QString() : folded + kPathSep;
    const auto end = folded.isEmpty() ? m_keys.end() : m_keys.lower_bound(folded + u']');
    QStringList names;
    for (auto it = m_keys.lower_bound(prefix); it != end; ++it) {
        if (it->first.isEmpty() || it->first.indexOf(kPathSep, prefix.size()) >= 0)
            continue;
        names << it->second.path.sliced(it->second.path.lastIndexOf(kPathSep) + 1);
    }
    return names;
}

const SettingsValue *SettingsTree::value(const QString &keyPath, const QString &name) const
{
    const Key *key = findKey(keyPath);
    if (!key)
        return nullptr;
    const auto it = key->values.find(foldedValueName(name));
    return it == key->values.end() ? nullptr : &it->second.value;
}

void SettingsTree::setValue(const QString &keyPath, const QString &name, const SettingsValue &value)
{
    Key &key = ensureKey(keyPath);
    NamedValue &entry = key.values[foldedValueName(name)];
    if (entry.name.isEmpty() && name != kDefaultName)
        entry.name = name;
    entry.value = value;
}

bool SettingsTree::removeValue(const QString &keyPath, const QString &name)
{
    Key *key = findKey(keyPath);
    return key && key->values.erase(foldedValueName(name)) > 0;
}

QStringList SettingsTree::valueNames(const QString &keyPath) const
{
    const Key *key = findKey(keyPath);
    if (!key)
        return {};
    QStringList names;
    for (const auto &[folded, entry] : key->values)
        names << (entry.name.isEmpty() ? kDefaultName : entry.name);
    return names;
}

// ---- text form ------------------------------------------------------------------------

QString SettingsTree::toText() const
{
    QString out = QStringLiteral("; velk settings 1\r\n");
    for (const auto &[folded, key] : m_keys) {
        if (folded.isEmpty() && key.values.empty())
            continue;
        out += QLatin1String("\r\n[");
        const QStringList parts = key.path.split(kPathSep);
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                out += kPathSep;
            out += encodeKeyName(parts[i]);
        }
        out += QLatin1String("]\r\n");
        for (const auto &[name, entry] : key.values) {
            if (entry.name.isEmpty())
                out += kDefaultName;
            else
                appendQuoted(out, entry.name);
            out += u'=';
            appendData(out, entry.value);
            out += QLatin1String("\r\n");
        }
    }
    return out;
}

SettingsTree SettingsTree::fromText(const QString &text)
{
    SettingsTree tree;
    QString keyPath;          // the current section
    bool inSection = true;    // false after an unreadable section header: skip its values
    for (QStringView line : QStringView(text).tokenize(QChar(u'\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const std::optional<QString> path =
                line.endsWith(u']') ? decodeKeyPath(line.sliced(1, line.size() - 2)) : std::nullopt;
            inSection = path.has_value();
            if (inSection) {
                keyPath = *path;
                tree.ensureKey(keyPath);
            }
            continue;
        }
        if (!inSection)
            continue;
        QString name;
        qsizetype pos = 0;
        if (line.startsWith(kDefaultName)) {
            pos = 1;
        } else {
            std::optional<QString> quoted = readQuoted(line, pos);
            if (!quoted || quoted->isEmpty())
                continue;
            name = *quoted;
        }
        if (pos >= line.size() || line[pos] != u'=')
            continue;
        if (std::optional<SettingsValue> value = readData(line.sliced(pos + 1)))
            tree.setValue(keyPath, name.isEmpty() ? kDefaultName : name, *value);
    }
    return tree;
}

} // namespace velk
