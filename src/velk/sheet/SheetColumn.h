#pragma once

#include <velk/velk_export.h>

#include <QString>

namespace velk {

/// One column of a velkSheet, read from and written back to one entry of the column
/// definition string: `[!]caption[:width letters]`, where "!" hides the column, the width
/// is twips or "*" (take the rest), and the letters are "r" (right-aligned) and the
/// Special bits e q c b i % l.
class VELK_EXPORT SheetColumn
{
public:
    /// Special bits, one per letter of the definition.
    enum SpecialBit {
        Rating = 1,     ///< "e"
        SpecialQ = 2,   ///< "q"
        SpecialC = 4,   ///< "c"
        CheckCell = 8,  ///< "b"
        SpecialI = 16,  ///< "i"
        Percent = 32,   ///< "%"
        SpecialL = 64,  ///< "l"
    };

    QString caption;
    bool Enabled = true;  ///< column is shown
    int Width = 0;        ///< twips; -1 takes the rest of the width
    int Alignment = 0;    ///< 0 left, -1 right
    int Special = 0;      ///< SpecialBit set
    int x1 = 0;           ///< left edge, twips, as the sheet last laid the column out; -1 when not laid out
    int x2 = 0;           ///< right edge, twips (the sheet keeps its own layout and only fills these in)
    int SortDirection = 0;

    /// Width taken when `W` twips are left: 0 when hidden, Width unless it is -1, else
    /// max(W, 0).
    int WidthReal(int W) const;
    /// Reads one definition entry (not trimmed here; blanks right after "!" are skipped).
    /// Every text gives a column.
    void Init(const QString &a);
    /// The entry in the definition syntax; Init(ToString()) gives the same column.
    QString ToString() const;
    /// Right-aligned, or Special exactly 1, 2, 4 or 32: the column holds values.
    bool IsValue() const;
    /// Takes visibility and width from a saved definition that names this caption;
    /// leaves the column as it is when the caption is not there.
    void Merge(const QString &reg);

    /// Value of a definition's width text: -1 when it begins with "*", else its leading
    /// whole number (0 when there is none).
    static int widthFromText(QStringView text);
};

} // namespace velk
