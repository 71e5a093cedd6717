// A date range box's text as the DB view turns it into SQL: whatever is typed, the WHERE
// clause holds only well-formed date terms on the box's field, and the tool tip only
// resolved dates.

#include <velk/common/CalendarHelpers.h>
#include <velk/views/DBViewQuery_p.h>

#include "TextFuzzing.h"

#include <QDate>
#include <QRegularExpression>

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool pinned = (setToday(QDate(2024, 2, 29)), true);
    (void)pinned;
    DBViewQuery q;
    q.Table = QStringLiteral("Belege");
    DBViewCondition box;
    box.isDate = true;
    box.field = QStringLiteral("Datum");
    box.type = QStringLiteral("Date");
    box.text = fuzzText(data, size);
    q.conditions.push_back(box);
    const QString where = q.where();
    static const QRegularExpression terms(QStringLiteral(
        "^(WHERE (Datum>=#\\d\\d/\\d\\d/\\d{4}#( AND Datum<=#\\d\\d/\\d\\d/\\d{4}#)?|Datum<=#\\d\\d/\\d\\d/\\d{4}#))?$"));
    fuzzCheck(terms.match(where).hasMatch(), "only date terms reach the WHERE clause");
    static const QRegularExpression tip(QStringLiteral("^(\\d\\d\\.\\d\\d\\.\\d{4})? - (\\d\\d\\.\\d\\d\\.\\d{4})?$"));
    fuzzCheck(tip.match(q.conditions[0].toolTip).hasMatch(), "tool tip shows resolved dates");
    return 0;
}
