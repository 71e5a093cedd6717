#pragma once

// The window-free part of velkMultiView: what each view shows, the popup menu's
// definition text, the texts a copy puts on the clipboard, the date presets and the
// head strip's geometry. Nothing here touches a widget.

#include <velk/velk_export.h>

#include <QDate>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

namespace velk {

class SheetData;

/// What Show(view) does for one view name.
struct VELK_TESTS_EXPORT MultiViewSetup
{
    enum class Child { None, List, Graph, DBView, Preview, Sheet };

    Child child = Child::None;
    QString storedName;  ///< the name SelectedView returns afterwards
    QString sheetFlags;  ///< for Child::Sheet
    int leftMargin = 0;  ///< twips, for Child::Sheet

    /// The set-up of `view`: an unknown name shows no child and is stored as given.
    static MultiViewSetup of(const QString &view);
    bool isSheet() const { return child == Child::Sheet; }
};

/// One entry of the popup menu's definition.
struct MultiViewMenuEntry
{
    QString caption;
    QString par;       ///< what Selected becomes when the entry is chosen
    bool separator = false;
};

/// Reads a menu definition: ","-separated entries "caption[|par]"; "-" is a separator; an
/// entry without "|" uses its caption as par; empty entries are skipped. One pass, linear.
VELK_TESTS_EXPORT std::vector<MultiViewMenuEntry> ParseMultiViewMenu(QStringView definition);

/// A list's lines for the clipboard, each ending in CR LF.
VELK_TESTS_EXPORT QString ListCopyText(const QStringList &lines);
/// Appends one sheet row for the clipboard: a tab per indent level, then the cells
/// separated by tabs (the row's closing tab dropped), then CR LF.
VELK_TESTS_EXPORT void AppendSheetCopyLine(QString &out, const QString &rowText, int indent);

/// The date field's preset entries ("-" for a separator): for a range field or, with
/// `singleDate`, for one day.
VELK_TESTS_EXPORT QStringList DatePresetEntries(bool singleDate);
/// The text a preset writes into the date field, from `today` and the field's `current`
/// text. "alle verfügbaren Einträge" and unknown presets give an empty text (the
/// former is then offered to the host). Month shifts keep whole months as month texts.
VELK_TESTS_EXPORT QString ApplyDatePreset(const QString &preset, const QString &current, const QDate &today,
                                          const QString &standard = {});

/// Field definitions of DBViewInitFields: "Name|Width|label|cond|value".
struct MultiViewField
{
    QString name;
    int width = 0;
    QString label;
    bool cond = false;
    QString value;
};
VELK_TESTS_EXPORT std::vector<MultiViewField> ParseMultiViewFields(const QString &fields);
/// DBViewInitSelections: "cap=value" entries; a missing or empty value is the caption.
VELK_TESTS_EXPORT std::vector<std::pair<QString, QString>> ParseMultiViewSelections(const QString &selections);
/// DBViewInitDatas: "DataValue;txt|value|typ,…". Returns the entries; `dataValue` gets
/// the part before the first ";".
struct MultiViewData
{
    QString txt;
    QString value;
    QString typ;
};
VELK_TESTS_EXPORT std::vector<MultiViewData> ParseMultiViewDatas(const QString &datas, QString &dataValue);

/// The head strip: the controls placed left to right in rows of `rowHeight` pixels,
/// starting a new row when the next one does not fit; a control wider than the strip
/// is narrowed to it. `pairs` marks a control that stays on its predecessor's row
/// (the date field's button). Returns one rect per width; `bottom` gets the strip's end.
VELK_TESTS_EXPORT std::vector<QRect> FlowHeadStrip(const std::vector<int> &widths, const std::vector<bool> &pairs,
                                                   int stripWidth, int top, int rowHeight, int gap, int &bottom);

} // namespace velk
