// A replacement list alone: expanding texts with it never crashes or hangs, replaced
// values are never scanned again, and a text without "#" comes back unchanged.

#include "TextFuzzing.h"

#include <velk/preview/PageText.h>

#include <QList>
#include <QStringView>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 8000)
        return 0;
    const QString list = fuzzText(data, size);
    const QString plain = QStringLiteral("Kein Platzhalter hier\r\n$top 3\r\n{2}x");
    fuzzCheck(velk::ExpandPageText(plain, list) == plain, "a text without # changed");

    // Every name of the list, plain and indexed, inside and outside a loop.
    QString text = QStringLiteral("#");
    for (QStringView line : QStringView(list).split(u'\n')) {
        const QStringView name = line.left(line.indexOf(u'=')).trimmed();
        if (name.isEmpty() || name.size() > 40)
            continue;
        text += QStringLiteral("$LOOP %1\r\n{\r\n#%1 #%1(#) #%1(2)\r\n$FOR 1 2 #%1\r\n}\r\n").arg(name);
        if (text.size() > 20000)
            break;
    }
    const QString expanded = velk::ExpandPageText(text, list);
    fuzzCheck(expanded.size() < 64 * 1024 * 1024, "expansion unbounded");
    velk::ExpandPageText(list, list);
    return 0;
}
