#pragma once

#include <velk/velk_export.h>

#include <QString>
#include <QStringView>

namespace velk {

/// The grouping argument of velkSheet::Query: "(name)" groups by the value that
/// follows "name=" in a cell of entries "name=value,name=value".
class VELK_TESTS_EXPORT SheetQuery
{
public:
    /// The name in a "(name)" argument: the text after "(" up to the first ")" (or
    /// to the end); empty with `ok` false when `q` does not begin with "(".
    static QString groupName(const QString &q, bool *ok = nullptr);
    /// What follows the first "name=" entry in `cell` (the rest of the cell); "" when
    /// the cell has no such entry.
    static QString groupValue(QStringView cell, const QString &name);
    /// Text of the header row of a group.
    static QString headerText(const QString &value);
};

} // namespace velk
