#pragma once

#include <velk/common/Color.h>
#include <velk/velk_export.h>

#include <QDate>
#include <QString>

namespace velk {

/// The public variables of a velkDateSelector: the month shown and the selection.
/// `SelectedYear1` 0 means nothing is selected; a month of 0 means the whole year and a
/// day of 0 the whole month; `SelectedYear2` 0 means a single date.
struct VELK_EXPORT DateSelectorState
{
    DateSelectorState();

    int Year;  ///< the month shown (today's on creation)
    int Month;
    int SelectedYear1 = 0;
    int SelectedMonth1 = 0;
    int SelectedDay1 = 0;
    int SelectedYear2 = 0;
    int SelectedMonth2 = 0;
    int SelectedDay2 = 0;
    Color SelectedColor = SystemColor::Highlight;
    Color NormalColor = rgbColor(192, 192, 192);
    Color SelectedForeColor = SystemColor::ButtonFace;
    Color IndirectSelectedBackColor = rgbColor(128, 128, 255);
    Color NormalForeColor = SystemColor::ButtonText;
    Color BackColor = SystemColor::ButtonFace;
};

/// What a velkDateSelector does with its state, without a window: the texts it reports,
/// and the selection changes of clicks and keys. Out-of-range fields written by a host
/// are read as the nearest valid date, never trusted as they are.
class VELK_EXPORT DateSelectorModel
{
public:
    explicit DateSelectorModel(DateSelectorState &state, const QString &flags = QString());

    void setFlags(const QString &flags) { m_flags = flags; }
    bool hasFlag(const QString &word) const;

    /// "dd.mm.yyyy" of the start; empty when nothing is selected.
    QString datum1() const;
    /// Selects the one day read from "d.m.y" and shows its month; a text that is no
    /// calendar day clears the selection. True when the selection changed.
    bool setDatum1(const QString &text);
    /// "dd.mm.yyyy" of the end; empty for a single date.
    QString Datum2() const;
    /// "$date=…" or "$date>=…/$date<=…" in the range-text forms; empty without a selection.
    QString MorvaiCondition() const;

    bool hasSelection() const { return s.SelectedYear1 != 0; }
    /// First and last day the selection covers (invalid without a selection).
    QDate startDate() const;
    QDate endDate() const;
    bool isSelected(const QDate &day) const;

    /// Shows the month `month` of `year`; months outside 1..12 roll over into the year.
    void showMonth(int year, int month);
    /// The first day of the shown month, and the Monday on or before it (first grid cell).
    QDate shownFirst() const;
    QDate gridStart() const;
    /// The day in week row `week` (0..5) and weekday `weekday` (0 Monday .. 6 Sunday);
    /// invalid outside the shown month.
    QDate dayAt(int week, int weekday) const;

    // Clicks; each returns true when the selection changed. `range` extends it.
    bool clickDay(const QDate &day, bool range);
    bool clickWeek(int week, bool range);
    bool clickMonth(bool range);
    bool clickYear(bool range);
    /// Clears the selection; true when there was one.
    bool clear();

    /// The keyboard's day: the start of the selection, else the first of the shown month.
    QDate cursor() const;
    /// Moves the keyboard's day by `days` (or months, or years) and shows its month.
    void moveCursor(int days, int months = 0, int years = 0);

private:
    bool selectSpan(const QDate &from, const QDate &to, bool range);
    void setStart(const QDate &day);
    void setEnd(const QDate &day);

    DateSelectorState &s;
    QString m_flags;
    QDate m_cursor;
};

} // namespace velk
