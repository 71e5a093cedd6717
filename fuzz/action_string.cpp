// Action strings: put → get → put → get gives the same action string again.

#include <velk/editors/ActionString_p.h>

#include "TextFuzzing.h"

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ActionState state = ActionString::initial(QStringLiteral("/home/archiv"));
    ActionString::putAction(state, fuzzText(data, size));
    const QString first = ActionString::actionOf(state);
    ActionString::putAction(state, first);
    fuzzCheck(ActionString::actionOf(state) == first, "action string changed on its way back");
    return 0;
}
