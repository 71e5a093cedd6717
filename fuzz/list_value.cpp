// Key/value lists: look-ups on arbitrary lists, and escaped values that must come back
// unchanged (up to the documented line-end rule) from a list built around them.

#include <velk/common/StringHelpers.h>

#include "TextFuzzing.h"

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    QString rest = text;
    const QString key = GetToken(rest, QStringLiteral("\n"));
    GetListValue(rest, key);

    const int bar = FindUnescaped(text, QStringLiteral("|"));
    if (bar > 0) {
        int backslashes = 0;
        while (bar - 2 - backslashes >= 0 && text[bar - 2 - backslashes] == u'\\')
            ++backslashes;
        fuzzCheck(text[bar - 1] == u'|' && backslashes % 2 == 0, "FindUnescaped hit escaped");
    }

    // CR is dropped and LF comes back as CR LF; everything else survives.
    QString expected = rest;
    expected.remove(u'\r');
    expected.replace(u'\n', QStringLiteral("\r\n"));
    for (const QString &special : {QString(), QStringLiteral("=;\"\t#")}) {
        const QString escaped = EscapeText(rest, special);
        fuzzCheck(UnescapeText(escaped) == expected, "escape round trip");
        QString safeKey = QStringLiteral("k") + key;
        safeKey.remove(u'|');
        safeKey.remove(u'=');
        const QString list = QStringLiteral("a=1|") + safeKey + u'=' + escaped + QStringLiteral("|z=2");
        fuzzCheck(GetListValue(list, safeKey) == expected, "list value round trip");
        fuzzCheck(GetListValue(list, QStringLiteral("z")) == QStringLiteral("2") || safeKey == u'z',
                  "entry after an escaped value");
    }
    return 0;
}
