#pragma once

// The choice of velkAction as plain data, and its action strings ("move|shortcut|save:C:\Alt").
// Window-free: velkAction copies its buttons into an ActionState, applies these steps and
// shows the result.

#include <velk/velk_export.h>

#include <QString>

#include <array>

namespace velk {

struct VELK_TESTS_EXPORT ActionState
{
    /// The check boxes in this order.
    enum Box { Check1_1, Check1_2, Check1_3, Check1_4, Check2_1, Check3_1, Check3_2, Check3_3, BoxCount };

    int option = 0; ///< the chosen O_Aktion, 1..4; 0 for none
    std::array<bool, BoxCount> checked{};
    std::array<bool, BoxCount> enabled{};
    QString folder1; ///< backup folder of Check1_3 (its Tag)
    QString folder3; ///< backup folder of Check3_2 (its Tag)
    QString caption1; ///< caption of Check1_3
    QString caption3; ///< caption of Check3_2
    bool operator==(const ActionState &) const = default;
};

namespace ActionString {

/// The option word of O_Aktion `index` (1..4): "move", "copy", "delete", "link".
VELK_TESTS_EXPORT QString actionWord(int index);
/// The option word of a check box ("shortcut", "recyclebin", "save", ...).
VELK_TESTS_EXPORT QString optionWord(ActionState::Box box);
/// The group (1..3) a check box belongs to.
VELK_TESTS_EXPORT int groupOf(ActionState::Box box);
/// The caption of a "Sicherheitskopie" box: plain, or naming its folder.
VELK_TESTS_EXPORT QString saveCaption();
VELK_TESTS_EXPORT QString saveCaption(const QString &folder);

/// A fresh choice: nothing chosen, group 1 enabled, both folders `folder`.
VELK_TESTS_EXPORT ActionState initial(const QString &folder);
/// Enables the boxes of group `index` and disables the others.
VELK_TESTS_EXPORT void enableGroup(ActionState &state, int index);
/// The action string of the choice.
VELK_TESTS_EXPORT QString actionOf(const ActionState &state);
/// Shows action string `a`: nothing chosen, then its action word's option with the boxes of
/// that group ticked where their word occurs in the option list and, for "move" and
/// "delete", the backup folder taken from the option list. Other groups keep their ticks.
VELK_TESTS_EXPORT void putAction(ActionState &state, const QString &a);

} // namespace ActionString
} // namespace velk
