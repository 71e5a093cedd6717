// Rights parameter: the first line lists the registered rights, the second and third are
// the parameter (own and inherited rights), the rest are letters to toggle for the first
// user. Writing what was read must be stable, and toggling must keep check states valid.

#include "TextFuzzing.h"

#include <velk/editors/RightsRules_p.h>

#include <cstddef>
#include <cstdint>

using namespace velk::RightsRules;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzzText(data, size);
    const qsizetype lf1 = input.indexOf(u'\n');
    // The registered rights, as AddRight would take them one character at a time.
    QString allRights;
    for (const QChar c : QStringView(input).left(lf1 < 0 ? input.size() : lf1).left(16)) {
        if (isRightLetter(QStringView(&c, 1)))
            allRights += c;
    }
    const QString rest = lf1 < 0 ? QString() : input.mid(lf1 + 1);
    qsizetype lf3 = rest.indexOf(u'\n');
    if (lf3 >= 0)
        lf3 = rest.indexOf(u'\n', lf3 + 1);
    const QString p = lf3 < 0 ? rest : rest.left(lf3);
    const QString toggles = lf3 < 0 ? QString() : rest.mid(lf3 + 1).left(64);

    const std::vector<User> users = readParameter(p, allRights);
    const QString written = writeParameter(users, allRights);
    fuzzCheck(writeParameter(readParameter(written, allRights), allRights) == written, "parameter write is stable");
    fuzzCheck(!written.contains(u'\n'), "one line only");

    if (users.empty())
        return 0;
    QString own = users.front().own;
    const QString inherited = users.front().inherited;
    for (const QChar c : toggles) {
        const QString t(c);
        const bool absent = !own.contains(t) && !own.contains(t.toUpper());
        own = toggled(t, own, inherited, allRights);
        const int state = checkState(t, true, own, inherited);
        fuzzCheck(state == 1 || state == 2 || state == 11 || state == 12, "known check state");
        fuzzCheck(!absent || state == 2, "a right granted by a toggle shows as granted");
    }
    return 0;
}
