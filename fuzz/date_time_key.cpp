// Date/time keys from arbitrary text, and date normalisation from arbitrary numbers.

#include <velk/common/CalendarHelpers.h>

#include "TextFuzzing.h"

#include <QDate>

#include <cstring>

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString text = fuzzText(data, size);
    const QString unchanged = text;
    const QString key = DateTimeKey(text);
    const bool dateForm = !(unchanged.size() >= 9 && unchanged[8] == u'-')
        && (unchanged.contains(u'.') || unchanged.contains(u':'));
    if (dateForm) {
        fuzzCheck(key.size() >= 14, "date key too short");
        for (QChar c : key)
            fuzzCheck((c >= u'0' && c <= u'9') || c == u'-', "date key not digits");
    }

    if (size < 12)
        return 0;
    int parts[3];
    std::memcpy(parts, data, sizeof parts);
    int day = parts[0], month = parts[1], year = parts[2];
    NormalizeDate(day, month, year);
    fuzzCheck(month >= 1 && month <= 12 && day >= 1 && day <= 31, "date out of range");

    // With a month in range and years far from the int limits, the rules are calendar arithmetic.
    int widened = parts[2] < 50 ? parts[2] + 2000 : parts[2];
    widened = widened < 100 ? widened + 1900 : widened;
    if (parts[1] >= 1 && parts[1] <= 12 && widened >= 1 && widened < 1000000 && year >= 1) {
        const QDate expected = QDate(widened, parts[1], 1).addDays(qint64(parts[0]) - 1);
        fuzzCheck(QDate(year, month, day) == expected, "NormalizeDate differs from the calendar");
    }
    return 0;
}
