// Word, line and token loops over arbitrary text must always make progress.

#include <velk/common/StringHelpers.h>

#include "TextFuzzing.h"

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    QString s = text;
    while (!s.isEmpty()) {
        const qsizetype before = s.size();
        const QString word = GetWord(s);
        fuzzCheck(s.size() < before, "GetWord consumed nothing");
        fuzzCheck(word.size() <= before, "GetWord word longer than its text");
    }
    s = text;
    qsizetype lines = 0;
    while (!s.isEmpty()) {
        GetLine(s);
        ++lines;
    }
    fuzzCheck(lines <= text.count(u'\n') + 1, "GetLine made up lines");
    s = text;
    while (!s.isEmpty()) {
        const qsizetype before = s.size();
        GetTokenEscaped(s, QStringLiteral("|"));
        fuzzCheck(s.size() < before, "GetTokenEscaped consumed nothing");
    }
    return 0;
}
