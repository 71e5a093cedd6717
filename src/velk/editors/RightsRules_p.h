#pragma once

// The rights editor's text rules, without any window: reading and writing the parameter
// text, the check state a right shows and what toggling it does to a user's letters.
// A lower-case letter grants a right, its upper case denies it explicitly.

#include <velk/velk_export.h>

#include <QRect>
#include <QString>
#include <QStringView>

#include <vector>

namespace velk::RightsRules {

/// The letters a user holds when none are given.
inline constexpr char16_t kDefaultRights[] = u"rek";

struct User
{
    QString name;
    QString own;        ///< own letters; "" for a user who only inherits
    QString inherited;  ///< inherited letters
};

/// A user as views into the parameter text (or into `allRights` and the default).
struct UserView
{
    QStringView name;
    QStringView own;
    QStringView inherited;
};

/// Whether `recht` can be registered as a right: not empty, and none of ",", ":", a tab or
/// a line break, which would break the parameter text.
VELK_TESTS_EXPORT bool isRightLetter(QStringView recht);

/// Appends `v` to `out` with tabs and line breaks turned into blanks.
VELK_TESTS_EXPORT void appendCell(QString &out, QStringView v);

/// The entries of one parameter line: "name:letters" separated by ","; an entry without
/// ":" has empty letters. Empty letters become "rek" and "*" becomes `allRights`.
/// Empty entries and entries without a name are skipped; tabs and line breaks in names
/// and letters become blanks, since they separate the sheet's cells and lines.
VELK_TESTS_EXPORT std::vector<User> readLine(QStringView line, const QString &allRights);

/// The users of a whole parameter: the first line gives the own rights, the rest (after
/// the first LF; a CR before it and line breaks at the end are dropped) the inherited ones. An inherited entry goes to
/// the first user of that name, found through a hash, or adds a user without own rights.
/// `hasInherited` tells whether the rest was non-empty.
VELK_TESTS_EXPORT std::vector<User> readParameter(QStringView p, const QString &allRights, bool *hasInherited = nullptr);
/// The same users as views into `p`, `allRights` and the default, unchanged (names with
/// tabs or line breaks are still to be cleaned with appendCell).
VELK_TESTS_EXPORT std::vector<UserView> readParameterViews(QStringView p, QStringView allRights,
                                                           bool *hasInherited = nullptr);

/// The own rights of `users` as one line: "name" for "rek", "name:*" for `allRights`,
/// else "name:letters"; users without own letters are left out.
VELK_TESTS_EXPORT QString writeParameter(const std::vector<User> &users, const QString &allRights);
/// One entry as writeParameter writes it.
VELK_TESTS_EXPORT QString entryOf(const QString &name, const QString &own, const QString &allRights);

/// A right is named by its letter `t` (a registered right may have more than one
/// character; an empty one is never granted and toggles nothing).
/// The check state right `t` shows: 1 nobody selected, 2 granted here, 1 denied here,
/// 12 inherited, 1 without inheritance, else 11 (inheritance present, not granted).
VELK_TESTS_EXPORT int checkState(const QString &t, bool userSelected, const QString &own, const QString &inherited);

/// `own` after toggling right `t`: a grant becomes a denial when the user inherits (else
/// it goes), a denial goes, and a missing letter is granted in `allRights` order.
VELK_TESTS_EXPORT QString toggled(const QString &t, const QString &own, const QString &inherited, const QString &allRights);

/// Where the rights editor's parts stand, twips: the user list, the label and the right
/// list at the left, the buttons at `buttonLeft`. `W`, `H`: inner size; `bw`: the add
/// button's width; `fullHeight`: the height the right list needs for all its rows.
struct Layout
{
    QRect users;
    QRect label;
    QRect rights;
    int buttonLeft = 0;
};
VELK_TESTS_EXPORT Layout layoutOf(int W, int H, int bw, int fullHeight);

} // namespace velk::RightsRules
