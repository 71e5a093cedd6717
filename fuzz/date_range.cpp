// The range texts: any text gives a start and an end of the form "dd.mm.yyyy" (parts
// possibly signed), and the database literal carries the same numbers as the text.

#include <velk/common/CalendarHelpers.h>
#include <velk/date/DateRange.h>

#include "TextFuzzing.h"

#include <QDate>

using namespace velk;

namespace {

bool looksLikeBound(const QString &bound)
{
    return bound.count(u'.') == 2 && !bound.isEmpty() && bound.size() < 40;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool pinned = (setToday(QDate(2024, 2, 29)), true);
    (void)pinned;
    const QString text = fuzzText(data, size);
    fuzzCheck(looksLikeBound(DateRangeStart(text)), "DateRangeStart form");
    fuzzCheck(looksLikeBound(DateRangeEnd(text)), "DateRangeEnd form");
    for (bool isStart : {true, false}) {
        const QStringList shown = DateBound(text, isStart, true).split(u'.');
        const QString literal = DateBound(text, isStart, false);
        fuzzCheck(shown.size() == 3, "DateBound text parts");
        fuzzCheck(literal == u'#' + shown[1] + u'/' + shown[0] + u'/' + shown[2] + u'#', "literal differs from text");
    }
    return 0;
}
