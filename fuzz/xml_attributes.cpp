// Attribute text: the reading members on any Parameter, and the writing members on any
// key and value. The text is split at NUL bytes: a Parameter, then keys and values.
// Values set under plain keys must read back (line ends as CR LF) and be removable.

#include <velk/xml/StdXMLNode.h>

#include <QStringList>

#include <cstdint>
#include <cstdlib>

using namespace velk;

namespace {

bool isPlainKey(const QString &key)
{
    if (key.isEmpty())
        return false;
    for (QChar c : key) {
        if (!c.isLetterOrNumber() && c != u'_')
            return false;
    }
    return true;
}

// What a value reads back as: CR dropped, LF widened to CR LF.
QString asReadBack(QString value)
{
    value.remove(u'\r');
    value.replace(u'\n', QStringLiteral("\r\n"));
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList parts = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)).split(QChar(0));
    // A bounded number of keys keeps the work linear: each write rebuilds the whole text.
    constexpr int kMaxPairs = 8;

    StdXMLNodePtr any = StdXMLNode::create();
    any->Parameter = parts.value(0);
    for (int i = 1; i < parts.size() && i <= 2 * kMaxPairs; i += 2) {
        const QString key = parts[i];
        (void)any->GetAttribute(key);
        (void)any->HasAttribute(key);
        any->SetAttribute(key, parts.value(i + 1));
        (void)any->GetAttribute(key);
        any->RemoveAttribute(key);
    }

    StdXMLNodePtr plain = StdXMLNode::create();
    QStringList keys;
    QStringList values;
    for (int i = 1; i < parts.size() && i <= 2 * kMaxPairs; i += 2) {
        if (!isPlainKey(parts[i]))
            continue;
        plain->SetAttribute(parts[i], parts.value(i + 1));
        const int at = int(keys.indexOf(parts[i]));
        if (at >= 0) {
            values[at] = parts.value(i + 1);
        } else {
            keys << parts[i];
            values << parts.value(i + 1);
        }
    }
    for (int k = 0; k < keys.size(); ++k) {
        if (!plain->HasAttribute(keys[k]) || plain->GetAttribute(keys[k]) != asReadBack(values[k]))
            std::abort();
    }
    if (!keys.isEmpty()) {
        plain->RemoveAttribute(keys[0]);
        if (plain->HasAttribute(keys[0]) || !plain->GetAttribute(keys[0]).isEmpty())
            std::abort();
        for (int k = 1; k < keys.size(); ++k) {
            if (plain->GetAttribute(keys[k]) != asReadBack(values[k]))
                std::abort();
        }
    }
    return 0;
}
