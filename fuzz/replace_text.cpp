// ReplaceText builds its result in one pass; small inputs are compared with the
// replacement done step by step on the changing text, as the rules read.

#include <velk/common/StringHelpers.h>

#include "TextFuzzing.h"

using namespace velk;

namespace {

QString lowered(const QString &s)
{
    QString out = s;
    for (QChar &c : out)
        c = c.toLower();
    return out;
}

QString replaceStepByStep(QString s, const QString &find, const QString &repl, bool ignoreCase,
                          bool wholeWord)
{
    if (find.isEmpty())
        return s;
    const QString needle = ignoreCase ? lowered(find) : find;
    qsizetype from = 0;
    for (;;) {
        const QString searched = ignoreCase ? lowered(s) : s;
        const qsizetype at = wholeWord ? FindWholeWord(int(from + 1), searched, needle) - 1
                                       : searched.indexOf(needle, from);
        if (at < 0)
            return s;
        s = s.left(at) + repl + s.mid(at + find.size());
        from = at + repl.size();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const bool ignoreCase = data[0] & 1;
    const bool wholeWord = data[0] & 2;
    QString s = fuzzText(data + 1, size - 1);
    const QString find = GetToken(s, QStringLiteral("\n"));
    const QString repl = GetToken(s, QStringLiteral("\n"));
    const QString unchanged = s;
    ReplaceText(s, find, repl, ignoreCase, wholeWord);
    if (unchanged.size() <= kReferenceLimit && repl.size() <= 64)
        fuzzCheck(s == replaceStepByStep(unchanged, find, repl, ignoreCase, wholeWord),
                  "ReplaceText differs from the stepwise rules");
    return 0;
}
