#pragma once

#include <velk/velk_export.h>

#include <QString>

namespace velk {

/// The flag words of a sheet: a blank-separated list such as "multiselect grid edit".
/// A word counts when it stands as a whole word (case-sensitive), except "grid" and
/// "noarrowkeys", which count wherever their letters occur ("lightgrid" is also "grid").
class VELK_TESTS_EXPORT SheetFlags
{
public:
    enum SelectionMode { NoSelection = 0, SingleSelect = 1, MultiSelect = 2, MultiSelectSimple = 3 };

    explicit SheetFlags(const QString &text = QString());

    /// The words, trimmed.
    QString text() const;
    bool has(QStringView word) const;

    /// The last of "singleselect", "multiselect", "multiselectsimple" present; none gives 0.
    SelectionMode selectionMode() const { return m_selectionMode; }
    /// 1.6 "maxspace", else 1.3 "space", else 1.1 "compact", else 1.2.
    double spacing() const { return m_spacing; }
    bool grid() const { return m_grid; }
    bool requestData() const { return m_requestData; }
    bool selectColumn() const { return m_selectColumn; }
    bool richText() const { return m_richText; }
    bool alwaysSelect() const { return m_alwaysSelect; }

private:
    QString m_padded; // " " + words + " ", so a whole word is " word "
    SelectionMode m_selectionMode = NoSelection;
    double m_spacing = 1.2;
    bool m_grid = false;
    bool m_requestData = false;
    bool m_selectColumn = false;
    bool m_richText = false;
    bool m_alwaysSelect = false;
};

} // namespace velk
