// Scope rules: any text goes through parts, description and the form's fields; the rule
// written from the fields reads back into the same rule.

#include <velk/editors/UmfangRule_p.h>

#include "TextFuzzing.h"

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString rule = fuzzText(data, size);
    const QString description = UmfangRule::description(rule);
    fuzzCheck(rule.isEmpty() || description.size() <= 3 * rule.size() + 16, "description grew out of bounds");
    const QString first = UmfangRule::ruleOf(UmfangRule::fieldsOf(rule));
    const QString second = UmfangRule::ruleOf(UmfangRule::fieldsOf(first));
    fuzzCheck(second == first, "the second write differs from the first");
    return 0;
}
