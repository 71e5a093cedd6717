// The date selector's texts: any datum1 text either clears the selection or selects one
// day whose condition reads back to that day; any selection fields give a condition
// without crashing, and clicks on any cell keep a selection's start before its end.

#include <velk/date/DateRange.h>
#include <velk/date/DateSelectorModel.h>

#include "TextFuzzing.h"

#include <cstring>

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DateSelectorState state;
    DateSelectorModel model(state);
    model.setDatum1(fuzzText(data, size));
    const QString condition = model.MorvaiCondition();
    if (model.datum1().isEmpty()) {
        fuzzCheck(condition.isEmpty(), "condition without selection");
    } else {
        // "$date=d" or, on the first of a month, "$date>=m.y/$date<=d": both read back to the day.
        QString startText = condition.mid(6), endText = startText;
        const qsizetype slash = condition.indexOf(QStringLiteral("/$date<="));
        if (condition.startsWith(QStringLiteral("$date>=")) && slash > 0) {
            startText = condition.mid(7, slash - 7);
            endText = condition.mid(slash + 8);
        }
        fuzzCheck(condition.startsWith(QStringLiteral("$date")), "condition form");
        // Compared through the range reader, which writes years below 1000 with fewer digits.
        const QString day = DateRangeStart(model.datum1());
        fuzzCheck(DateRangeStart(startText) == day, "condition start reads back");
        fuzzCheck(DateRangeEnd(endText) == day, "condition end reads back");
    }

    if (size >= 8 * sizeof(int)) {
        int fields[8];
        std::memcpy(fields, data, sizeof fields);
        state.SelectedYear1 = fields[0];
        state.SelectedMonth1 = fields[1];
        state.SelectedDay1 = fields[2];
        state.SelectedYear2 = fields[3];
        state.SelectedMonth2 = fields[4];
        state.SelectedDay2 = fields[5];
        model.showMonth(fields[6], fields[7]);
        (void)model.MorvaiCondition();
        (void)model.datum1();
        (void)model.Datum2();
        fuzzCheck(state.Month >= 1 && state.Month <= 12, "shown month in range");
        model.clear();
        for (size_t i = 8 * sizeof(int); i < size && i < 8 * sizeof(int) + 64; ++i) {
            const int cell = data[i] % 64;
            const bool range = data[i] & 0x40;
            const int row = cell / 8, col = cell % 8;
            if (row == 0)
                model.clickYear(range);
            else if (row == 1)
                model.clickMonth(range);
            else if (col == 0)
                model.clickWeek(row - 2, range);
            else
                model.clickDay(model.dayAt(row - 2, col - 1), range);
            if (model.hasSelection())
                fuzzCheck(model.startDate() <= model.endDate(), "selection order");
        }
    }
    return 0;
}
