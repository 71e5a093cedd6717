// Numbers and colours read from arbitrary text.

#include <velk/common/ColorHelpers.h>
#include <velk/common/StringHelpers.h>

#include "TextFuzzing.h"

#include <cmath>

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    fuzzCheck(std::isfinite(ParseNumber(text)), "ParseNumber not finite");

    const Color color = ColorFromText(text);
    const QString name = ColorToText(color);
    fuzzCheck(isSystemColor(color) == name.isEmpty(), "colour text for a system colour");
    if (!name.isEmpty())
        fuzzCheck(ColorFromText(name) == color, "colour text does not read back");
    return 0;
}
