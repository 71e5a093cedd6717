// The picture area list: any text reads without a crash, survives unchanged when nothing
// is rewritten, and rewriting one area (with any link text) changes only its own line.

#include "TextFuzzing.h"

#include <velk/frame/PicAreas_p.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    velk::PicAreas areas;
    areas.setText(text);
    fuzzCheck(areas.text() == text, "an untouched list is kept byte for byte");
    const int count = areas.count();
    if (count == 0)
        return 0;
    const int n = 1 + int(size % size_t(count));
    const QStringList before = areas.text().split(QStringLiteral("\r\n"));
    // The whole input as the link: brackets and line breaks must not leak out of the line.
    areas.replace(n, QRect(QPoint(1, 2), QPoint(30, 40)), text);
    fuzzCheck(areas.count() == count, "a rewrite keeps the number of lines");
    const velk::PicArea &a = areas.area(n);
    fuzzCheck(a.valid && a.rect() == QRect(QPoint(1, 2), QPoint(30, 40)), "the rewritten line reads back");
    fuzzCheck(a.link == velk::PicAreas::storableLink(text), "the link reads back");
    const QStringList after = areas.text().split(QStringLiteral("\r\n"));
    fuzzCheck(after.size() == before.size(), "no line added");
    for (int i = 0; i < after.size(); ++i)
        fuzzCheck(i == n - 1 || after[i] == before[i], "other lines unchanged");
    areas.hitTest(QPointF(10, 10), 3);
    areas.remove(n);
    fuzzCheck(areas.count() == count - 1, "remove takes one line");
    return 0;
}
