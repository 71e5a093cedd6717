// Number formats: the first line of the input is the format, the rest the value's text.
// Any format gives a result; a format of digit places and commas, then at most one point
// and more places, gives a number in German marks and nothing else, and never grows
// beyond the value's digits.

#include <velk/common/NumberFormat.h>

#include "TextFuzzing.h"

#include <QRegularExpression>

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    const qsizetype cut = text.indexOf(u'\n');
    const QString format = cut < 0 ? text : text.left(cut);
    bool ok = false;
    double value = cut < 0 ? 0.0 : text.mid(cut + 1).toDouble(&ok);
    if (!ok)
        value = double(size) * 37.5 - 1000.25;
    const QString shown = FormatNumber(value, format);
    FormatValue(QVariant(text.mid(cut + 1)), format);

    static const QRegularExpression placesOnly(QStringLiteral("^[0#,]*(\\.[0#]*)?$"));
    static const QRegularExpression germanNumber(QStringLiteral("^-?[0-9.]*(,[0-9]*)?$"));
    if (placesOnly.match(format).hasMatch() && std::isfinite(value)) {
        fuzzCheck(germanNumber.match(shown).hasMatch(), "places-only format gives a German number");
        fuzzCheck(shown.size() <= format.size() + 420 + format.size() / 3, "result size bounded");
    }
    fuzzCheck(FormatNumber(value, format) == shown, "same input, same result");
    return 0;
}
