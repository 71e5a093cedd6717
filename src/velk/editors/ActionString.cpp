#include "ActionString_p.h"

namespace velk::ActionString {
namespace {

const QString kSave = QStringLiteral("falls Datei: Sicherheitskopie");

// The boxes of each group, in the order the action string lists their options.
constexpr ActionState::Box kMoveOptions[] = {ActionState::Check1_1, ActionState::Check1_3, ActionState::Check1_2,
                                             ActionState::Check1_4};
constexpr ActionState::Box kDeleteOptions[] = {ActionState::Check3_2, ActionState::Check3_1, ActionState::Check3_3};

void appendOption(QString &out, const ActionState &state, ActionState::Box box)
{
    if (!state.checked[box])
        return;
    out += u'|';
    out += optionWord(box);
    if (box == ActionState::Check1_3)
        out += QStringLiteral(":") + state.folder1;
    else if (box == ActionState::Check3_2)
        out += QStringLiteral(":") + state.folder3;
}

} // namespace

QString actionWord(int index)
{
    switch (index) {
    case 1: return QStringLiteral("move");
    case 2: return QStringLiteral("copy");
    case 3: return QStringLiteral("delete");
    case 4: return QStringLiteral("link");
    default: return QString();
    }
}

QString optionWord(ActionState::Box box)
{
    switch (box) {
    case ActionState::Check1_1: return QStringLiteral("shortcut");
    case ActionState::Check1_2:
    case ActionState::Check3_1: return QStringLiteral("recyclebin");
    case ActionState::Check1_3:
    case ActionState::Check3_2: return QStringLiteral("save");
    case ActionState::Check1_4:
    case ActionState::Check3_3: return QStringLiteral("removepath");
    case ActionState::Check2_1: return QStringLiteral("rename");
    case ActionState::BoxCount: break;
    }
    return QString();
}

int groupOf(ActionState::Box box)
{
    return box <= ActionState::Check1_4 ? 1 : box == ActionState::Check2_1 ? 2 : 3;
}

QString saveCaption() { return kSave; }
QString saveCaption(const QString &folder) { return kSave + QStringLiteral(" in ") + folder; }

ActionState initial(const QString &folder)
{
    ActionState state;
    state.folder1 = folder;
    state.folder3 = folder;
    state.caption1 = kSave;
    state.caption3 = kSave;
    enableGroup(state, 1);
    return state;
}

void enableGroup(ActionState &state, int index)
{
    for (int box = 0; box < ActionState::BoxCount; ++box)
        state.enabled[size_t(box)] = groupOf(ActionState::Box(box)) == index;
}

QString actionOf(const ActionState &state)
{
    QString out = actionWord(state.option);
    switch (state.option) {
    case 1:
        for (ActionState::Box box : kMoveOptions)
            appendOption(out, state, box);
        break;
    case 2:
        appendOption(out, state, ActionState::Check2_1);
        break;
    case 3:
        for (ActionState::Box box : kDeleteOptions)
            appendOption(out, state, box);
        break;
    default:
        break;
    }
    return out;
}

void putAction(ActionState &state, const QString &a)
{
    const qsizetype bar = a.indexOf(u'|');
    const QString word = bar < 0 ? a : a.left(bar);
    const QString options = bar < 0 ? QString() : a.mid(bar + 1);

    state.option = 0;
    for (int index = 1; index <= 4; ++index)
        enableGroup(state, index);

    int chosen = 0;
    for (int index = 1; index <= 4 && !chosen; ++index) {
        if (word == actionWord(index))
            chosen = index;
    }
    if (chosen) {
        state.option = chosen;
        enableGroup(state, chosen);
        for (int box = 0; box < ActionState::BoxCount; ++box) {
            if (groupOf(ActionState::Box(box)) == chosen)
                state.checked[size_t(box)] = options.contains(optionWord(ActionState::Box(box)));
        }
        if (chosen == 1 || chosen == 3) {
            // The folder follows the first ":" of the whole option list, whichever option holds it.
            const qsizetype colon = options.indexOf(u':');
            const QString folder = colon < 0 ? QString() : options.mid(colon + 1).section(u'|', 0, 0);
            (chosen == 1 ? state.folder1 : state.folder3) = folder;
        }
    }
    if (state.checked[ActionState::Check1_3])
        state.caption1 = saveCaption(state.folder1);
    if (state.checked[ActionState::Check3_2])
        state.caption3 = saveCaption(state.folder3);
}

} // namespace velk::ActionString
