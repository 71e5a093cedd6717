// Rating conditions: set → get → set gives the same condition again.

#include <velk/editors/EvalCondition_p.h>

#include "TextFuzzing.h"

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    EvalRange range{20, 80};
    EvalCondition::applyCondition(range, fuzzText(data, size));
    const QString first = EvalCondition::conditionOf(range);
    EvalRange again{-5, 7};
    EvalCondition::applyCondition(again, first);
    fuzzCheck(EvalCondition::conditionOf(again) == first, "condition changed on its way back");
    return 0;
}
