// Numbers and colours read from arbitrary text, by every form of the leading-number reader.

#include <velk/common/ColorHelpers.h>
#include <velk/common/LeadingNumber_p.h>
#include <velk/common/Rounding_p.h>
#include <velk/common/StringHelpers.h>

#include "TextFuzzing.h"

#include <cmath>
#include <cstdlib>

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    fuzzCheck(std::isfinite(ParseNumber(text)), "ParseNumber not finite");
    fuzzCheck(std::isfinite(LeadingNumber(text)), "plain leading number not finite");
    const double scientific = LeadingNumber(text, NumberForm::Scientific);
    fuzzCheck(!std::isnan(scientific), "scientific leading number is NaN");
    const int clamped = RoundHalfEvenToInt(scientific, -1000, 1000);
    fuzzCheck(clamped >= -1000 && clamped <= 1000, "rounding leaves its range");
    fuzzCheck(std::llabs(LeadingInteger(text)) <= 999'999'999'999'999, "leading integer beyond its limit");

    const Color color = ColorFromText(text);
    const QString name = ColorToText(color);
    fuzzCheck(isSystemColor(color) == name.isEmpty(), "colour text for a system colour");
    if (!name.isEmpty())
        fuzzCheck(ColorFromText(name) == color, "colour text does not read back");
    return 0;
}
