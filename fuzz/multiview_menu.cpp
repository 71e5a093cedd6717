// The multi view's definition texts from arbitrary input: the popup menu definition, the
// DB view field, grouping and data lists, and the date presets applied to any field text.
// None may crash or hang, and the pieces never straddle a separator.

#include "TextFuzzing.h"

#include <velk/views/MultiViewModel_p.h>

#include <QDate>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);

    const auto entries = velk::ParseMultiViewMenu(text);
    fuzzCheck(qsizetype(entries.size()) <= text.count(u',') + 1, "at most one entry per comma-separated piece");
    for (const velk::MultiViewMenuEntry &e : entries) {
        fuzzCheck(!e.caption.contains(u',') && !e.par.contains(u','), "no entry spans a comma");
        fuzzCheck(e.separator || !e.caption.contains(u'|'), "the caption ends at the first bar");
        fuzzCheck(!e.separator || (e.caption.isEmpty() && e.par.isEmpty()), "a separator has no texts");
    }

    (void)velk::ParseMultiViewFields(text);
    for (const auto &[cap, value] : velk::ParseMultiViewSelections(text))
        fuzzCheck(!value.isEmpty() || cap.isEmpty(), "an empty value is replaced by the caption");
    QString dataValue;
    (void)velk::ParseMultiViewDatas(text, dataValue);
    fuzzCheck(!dataValue.contains(u';'), "the data value ends at the first semicolon");

    const QDate today(2024, 2, 29);
    for (bool single : {false, true}) {
        for (const QString &preset : velk::DatePresetEntries(single)) {
            const QString result = velk::ApplyDatePreset(preset, text, today);
            fuzzCheck(result.size() <= 23, "a preset gives a short date text");
        }
    }
    return 0;
}
