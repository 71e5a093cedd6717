// CombinePath folds ".\" and "\..\" steps in one pass; small inputs are compared with
// the folding done step by step as the rules read.

#include <velk/common/PathHelpers.h>
#include <velk/common/StringHelpers.h>

#include "TextFuzzing.h"

using namespace velk;

namespace {

QString combineStepByStep(const QString &base, const QString &rel)
{
    if (IsAbsolutePath(rel))
        return TrimBlanks(rel);
    if (base.contains(QStringLiteral("://")))
        return base + rel;
    QString path;
    if (!rel.startsWith(u'\\'))
        path = AddPathSep(TrimBlanks(base)) + TrimBlanks(rel);
    else if (base.size() >= 2 && base[1] == u':')
        path = base.left(2) + rel;
    else
        path = TrimBlanks(rel);
    while (path.startsWith(QStringLiteral(".\\")))
        path.remove(0, 2);
    if (path.endsWith(QStringLiteral("\\.")))
        path.chop(2);
    while (path.contains(QStringLiteral("\\.\\")))
        path.replace(QStringLiteral("\\.\\"), QStringLiteral("\\"));
    if (path.startsWith(QStringLiteral("..")))
        return path;
    for (qsizetype p; (p = path.indexOf(QStringLiteral("\\..\\"))) >= 0;) {
        if (p == 0)
            path.remove(0, 1);
        else
            path = ParentPath(path.left(p)) + path.mid(p + 4);
        if (path.startsWith(QStringLiteral("..")))
            break;
    }
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString rel = fuzzText(data, size);
    const QString base = GetToken(rel, QStringLiteral("\n"));
    const QString combined = CombinePath(base, rel);
    if (base.size() + rel.size() <= kReferenceLimit)
        fuzzCheck(combined == combineStepByStep(base, rel), "CombinePath differs from the stepwise rules");
    ParentPath(combined);
    FileNameOf(combined);
    StripPathSep(AddPathSep(combined));
    return 0;
}
