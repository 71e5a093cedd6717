// The replacement lookup of group labels: the input up to the first NUL (or its first
// line) is the label, the rest the replacement list. The result is the label itself or
// one whole line of the list that starts with the label and "=".

#include <velk/views/DBViewQuery_p.h>

#include "TextFuzzing.h"

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    qsizetype cut = text.indexOf(QChar(0));
    if (cut < 0)
        cut = text.indexOf(u'\n');
    const QString label = cut < 0 ? text : text.left(cut);
    const QString list = cut < 0 ? QString() : text.mid(cut + 1);
    DBViewQuery q;
    q.replacements.insert(QStringLiteral("Thema"), list);
    const QString result = q.replaced(QStringLiteral("Thema"), label);
    if (result != label) {
        fuzzCheck(result.startsWith(label + u'='), "a replacement starts with its value and '='");
        const QString text = result.mid(label.size() + 1);
        fuzzCheck(!text.contains(u'\n'), "the text after '=' is one line");
        fuzzCheck((QStringLiteral("\r\n") + list).contains(QStringLiteral("\r\n") + result), "a replacement is a line of the list");
    }
    fuzzCheck(q.replaced(QStringLiteral("Andere"), label) == label, "no list, no replacement");
    return 0;
}
